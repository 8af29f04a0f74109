// The "Colors" tab: a heading "RRGGBB" and one row per colour, a box of six hexadecimal
// digits and its label. A colour is taken as soon as its sixth digit stands in the box.
#pragma once

#include "settings/SettingsPage.h"

#include <vector>

struct ColorRow;

class ColorsPage : public SettingsPage {
public:
    explicit ColorsPage(Engine::Gui::Frame* panel);

    void layout(const Measures& m) override;
    void fill() override;
    void onEvent(Engine::Gui::Control* sender) override;

private:
    struct Bound {
        const ColorRow* row;
        Engine::Gui::Label* label;
        Engine::Gui::TextBox* box;
    };
    void fill(const Bound& bound);

    Engine::Gui::Label* heading;
    std::vector<Bound> rows;
};
