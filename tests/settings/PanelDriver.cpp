#include "tests/settings/PanelDriver.h"

#include "engine/Window.h"
#include "engine/gui/Button.h"
#include "engine/gui/TextBox.h"
#include "settings/Settings.h"
#include "tests/support/SdlInput.h"

#include <SDL_ttf.h>

namespace panel_test {

void PanelTest::SetUp()
{
    static bool started = false;
    testing_support::startDummyVideo();
    if (!started) {
        ASSERT_EQ(TTF_Init(), 0) << TTF_GetError();
        SDL_EnableUNICODE(1);
        started = true;
    }
    testing_support::dropQueuedEvents();
    testing_support::copyDataTemplate(data.path());
    inData = std::make_unique<testing_support::ScopedCurrentDirectory>(data.path());
    // The first use reads the (absent) Settings.xml here; a reset re-reads this folder's
    // languages and this HOME's autostart entry when an earlier test made the settings.
    Settings::instance().resetToDefaults();
    Engine::Window::instance().setAlpha(255);
    panel = std::make_unique<SettingsGui>();
    panel->setVisible(true);
    frame();
}

void PanelTest::TearDown()
{
    panel.reset();
    testing_support::dropQueuedEvents();
    inData.reset();
}

void PanelTest::frame()
{
    panel->draw();
    Engine::Window::instance().update();
}

void PanelTest::clickAt(int x, int y)
{
    testing_support::pushButton(true, x, y);
    testing_support::pushButton(false, x, y);
    frame();
}

void PanelTest::click(Engine::Gui::Control* control)
{
    ASSERT_NE(control, nullptr);
    ASSERT_TRUE(control->isVisible()) << control->getName() << " is hidden";
    clickAt(control->getX() + control->getWidth() / 2, control->getY() + control->getHeight() / 2);
}

void PanelTest::pressKey(SDLKey sym, Uint16 unicode)
{
    testing_support::pushKey(true, sym, unicode);
    testing_support::pushKey(false, sym);
    frame();
}

void PanelTest::typeInto(Engine::Gui::TextBox* box, const std::string& text)
{
    ASSERT_NE(box, nullptr);
    click(box);
    ASSERT_TRUE(box->isFocused()) << box->getName();
    pressKey(SDLK_END);
    for (std::size_t i = box->getText().size(); i > 0; --i)
        pressKey(SDLK_BACKSPACE, 8);
    for (unsigned char c : text) {
        const SDLKey sym = c >= 'A' && c <= 'Z' ? static_cast<SDLKey>(c - 'A' + 'a') : static_cast<SDLKey>(c);
        pressKey(sym, c);
    }
}

void PanelTest::change(const std::string& boxName, const std::string& buttonName, const std::string& text)
{
    typeInto(find<Engine::Gui::TextBox>(*panel, boxName), text);
    click(find<Engine::Gui::Button>(*panel, buttonName));
}

void PanelTest::showTab(const std::string& buttonName)
{
    click(find<Engine::Gui::Button>(*panel, buttonName));
}

std::string PanelTest::text(const std::string& textBoxName)
{
    Engine::Gui::TextBox* box = find<Engine::Gui::TextBox>(*panel, textBoxName);
    return box ? box->getText() : std::string();
}

} // namespace panel_test
