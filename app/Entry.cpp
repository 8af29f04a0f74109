// The Linux program: reads the command line, finds the folder to run in (its own, or the
// user's copy of the installed data folder), starts the built-in test servers for --demo,
// then hands over to the engine's host start-up, which runs the application main.
#include "BuildConfig.h"
#include "app/ApplicationMain.h"
#include "app/DataFolder.h"
#include "app/DemoServers.h"
#include "app/Options.h"
#include "engine/Directory.h"
#include "engine/Host.h"
#include "os/FileSystem.h"
#include "os/MessageBox.h"
#include "panel/ServerHosts.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char** argv)
{
    ServerHosts& hosts = serverHosts();
    const Options options = parseOptions(argc, argv, hosts);
    if (!options.error.empty()) {
        std::fprintf(stderr, "holmikziviza: %s\n\n%s", options.error.c_str(), optionsHelp());
        return 2;
    }
    if (options.help) {
        std::fputs(optionsHelp(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("holmikziviza %s\n", BuildConfig::version);
        return 0;
    }

    // Wherever it is started from, the program runs beside its data folder, as the launcher
    // and a Windows shortcut start it.
    std::string problem;
    const std::string folder = DataFolder::runFolder(os::executableDirectory(), os::userDataDirectory(), problem);
    if (!problem.empty()) {
        os::messageBox(problem, "HolmikZiviza", os::MessageBoxOk | os::MessageBoxIconError);
        return 1;
    }
    if (!folder.empty())
        os::setCurrentDirectory(folder);

    // With a display, the window is an X window; SDL must not fall back to drawing text art
    // in the terminal when the display cannot be opened.
    if (!std::getenv("SDL_VIDEODRIVER") && std::getenv("DISPLAY"))
        setenv("SDL_VIDEODRIVER", "x11", 1);

    std::unique_ptr<DemoServers> demo;
    if (options.demo) {
        demo = std::make_unique<DemoServers>();
        if (!demo->start(hosts)) {
            std::fprintf(stderr, "holmikziviza: the demo servers could not start\n");
            return 1;
        }
        std::fprintf(stderr, "holmikziviza: demo servers on 127.0.0.1:%u (CS:Go) and 127.0.0.1:%u (CS:Source)\n",
                     static_cast<unsigned>(hosts.csgoPort), static_cast<unsigned>(hosts.cssPort));
    }
    return Engine::runHost(applicationMain, argc, argv);
}
