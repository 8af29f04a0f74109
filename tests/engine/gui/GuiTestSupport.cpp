#include "tests/engine/gui/GuiTestSupport.h"

#include "engine/EventHandler.h"
#include "engine/Window.h"
#include "engine/gui/Button.h"
#include "engine/gui/ImageButton.h"

#include <SDL_ttf.h>

#include <cstring>

namespace {

int textRenders = 0;
int surfaceCreates = 0;

} // namespace

// The test program is linked with --wrap for these two, so every call from the engine's
// surfaces passes here first.
extern "C" {
SDL_Surface* __real_TTF_RenderUTF8_Blended(TTF_Font* font, const char* text, SDL_Color fg);
SDL_Surface* __wrap_TTF_RenderUTF8_Blended(TTF_Font* font, const char* text, SDL_Color fg)
{
    ++textRenders;
    return __real_TTF_RenderUTF8_Blended(font, text, fg);
}

SDL_Surface* __real_SDL_CreateRGBSurface(Uint32 flags, int width, int height, int depth, Uint32 rmask, Uint32 gmask, Uint32 bmask, Uint32 amask);
SDL_Surface* __wrap_SDL_CreateRGBSurface(Uint32 flags, int width, int height, int depth, Uint32 rmask, Uint32 gmask, Uint32 bmask, Uint32 amask)
{
    ++surfaceCreates;
    return __real_SDL_CreateRGBSurface(flags, width, height, depth, rmask, gmask, bmask, amask);
}
}

namespace gui_test {

const std::string& fontFile()
{
    // The program's own font as the build installs it (DejaVu Sans unless configured).
    static const std::string font = std::string(HOLMIK_DATA_DIR) + "/tahoma.ttf";
    return font;
}

void startScreen()
{
    static bool started = false;
    testing_support::startDummyVideo();
    if (!started) {
        ASSERT_EQ(TTF_Init(), 0) << TTF_GetError();
        Engine::Window::instance().setSize(screenWidth, screenHeight);
        started = true;
    }
    testing_support::dropQueuedEvents();
    ASSERT_EQ(Engine::Window::instance().getWidth(), screenWidth);
}

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
    for (unsigned char c : text) {
        SDLKey sym = c >= 'A' && c <= 'Z' ? static_cast<SDLKey>(c - 'A' + 'a') : static_cast<SDLKey>(c);
        pushKey(true, sym, c);
        pushKey(false, sym, 0);
    }
    dispatch();
}

Color pixel(int x, int y)
{
    SDL_Surface* screen = SDL_GetVideoSurface();
    if (x < 0 || y < 0 || x >= screen->w || y >= screen->h)
        return Color(0, 0, 0, 0);
    SDL_LockSurface(screen);
    Uint32 value = 0; // little-endian
    const int bytes = screen->format->BytesPerPixel;
    std::memcpy(&value, static_cast<const Uint8*>(screen->pixels) + y * screen->pitch + x * bytes, bytes);
    SDL_UnlockSurface(screen);
    Uint8 r, g, b;
    SDL_GetRGB(value, screen->format, &r, &g, &b);
    return Color(r, g, b);
}

void paintScreen(const Color& color)
{
    SDL_Surface* screen = SDL_GetVideoSurface();
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, color.r(), color.g(), color.b()));
}

int countNear(int x, int y, int w, int h, const Color& color, int tolerance)
{
    auto near = [tolerance](int a, int b) { return a - b <= tolerance && b - a <= tolerance; };
    int count = 0;
    for (int i = 0; i < w; ++i)
        for (int j = 0; j < h; ++j) {
            const Color c = pixel(x + i, y + j);
            count += near(c.r(), color.r()) && near(c.g(), color.g()) && near(c.b(), color.b());
        }
    return count;
}

int textRenderCount() { return textRenders; }
int surfaceCreateCount() { return surfaceCreates; }

RecordingFrame::RecordingFrame(const std::string& name) : Frame(name, fontFile())
{
    setBounds(0, 0, screenWidth, screenHeight);
}

void RecordingFrame::onEvent(Engine::Gui::Control* sender)
{
    bool pressed = false;
    if (auto* button = dynamic_cast<Engine::Gui::Button*>(sender))
        pressed = button->isPressed();
    if (auto* image = dynamic_cast<Engine::Gui::ImageButton*>(sender))
        pressed = image->isPressed();
    notices.push_back({sender->getName(), sender->getKind(), pressed});
    if (reaction)
        reaction(sender);
}

void GuiTest::SetUp()
{
    startScreen();
    paintScreen(backdrop);
}

void GuiTest::TearDown()
{
    testing_support::dropQueuedEvents(); // nothing a test pushed may reach the next one
}

} // namespace gui_test
