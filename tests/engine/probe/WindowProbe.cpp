// A program that the window tests drive line by line on its standard input, inside the real
// host window: it draws a known picture whenever a frame is asked for and answers each
// command with one line. Between commands it sleeps in the frame loop's wait.
//   size W H | position X Y | moveby DX DY | alpha A | colorkey R G B A | movable 0|1 |
//   cursor N | report | quit
// A button in the top-left 40x40 corner takes every press there, as a widget would.
#include "engine/EventHandler.h"
#include "engine/Host.h"
#include "engine/UserEvent.h"
#include "engine/Window.h"
#include "os/HostWindow.h"

#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

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

// Commands come from a reader thread as user records, as the poller's statuses do, so that
// the probe's loop sleeps in the real frame wait between them.
constexpr int commandCode = 300;

struct CommandInbox : Engine::UserListner {
    bool onUserEvent(const SDL_Event& event, bool) override
    {
        if (event.user.code != commandCode)
            return false;
        lines.push_back(*static_cast<const std::string*>(event.user.data1));
        return true;
    }
    std::vector<std::string> lines;
};

void readCommands()
{
    std::string pending;
    char chunk[256];
    ssize_t n = 0;
    while ((n = read(0, chunk, sizeof chunk)) > 0) {
        pending.append(chunk, static_cast<std::size_t>(n));
        for (std::size_t at = pending.find('\n'); at != std::string::npos; at = pending.find('\n')) {
            Engine::pushUserRecord(commandCode, new std::string(pending.substr(0, at)));
            pending.erase(0, at + 1);
        }
    }
    Engine::pushUserRecord(commandCode, new std::string("quit"));
}

void answer(const std::string& text)
{
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
}

int probeMain(int, char**)
{
    Engine::Window& window = Engine::Window::instance();
    Engine::EventHandler& events = Engine::EventHandler::instance();
    CornerButton button;
    CommandInbox inbox;
    std::thread reader(readCommands);
    reader.detach(); // ends with the process: it may sit in read() for ever
    answer("ready " + (os::hostWindowId().empty() ? std::string("0") : os::hostWindowId()));
    while (!events.isQuit()) {
        if (events.takeRedrawRequest()) {
            draw(window);
            window.markDrawn();
        }
        window.update();
        std::vector<std::string> lines;
        lines.swap(inbox.lines);
        for (const std::string& line : lines) {
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
        events.waitForEvents();
    }
    answer("bye");
    return 0;
}

} // namespace

int main(int argc, char** argv) { return Engine::runHost(probeMain, argc, argv); }
