// The Windows program. A shortcut or Explorer starts it in its own folder; it runs beside
// its data folder wherever it was started from (the zip keeps them together), then hands over to the engine's host
// start-up (the "Engine SDL Window" class, the layered tool window, SDL_WINDOWID), which
// runs the application main. The program needs no arguments; it reads the same options as
// the Linux program, so that a test or a user can point it at another server.
#include "BuildConfig.h"
#include "app/ApplicationMain.h"
#include "app/DataFolder.h"
#include "app/DemoServers.h"
#include "app/Options.h"
#include "engine/Host.h"
#include "os/FileSystem.h"
#include "os/MessageBox.h"
#include "os/Sockets.h"
#include "panel/ServerHosts.h"

#include <cstdio>
#include <memory>

namespace {

// Winsock counts its start-ups: the demo server's sockets need one before the application
// main makes its own.
void socketsStartupForDemo() { os::socketsStartup(); }

} // namespace

int main(int argc, char** argv)
{
    ServerHosts& hosts = serverHosts();
    const Options options = parseOptions(argc, argv, hosts);
    if (!options.error.empty()) {
        os::messageBox(options.error + "\n\n" + optionsHelp(), "HolmikZiviza", os::MessageBoxIconError);
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

    std::string problem;
    const std::string folder = DataFolder::runFolder(os::executableDirectory(), os::userDataDirectory(), problem);
    if (!problem.empty()) {
        os::messageBox(problem, "HolmikZiviza", os::MessageBoxOk | os::MessageBoxIconError);
        return 1;
    }
    if (!folder.empty())
        os::setCurrentDirectory(folder);

    std::unique_ptr<DemoServers> demo;
    if (options.demo) {
        socketsStartupForDemo();
        demo = std::make_unique<DemoServers>();
        if (!demo->start(hosts)) {
            os::messageBox("The demo servers could not start", "HolmikZiviza", os::MessageBoxIconError);
            return 1;
        }
    }
    return Engine::runHost(applicationMain, argc, argv);
}
