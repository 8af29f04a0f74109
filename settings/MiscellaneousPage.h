// The "Miscellaneous" tab: the custom name (taken at each change), four numbers each set by
// its "Change" button (kept in its range, the bound written back into the box), autostart
// and the update check (flags at the click), the language (the panel re-translates itself at
// once), and below them the servers and the notifications.
#pragma once

#include "settings/SettingsPage.h"
#include "settings/SettingsValues.h"

#include <vector>

namespace Engine::Gui {
class Button;
class ComboBox;
} // namespace Engine::Gui
class ServersPart;
struct NumberRow;

class MiscellaneousPage : public SettingsPage {
public:
    explicit MiscellaneousPage(Engine::Gui::Frame* panel);

    void layout(const Measures& m) override;
    void fill() override;
    void onEvent(Engine::Gui::Control* sender) override;

    ServersPart& servers() { return *serversPart; }

private:
    struct Bound {
        const NumberRow* row;
        Engine::Gui::Label* label;
        Engine::Gui::TextBox* box;
        Engine::Gui::Button* button;
    };
    void change(const Bound& bound);
    void fillLanguages();

    Engine::Gui::Label* heading;
    Engine::Gui::Label* customNameLabel;
    Engine::Gui::TextBox* customNameBox;
    std::vector<Bound> numbers;
    Engine::Gui::CheckBox* autoStartCheck;
    Engine::Gui::CheckBox* updateCheck;
    Engine::Gui::ComboBox* languageCombo;
    ServersPart* serversPart;
};
