#include "settings/ColorsPage.h"

#include "engine/gui/Label.h"
#include "engine/gui/TextBox.h"
#include "settings/Settings.h"
#include "settings/SettingsValues.h"

using Engine::Gui::TextBox;

// One colour of the tab. Two pairs of labels share a name: nothing looks labels up.
struct ColorRow {
    const char* labelName;
    const char* text;
    const char* boxName;
    const Color& (Settings::*get)() const;
    void (Settings::*set)(const Color&);
};

namespace {

const ColorRow colorRows[] = {
    {"BackgroundColorLabel", "Background", "BackgroundColorTextBox", &Settings::getBackgroundColor, &Settings::setBackgroundColor},
    {"TextColorLabel", "Text", "TextColorTextBox", &Settings::getTextColor, &Settings::setTextColor},
    {"LinkColorLabel", "Link", "LinkColorTextBox", &Settings::getLinkColor, &Settings::setLinkColor},
    {"MapColorLabel", "Map", "MapColorTextBox", &Settings::getMapColor, &Settings::setMapColor},
    {"GoodColorLabel", "Good", "GoodColorTextBox", &Settings::getGoodColor, &Settings::setGoodColor},
    {"BadColorLabel", "Bad", "BadColorTextBox", &Settings::getBadColor, &Settings::setBadColor},
    {"BadColorLabel", "Bot", "BotColorTextBox", &Settings::getBotColor, &Settings::setBotColor},
    {"AdminColorLabel", "Admin", "AdminColorTextBox", &Settings::getAdminColor, &Settings::setAdminColor},
    {"AdminColorLabel", "Custom", "CustomColorTextBox", &Settings::getCustomColor, &Settings::setCustomColor},
    {"PlayerListColorLabel", "PlayerList", "PlayerListColorTextBox", &Settings::getPlayerBackgroundColor, &Settings::setPlayerBackgroundColor},
};

constexpr const char* hexDigits = "0123456789ABCDEFabcdef";

// Calls through a member pointer held in a local: GCC's UBSan instrumentation mis-evaluates
// a table index inside a pointer-to-member call.
const Color& read(const ColorRow& row)
{
    const auto get = row.get;
    return (Settings::instance().*get)();
}

void write(const ColorRow& row, const Color& color)
{
    const auto set = row.set;
    (Settings::instance().*set)(color);
}

} // namespace

ColorsPage::ColorsPage(Engine::Gui::Frame* panel) : SettingsPage(panel, "ColorsPage")
{
    heading = addLabel("ColorLabel", "RRGGBB", 0, 0);
    for (const ColorRow& row : colorRows)
        rows.push_back({&row, addLabel(row.labelName, tr(row.text), 0, 0), addTextBox(row.boxName, "000000", 0, 0)});
}

void ColorsPage::layout(const Measures& m)
{
    style(heading, "RRGGBB");
    heading->setText("RRGGBB");
    heading->setX(5);
    heading->setY(25);
    int y = heading->getRelativeY() + heading->getHeight() + 10;
    for (const Bound& bound : rows) {
        style(bound.box, m.cw, m.lh, 6, hexDigits);
        bound.box->setX(5);
        bound.box->setY(y);
        style(bound.label, bound.row->text);
        bound.label->setX(m.cw + 10);
        bound.label->setY(y);
        y = bound.box->getRelativeY() + bound.box->getHeight() + 10;
    }
}

void ColorsPage::fill()
{
    for (const Bound& bound : rows)
        fill(bound);
}

void ColorsPage::fill(const Bound& bound)
{
    bound.box->setText(SettingsValues::colorToText(read(*bound.row)));
}

void ColorsPage::onEvent(Engine::Gui::Control* sender)
{
    for (const Bound& bound : rows)
        if (sender == bound.box) {
            const std::string text = bound.box->getText();
            if (text.size() != 6)
                return; // fewer digits change nothing
            write(*bound.row, SettingsValues::colorFromText(text));
            fill(bound); // shown as it is saved
            changed();
            return;
        }
}
