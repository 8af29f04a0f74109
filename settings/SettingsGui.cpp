#include "settings/SettingsGui.h"

#include "engine/Window.h"
#include "engine/gui/Button.h"
#include "engine/gui/Label.h"
#include "settings/ColorsPage.h"
#include "settings/MiscellaneousPage.h"
#include "settings/ServersPart.h"
#include "settings/VisibilityPage.h"

using Engine::Gui::Button;
using Engine::Gui::Control;
using Engine::Gui::Label;

namespace {

constexpr int aboutFontSize = 9;
constexpr const char* programName = "Holmik Ziviza ";
constexpr const char* firstCredit = "By the Holmik team";
constexpr const char* secondCredit = "Source query data";

Settings& settings() { return Settings::instance(); }

std::string tr(const char* text) { return settings().translate(text); }

// The tab buttons along the top, each naming its page.
struct TabButton {
    const char* name;
    const char* text;
    int x;
    int width;
};
const TabButton tabButtonRows[] = {
    {"ColorButton", "Colors", 5, 70},
    {"VisibilityButton", "Visibility", 75, 70},
    {"OthersButton", "Miscellaneous", 145, 90},
};

// The buttons along the bottom, keeping the buttons' own height and font size.
constexpr int bottomRowY = 470;
constexpr int saveX = 195, saveWidth = 50;
constexpr int resetX = 115, resetWidth = 70;
constexpr int cancelX = 35; // as wide as "Defaults", as far from it as it is from "Save"

int panelX() { return settings().getSettingsOnTheLeft() ? 0 : settings().getWidth(); }

} // namespace

SettingsGui::SettingsGui() : Frame("SettingsGui", settings().getFont())
{
    setBounds(settings().getWidth(), 0, panelWidth, panelHeight);
    for (std::size_t i = 0; i < tabButtons.size(); ++i)
        tabButtons[i] = addButton(tabButtonRows[i].name, tr(tabButtonRows[i].text), tabButtonRows[i].x, 2);
    saveButton = addButton("SaveButton", tr("Save"), 0, 0);
    resetButton = addButton("ResetButton", tr("Defaults"), 0, 0);
    cancelButton = addButton("CancelButton", tr("Cancel"), 0, 0);
    pages[ColorsTab] = new ColorsPage(this);
    pages[VisibilityTab] = new VisibilityPage(this);
    pages[MiscellaneousTab] = miscellaneous = new MiscellaneousPage(this);
    aboutLines = {addLabel("About", programName + Settings::getVersionString(), 0, 0),
                  addLabel("About2", firstCredit, 0, 0), addLabel("About3", secondCredit, 0, 0)};

    layout();
    for (SettingsPage* page : pages)
        page->fill();
    Frame::setVisible(false); // setVisible(true) opens it
    // Escape is heard after the text boxes: what a focused box made of it is undone too.
    Engine::EventHandler& events = Engine::EventHandler::instance();
    events.removeKeyboardListener(this);
    events.addKeyboardListener(this);
}

SettingsGui::~SettingsGui() = default;

void SettingsGui::layout()
{
    const SettingsPage::Measures m = SettingsPage::measure(getFontName());
    setBounds(panelX(), 0, panelWidth, panelHeight);

    for (std::size_t i = 0; i < tabButtons.size(); ++i) {
        tabButtons[i]->setText(tr(tabButtonRows[i].text));
        tabButtons[i]->setFontSize(SettingsPage::fontSize);
        tabButtons[i]->setBounds(tabButtonRows[i].x, 2, tabButtonRows[i].width, m.lh);
    }
    const struct {
        Button* button;
        const char* text;
        int x, width;
    } bottomRow[] = {{cancelButton, "Cancel", cancelX, resetWidth}, {resetButton, "Defaults", resetX, resetWidth},
                     {saveButton, "Save", saveX, saveWidth}};
    for (const auto& place : bottomRow) {
        place.button->setText(tr(place.text));
        place.button->setX(place.x);
        place.button->setY(bottomRowY);
        place.button->setWidth(place.width);
    }

    // The program's name and version and the credits, never translated, stacked above the
    // bottom row at the left.
    const Settings& s = settings();
    const char* const texts[] = {nullptr, firstCredit, secondCredit};
    int y = bottomRowY - 5;
    for (std::size_t i = aboutLines.size(); i-- > 0;) {
        Label* line = aboutLines[i];
        line->setText(texts[i] ? std::string(texts[i]) : programName + Settings::getVersionString());
        line->setFontSize(aboutFontSize);
        line->setBackgroundColor(s.getBackgroundColor());
        line->setTextColor(s.getTextColor());
        line->setX(0);
        y -= line->getHeight();
        line->setY(y);
    }

    for (SettingsPage* page : pages)
        page->layout(m);
}

