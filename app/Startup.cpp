#include "app/Startup.h"

#include "BuildConfig.h"
#include "app/DataFolder.h"
#include "os/FileSystem.h"
#include "os/MessageBox.h"
#include "os/Sockets.h"

#include <cstdio>

bool printInformation(const Options& options)
{
    if (options.help)
        std::fputs(optionsHelp(), stdout);
    else if (options.version)
        std::printf("holmikziviza %s\n", BuildConfig::version);
    return options.help || options.version;
}

bool enterRunFolder()
{
    std::string problem;
    const std::string folder = DataFolder::runFolder(os::executableDirectory(), os::userDataDirectory(), problem);
    if (!problem.empty()) {
        os::messageBox(problem, "HolmikZiviza", os::MessageBoxOk | os::MessageBoxIconError);
        return false;
    }
    if (!folder.empty())
        os::setCurrentDirectory(folder);
    return true;
}

std::unique_ptr<DemoServers> startDemoServers(ServerHosts& hosts)
{
    // Winsock counts its start-ups: the demo servers' sockets need one before the
    // application main makes its own.
    os::socketsStartup();
    auto demo = std::make_unique<DemoServers>();
    if (!demo->start(hosts))
        return nullptr;
    return demo;
}
