#include "app/Startup.h"

#include "BuildConfig.h"
#include "app/ApplicationMain.h"
#include "app/DataFolder.h"
#include "app/DemoServers.h"
#include "app/Options.h"
#include "engine/Host.h"
#include "os/AtomicFile.h"
#include "os/FileSystem.h"
#include "os/InstanceLock.h"
#include "os/MessageBox.h"
#include "os/Sockets.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace {

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

// One copy per data folder: a second start brings the first one's window to the front and
// leaves. True when this copy may go on.
bool becomeTheOnlyCopy()
{
    const char separator = os::pathSeparator();
    const std::string lockFile = os::currentDirectory() + separator + "data" + separator + "HolmikZiviza.lock";
    if (os::takeInstanceLock(lockFile) != os::InstanceLockResult::HeldElsewhere)
        return true;
    const bool raised = os::raiseWindow(os::readInstanceNote(lockFile));
    std::printf("holmikziviza: already running with this data folder%s\n",
                raised ? "; its window is in front now" : "");
    std::fflush(stdout);
    return false;
}

// What a copy that ended during a write left behind in the data folder and the map cache.
// Only the one copy running there may do this.
void sweepTemporaryFiles(const std::string& folder, int depth = 2)
{
    std::vector<os::DirectoryEntry> entries;
    if (!os::listDirectory(folder, entries))
        return;
    for (const os::DirectoryEntry& entry : entries) {
        const std::string path = folder + os::pathSeparator() + entry.name;
        if (entry.isDirectory && depth > 0 && entry.name != "." && entry.name != "..")
            sweepTemporaryFiles(path, depth - 1);
        else if (!entry.isDirectory && os::isTemporaryName(entry.name))
            os::deleteFile(path);
    }
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

} // namespace

int runProgram(int argc, char** argv, void (*tell)(const std::string& problem))
{
    ServerHosts& hosts = serverHosts();
    const Options options = parseOptions(argc, argv, hosts);
    if (!options.error.empty()) {
        tell(options.error + "\n\n" + optionsHelp());
        return 2;
    }
    if (printInformation(options))
        return 0;
    if (!enterRunFolder())
        return 1;
    if (!becomeTheOnlyCopy())
        return 0;
    sweepTemporaryFiles(os::currentDirectory() + os::pathSeparator() + "data");
    std::unique_ptr<DemoServers> demo;
    if (options.demo) {
        if (!(demo = startDemoServers(hosts))) {
            tell("The demo servers could not start");
            return 1;
        }
        std::fprintf(stderr, "holmikziviza: demo servers on 127.0.0.1:%u (CS:Go) and 127.0.0.1:%u (CS:Source)\n",
                     static_cast<unsigned>(hosts.csgoPort), static_cast<unsigned>(hosts.cssPort));
    }
    return Engine::runHost(applicationMain, argc, argv, "HolmikZiviza");
}
