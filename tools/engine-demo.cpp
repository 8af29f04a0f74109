// Shows the engine's host window with shapes and text: drag it with the left button, keys
// "+"/"-" resize it, "a" makes it see-through and back, Escape or the red box closes it.
//   engine-demo [--seconds N]
#include "engine/EventHandler.h"
#include "engine/Host.h"
#include "engine/TextSurface.h"
#include "engine/Window.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char* const fontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
int seconds = 0;

struct Controls : Engine::KeyboardListner, Engine::MouseListner {
    bool onKeyboard(const SDL_Event& event, bool handled) override
    {
        if (handled || event.type != SDL_KEYDOWN)
            return false;
        Engine::Window& window = Engine::Window::instance();
        switch (event.key.keysym.sym) {
        case SDLK_PLUS:
        case SDLK_KP_PLUS:
            window.setSize(window.getWidth() + 20, window.getHeight() + 20);
            return true;
        case SDLK_MINUS:
        case SDLK_KP_MINUS:
            window.setSize(window.getWidth() - 20, window.getHeight() - 20);
            return true;
        case SDLK_a:
            window.setAlpha(window.getAlpha() == 255 ? 128 : 255);
            return true;
        case SDLK_ESCAPE:
            Engine::EventHandler::instance().setQuit(true);
            return true;
        default:
            return false;
        }
    }
    bool overClose(int x, int y) const
    {
        const int right = Engine::Window::instance().getWidth() - 1;
        return x >= right - 16 && x <= right - 4 && y >= 4 && y <= 16;
    }
    bool onMouseMotion(const SDL_Event& event, bool handled) override
    {
        if (handled || !overClose(event.motion.x, event.motion.y))
            return false;
        Engine::Window::instance().setCursor(Engine::Window::Hand);
        return true;
    }
    bool onMouseButton(const SDL_Event& event, bool handled) override
    {
        if (handled || !overClose(event.button.x, event.button.y))
            return false;
        if (event.type == SDL_MOUSEBUTTONUP)
            Engine::EventHandler::instance().setQuit(true);
        return true;
    }
};

void draw(Engine::Window& window)
{
    const int w = window.getWidth(), h = window.getHeight();
    window.fill(MidnightBlue);
    window.drawRect(0, 0, w - 1, h - 1, Gold, false);
    window.drawRect(w - 17, 4, 12, 12, Red, true);
    window.drawLine(w - 15, 6, w - 7, 14, White);
    window.drawLine(w - 15, 14, w - 7, 6, White);
    window.drawRect(10, 40, 60, 30, SeaGreen, true);
    window.drawRect(80, 40, 60, 30, Tomato, false);
    window.drawLine(10, 80, w - 10, h - 10, LightSkyBlue);
    for (int i = 0; i < 20; ++i)
        window.drawPixel(10 + i * 3, 90, Yellow);
    const int skip = Engine::TextSurface::lineSkip(fontFile, 12);
    window.blit(8, 6, Engine::TextSurface("Engine demo", fontFile, 14, White));
    window.blit(10, 100, Engine::TextSurface("Žluťoučký kůň — Привет", fontFile, 12, Khaki));
    window.blit(10, 100 + skip, Engine::TextSurface("drag me, + / - / a / Esc", fontFile, 12, Silver));
}

int demoMain(int, char**)
{
    Engine::Window& window = Engine::Window::instance();
    window.setSize(320, 200);
    window.setPosition(120, 80);
    Controls controls;
    const Uint32 end = seconds > 0 ? SDL_GetTicks() + static_cast<Uint32>(seconds) * 1000 : 0;
    while (!Engine::EventHandler::instance().isQuit() && (end == 0 || SDL_GetTicks() < end)) {
        draw(window);
        window.markDrawn();
        window.update();
        SDL_Delay(10);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--seconds") == 0)
            seconds = std::atoi(argv[i + 1]);
    return Engine::runHost(demoMain, argc, argv);
}
