// A program that the window tests drive line by line on its standard input, inside the real
// host window: it draws a known picture every frame and answers each command with one line.
//   size W H | position X Y | moveby DX DY | alpha A | colorkey R G B A | movable 0|1 |
//   cursor N | report | quit
// A button in the top-left 40x40 corner takes every press there, as a widget would.
#include "engine/EventHandler.h"
#include "engine/Host.h"
#include "engine/Window.h"
#include "os/HostWindow.h"

#include <SDL.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <sstream>
#include <string>

namespace {

struct CornerButton : Engine::MouseListner {
    bool onMouseMotion(const SDL_Event&, bool) override { return false; }
    bool onMouseButton(const SDL_Event& event, bool handled) override
    {
        if (handled || event.button.x >= 40 || event.button.y >= 40)
            return false;
        ++presses;
        return true;
    }
    int presses = 0;
};

void draw(Engine::Window& window)
{
    window.fill(White);
    window.drawRect(0, 0, 39, 39, Blue, true);   // the corner button
    window.drawRect(50, 10, 20, 10, Red, true);  // a 21x11 red box at (50, 10)
    window.drawRect(0, 0, window.getWidth() - 1, window.getHeight() - 1, Black, false);
}

bool readCommand(std::string& line)
{
    static std::string pending;
    pollfd p = {0, POLLIN, 0};
    while (poll(&p, 1, 0) > 0) {
        char chunk[256];
        const ssize_t n = read(0, chunk, sizeof chunk);
        if (n <= 0) {
            pending += "\nquit\n";
            break;
        }
        pending.append(chunk, static_cast<std::size_t>(n));
    }
    const std::size_t at = pending.find('\n');
    if (at == std::string::npos)
        return false;
    line = pending.substr(0, at);
    pending.erase(0, at + 1);
    return true;
}

void answer(const std::string& text)
{
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
}

int probeMain(int, char**)
{
    Engine::Window& window = Engine::Window::instance();
    CornerButton button;
    answer("ready " + (os::hostWindowId().empty() ? std::string("0") : os::hostWindowId()));
    while (!Engine::EventHandler::instance().isQuit()) {
        draw(window);
        window.markDrawn();
        window.update();
        std::string line;
        while (readCommand(line)) {
            std::istringstream in(line);
            std::string command;
            in >> command;
            int a = 0, b = 0, c = 0, d = 0;
            in >> a >> b >> c >> d;
            if (command == "size")
                window.setSize(a, b);
            else if (command == "position")
                window.setPosition(a, b);
            else if (command == "moveby")
                window.moveBy(a, b);
            else if (command == "alpha")
                window.setAlpha(static_cast<std::uint8_t>(a));
            else if (command == "colorkey")
                window.setColorKey(Color(static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b),
                                         static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(d)));
            else if (command == "movable")
                window.setMovable(a != 0);
            else if (command == "cursor")
                window.setCursor(a);
            else if (command == "quit") {
                SDL_Event quit{};
                quit.type = SDL_QUIT;
                SDL_PushEvent(&quit);
            }
            if (command == "size" || command == "position" || command == "moveby") {
                draw(window);
                window.markDrawn();
                window.update();
            }
            std::ostringstream report;
            report << "ok " << window.getX() << ' ' << window.getY() << ' ' << window.getWidth() << ' '
                   << window.getHeight() << ' ' << int(window.getAlpha()) << ' ' << window.hasAlpha() << ' '
                   << window.hasColorKey() << ' ' << window.isDragging() << ' ' << button.presses << ' '
                   << window.getScreenWidth() << ' ' << (SDL_GetCursor() ? 1 : 0);
            answer(report.str());
        }
        SDL_Delay(10);
    }
    answer("bye");
    return 0;
}

} // namespace

int main(int argc, char** argv) { return Engine::runHost(probeMain, argc, argv); }
