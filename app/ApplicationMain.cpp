#include "app/ApplicationMain.h"

#include "app/ServerPollers.h"
#include "app/Termination.h"
#include "app/UpdateCheck.h"
#include "app/WindowPlacement.h"
#include "engine/Directory.h"
#include "engine/EventHandler.h"
#include "engine/Window.h"
#include "history/HistoryRecorder.h"
#include "os/HostWindow.h"
#include "os/InstanceLock.h"
#include "os/MessageBox.h"
#include "os/Notifications.h"
#include "os/Sockets.h"
#include "panel/MainGui.h"
#include "panel/ServerHosts.h"
#include "settings/Settings.h"

#include <cstdlib>
#include <string>

int applicationMain(int, char**)
{
    Termination::endAtOnce();
    const int started = os::socketsStartup();
    if (started != 0) {
        os::messageBox("WSAStartup returned : " + std::to_string(started), "Failed to initialize Winsock 2.0",
                       os::MessageBoxIconError);
        std::exit(-2);
    }

    Directory wd = currentDirectory();
    wd = setCurrentDirectory(joinPath(wd.getPath(), "data"));
    if (wd.getPath().empty()) {
        os::messageBox("Failed to set the working directory", "Fail", os::MessageBoxOk);
        return 0;
    }

    Settings& settings = Settings::instance();

    ServerHosts& hosts = serverHosts();
    takeServersFromSettings(hosts, settings);
    runUpdateCheck(settings.getUpdate(), hosts.updateHost, Settings::getVersionMajor(), Settings::getVersionMinor(),
                   Settings::getVersionPatch(), [&settings](const std::string& text) { return settings.translate(text); });

    Termination::endTheFrameLoop();
    ServerPollers pollers;
    pollers.follow(hosts);
    // The players' history, kept beside the settings; its thread never holds up the window.
    HistoryRecorder history("History.sqlite");
    history.start();
    {
        MainGui mainPanel;
        mainPanel.setHistory(&history);
        // A server address saved in the settings panel is watched from then on.
        mainPanel.setServersChangedHandler([&pollers] { pollers.follow(serverHosts()); });
        // Without a notification service the program runs as before (it says so once).
        os::startNotifications("HolmikZiviza");
        Engine::Window& window = Engine::Window::instance();
        // A Width wider than leaves the settings panel room on the screen is brought to it.
        settings.fitWidthToScreen(window.getPrimaryScreenWidth());
        window.setAlpha(settings.getAlpha());
        int x = settings.getX(), y = settings.getY();
        keepOnScreens(x, y, window.getWidth(), window.getHeight(), os::screenAreas());
        window.setPosition(x, y);
        // A second start finds the window here to bring it to the front.
        os::writeInstanceNote(os::hostWindowId());
        settings.save();

        // Each frame draws what changed, hands out what arrived, and sleeps until the next
        // thing happens.
        Engine::EventHandler& events = Engine::EventHandler::instance();
        while (!events.isQuit()) {
            mainPanel.draw();
            window.update();
            events.waitForEvents();
        }

        pollers.stop();
        history.stop(); // the running minute is written too
        os::stopNotifications();
        os::socketsCleanup();
    } // the main panel goes before the pollers
    return 0;
}
