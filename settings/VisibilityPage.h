// The "Visibility" tab: a heading "Display" and one check box per row of the status panel;
// a click takes its flag at once.
#pragma once

#include "settings/SettingsPage.h"

#include <vector>

struct FlagRow;

class VisibilityPage : public SettingsPage {
public:
    explicit VisibilityPage(Engine::Gui::Frame* panel);

    void layout(const Measures& m) override;
    void fill() override;
    void onEvent(Engine::Gui::Control* sender) override;

private:
    struct Bound {
        const FlagRow* row;
        Engine::Gui::CheckBox* box;
    };

    Engine::Gui::Label* heading;
    std::vector<Bound> rows;
};
