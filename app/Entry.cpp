// The Linux program: reads the command line, finds the folder to run in (its own, or the
// user's copy of the installed data folder), starts the built-in test servers for --demo,
// then hands over to the engine's host start-up, which runs the application main.
#include "app/ApplicationMain.h"
#include "app/Startup.h"
#include "engine/Host.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    ServerHosts& hosts = serverHosts();
    const Options options = parseOptions(argc, argv, hosts);
    if (!options.error.empty()) {
        std::fprintf(stderr, "holmikziviza: %s\n\n%s", options.error.c_str(), optionsHelp());
        return 2;
    }
    if (printInformation(options))
        return 0;
    if (!enterRunFolder())
        return 1;

    // With a display, the window is an X window; SDL must not fall back to drawing text art
    // in the terminal when the display cannot be opened.
    if (!std::getenv("SDL_VIDEODRIVER") && std::getenv("DISPLAY"))
        setenv("SDL_VIDEODRIVER", "x11", 1);

    std::unique_ptr<DemoServers> demo;
    if (options.demo) {
        if (!(demo = startDemoServers(hosts))) {
            std::fprintf(stderr, "holmikziviza: the demo servers could not start\n");
            return 1;
        }
        std::fprintf(stderr, "holmikziviza: demo servers on 127.0.0.1:%u (CS:Go) and 127.0.0.1:%u (CS:Source)\n",
                     static_cast<unsigned>(hosts.csgoPort), static_cast<unsigned>(hosts.cssPort));
    }
    return Engine::runHost(applicationMain, argc, argv);
}
