// The Windows program. A shortcut or Explorer starts it in its own folder; it runs beside
// its data folder wherever it was started from (the zip keeps them together), then hands
// over to the engine's host start-up (the "Engine SDL Window" class, the layered tool
// window, SDL_WINDOWID), which runs the application main. The program needs no arguments;
// it reads the same options as the Linux program, so that a test or a user can point it at
// another server. Having no console, it tells its problems in message boxes.
#include "app/ApplicationMain.h"
#include "app/Startup.h"
#include "engine/Host.h"
#include "os/MessageBox.h"

int main(int argc, char** argv)
{
    ServerHosts& hosts = serverHosts();
    const Options options = parseOptions(argc, argv, hosts);
    if (!options.error.empty()) {
        os::messageBox(options.error + "\n\n" + optionsHelp(), "HolmikZiviza", os::MessageBoxIconError);
        return 2;
    }
    if (printInformation(options))
        return 0;
    if (!enterRunFolder())
        return 1;

    std::unique_ptr<DemoServers> demo;
    if (options.demo && !(demo = startDemoServers(hosts))) {
        os::messageBox("The demo servers could not start", "HolmikZiviza", os::MessageBoxIconError);
        return 1;
    }
    return Engine::runHost(applicationMain, argc, argv);
}
