#include "tests/engine/gui/GuiTestSupport.h"

#include "engine/Window.h"
#include "engine/gui/Button.h"

#include <SDL_ttf.h>

#include <cctype>
#include <cstring>

int gui_test::textRenders = 0;
int gui_test::surfaceCreates = 0;

// The test program is linked with --wrap for these two, so every call from the engine's
// surfaces passes here first.
extern "C" {
SDL_Surface* __real_TTF_RenderUTF8_Blended(TTF_Font* font, const char* text, SDL_Color fg);
SDL_Surface* __wrap_TTF_RenderUTF8_Blended(TTF_Font* font, const char* text, SDL_Color fg)
{
    ++gui_test::textRenders;
    return __real_TTF_RenderUTF8_Blended(font, text, fg);
}
SDL_Surface* __real_SDL_CreateRGBSurface(Uint32 flags, int w, int h, int depth, Uint32 r, Uint32 g, Uint32 b, Uint32 a);
SDL_Surface* __wrap_SDL_CreateRGBSurface(Uint32 flags, int w, int h, int depth, Uint32 r, Uint32 g, Uint32 b, Uint32 a)
{
    ++gui_test::surfaceCreates;
    return __real_SDL_CreateRGBSurface(flags, w, h, depth, r, g, b, a);
}
}

namespace gui_test {

void dispatch() { Engine::Window::instance().update(); }

void click(int x, int y, Uint8 button)
{
    pushButton(true, x, y, button);
    pushButton(false, x, y, button);
    dispatch();
}

void press(SDLKey sym, Uint16 unicode)
{
    pushKey(true, sym, unicode);
    pushKey(false, sym, 0);
    dispatch();
}

void type(const std::string& text)
{
    for (unsigned char c : text)
        press(static_cast<SDLKey>(std::tolower(c)), c);
}

Color pixel(int x, int y)
{
    SDL_Surface* screen = SDL_GetVideoSurface();
    if (x < 0 || y < 0 || x >= screen->w || y >= screen->h)
        return Color(0, 0, 0, 0);
    Uint32 value = 0;
    std::memcpy(&value, static_cast<const Uint8*>(screen->pixels) + y * screen->pitch + x * 4, 4);
    Uint8 r, g, b;
    SDL_GetRGB(value, screen->format, &r, &g, &b);
    return Color(r, g, b);
}

int count(int x, int y, int w, int h, const Color& color)
{
    int n = 0;
    for (int i = 0; i < w; ++i)
        for (int j = 0; j < h; ++j)
            n += pixel(x + i, y + j) == color;
    return n;
}

RecordingFrame::RecordingFrame() : Frame("TestFrame", fontFile) { setBounds(0, 0, 320, 240); }

void RecordingFrame::onEvent(Engine::Gui::Control* sender)
{
    auto* button = dynamic_cast<Engine::Gui::Button*>(sender);
    notices.push_back(sender->getName() + (button && button->isPressed() ? "+" : ""));
}

void GuiTest::SetUp()
{
    testing_support::startDummyVideo();
    ASSERT_TRUE(TTF_WasInit() || TTF_Init() == 0) << TTF_GetError();
    Engine::Window::instance().setSize(320, 240); // a 32-bit screen
    testing_support::dropQueuedEvents();
    SDL_Surface* screen = SDL_GetVideoSurface();
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, backdrop.r(), backdrop.g(), backdrop.b()));
}

} // namespace gui_test
