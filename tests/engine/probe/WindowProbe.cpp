// A program that the window tests drive line by line on its standard input, inside the real
// host window: it draws a known picture whenever a frame is asked for and answers each
// command with one line. Between commands it sleeps in the frame loop's wait.
//   size W H | position X Y | moveby DX DY | alpha A | report | quit
#include "engine/EventHandler.h"
#include "engine/Host.h"
#include "engine/UserEvent.h"
#include "engine/Window.h"
#include "os/HostWindow.h"

#include <SDL.h>

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>

namespace {

void draw(Engine::Window& window)
{
    window.fill(White);
    window.drawRect(0, 0, 39, 39, Blue, true);  // a 40x40 blue corner
    window.drawRect(50, 10, 20, 10, Red, true); // a 21x11 red box at (50, 10)
    window.drawRect(0, 0, window.getWidth() - 1, window.getHeight() - 1, Black, false);
    window.markDrawn();
}

// Commands come from a reader thread as user records, as the poller's statuses do, so that
// the probe's loop sleeps in the real frame wait between them; each is carried out as its
// record is dispatched.
constexpr int commandCode = 300;

struct CommandInbox : Engine::UserListner {
    bool onUserEvent(const SDL_Event& event, bool) override
    {
        if (event.user.code != commandCode)
            return false;
        Engine::Window& window = Engine::Window::instance();
        std::istringstream in(*static_cast<const std::string*>(event.user.data1));
        std::string command;
        int a = 0, b = 0;
        in >> command >> a >> b;
        if (command == "size")
            window.setSize(a, b);
        else if (command == "position")
            window.setPosition(a, b);
        else if (command == "moveby")
            window.moveBy(a, b);
        else if (command == "alpha")
            window.setAlpha(static_cast<std::uint8_t>(a));
        else if (command == "quit")
            Engine::EventHandler::instance().setQuit(true);
        std::printf("ok %d %d %d %d %d %d %d %d\n", window.getX(), window.getY(), window.getWidth(), window.getHeight(),
                    window.hasAlpha(), window.hasColorKey(), window.isDragging(), window.getScreenWidth());
        std::fflush(stdout);
        return true;
    }
};

int probeMain(int, char**)
{
    Engine::Window& window = Engine::Window::instance();
    Engine::EventHandler& events = Engine::EventHandler::instance();
    CommandInbox inbox;
    std::thread([] {
        for (std::string line; std::getline(std::cin, line);)
            Engine::pushUserRecord(commandCode, new std::string(line));
        Engine::pushUserRecord(commandCode, new std::string("quit"));
    }).detach(); // ends with the process: it may sit in a read for ever
    std::printf("ready %s\n", os::hostWindowId().empty() ? "0" : os::hostWindowId().c_str());
    std::fflush(stdout);
    while (!events.isQuit()) {
        if (events.takeRedrawRequest())
            draw(window);
        window.update();
        events.waitForEvents();
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) { return Engine::runHost(probeMain, argc, argv); }