void SettingsGui::setVisible(bool value)
{
    if (value && !visible) {
        // Opening: what "Cancel" gives back.
        opened = settings().snapshot();
        const Engine::Window& window = Engine::Window::instance();
        openedX = window.getX();
        openedY = window.getY();
        layout();
        for (SettingsPage* page : pages)
            page->fill();
    }
    Frame::setVisible(value);
    if (value)
        showCurrentTab();
}

void SettingsGui::showCurrentTab()
{
    for (Control* child : children)
        if (child->getKind() != Frame::Kind)
            child->setVisible(true);
    for (int i = 0; i < static_cast<int>(pages.size()); ++i)
        pages[i]->setVisible(i == currentTab);
}

void SettingsGui::draw()
{
    if (!isVisible())
        return;
    setX(panelX());
    Frame::draw();
}

void SettingsGui::onEvent(Control* sender)
{
    if (sender->getKind() == Frame::Kind) {
        settingsChanged();
        return;
    }
    auto* button = dynamic_cast<Button*>(sender);
    // Act at the release, not at the press.
    if (!button || button->isPressed())
        return;
    if (button == saveButton) {
        save();
    } else if (button == cancelButton) {
        cancel();
    } else if (button == resetButton) {
        defaults();
    } else {
        for (int i = 0; i < static_cast<int>(tabButtons.size()); ++i)
            if (button == tabButtons[i]) {
                currentTab = i;
                showCurrentTab();
            }
    }
}

bool SettingsGui::onKeyboard(const SDL_Event& event, bool)
{
    if (!visible || closeRequested || event.type != SDL_KEYDOWN || event.key.keysym.sym != SDLK_ESCAPE)
        return false;
    cancel();
    return true;
}

void SettingsGui::save()
{
    if (!miscellaneous->servers().takeServers()) {
        // The problem is on the third tab: show it there.
        currentTab = MiscellaneousTab;
        showCurrentTab();
        return;
    }
    Settings& s = settings();
    Engine::Window& window = Engine::Window::instance();
    // Opening on the left moved the window left by this panel's width; give it back.
    if (s.getSettingsOnTheLeft())
        window.setPosition(window.getX() + panelWidth, window.getY());
    s.writeAutoStart();
    s.save();
    closeRequested = true;
}

void SettingsGui::cancel()
{
    Settings& s = settings();
    s.restore(opened);
    Engine::Window& window = Engine::Window::instance();
    window.setAlpha(s.getAlpha());
    window.setPosition(openedX, openedY);
    changed = true;
    closeRequested = true;
}

void SettingsGui::defaults()
{
    Settings& s = settings();
    // The panel stays on its side, and the columns on the servers they watch.
    const bool left = s.getSettingsOnTheLeft(), csGo = s.getCSGo(), csSource = s.getCSSource();
    s.resetToDefaults(); // the server boxes stay as they are: "Save" takes what they show
    s.setSettingsOnTheLeft(left);
    s.setCSGo(csGo);
    s.setCSSource(csSource);
    for (SettingsPage* page : pages)
        page->fill();
    settingsChanged();
}

void SettingsGui::settingsChanged()
{
    layout();
    Engine::Window& window = Engine::Window::instance();
    if (window.getAlpha() != settings().getAlpha())
        window.setAlpha(settings().getAlpha());
    changed = true;
}

bool SettingsGui::takeChanged()
{
    const bool was = changed;
    changed = false;
    return was;
}

void SettingsGui::setServerTexts(const std::string& goServer, const std::string& sourceServer)
{
    miscellaneous->servers().setServerTexts(goServer, sourceServer);
}

void SettingsGui::takeChangedServers(bool& goChanged, bool& sourceChanged)
{
    miscellaneous->servers().takeChangedServers(goChanged, sourceChanged);
}

std::string SettingsGui::getServerProblem() const { return miscellaneous->servers().getServerProblem(); }
