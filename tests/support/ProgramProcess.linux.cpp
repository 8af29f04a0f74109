#include "tests/support/ProgramProcess.h"

#include "tests/support/ChildProcess.h"

#include "os/Clock.h"

#include <csignal>
#include <filesystem>

namespace testing_support {

ProgramProcess::ProgramProcess(const std::string& display) : display(display)
{
    std::filesystem::copy(HOLMIK_BIN_DIR "/holmikziviza", folder.file("holmikziviza"));
    copyDataTemplate(folder.file("data"));
    std::filesystem::remove(folder.file("data/Settings.xml"));
}

ProgramProcess::~ProgramProcess()
{
    if (pid > 0)
        reap(pid, 0, true);
}

void ProgramProcess::start(const std::vector<std::string>& arguments, const std::vector<std::string>& environment)
{
    std::vector<std::string> argv{folder.file("holmikziviza")};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> variables{"DISPLAY=" + display, "HOLMIK_DIALOGS=stderr", "SDL_VIDEODRIVER=x11"};
    variables.insert(variables.end(), environment.begin(), environment.end());
    pid = spawn(argv, variables);
}

std::string ProgramProcess::waitForWindow(int milliseconds) const
{
    const std::uint32_t begin = os::monotonicMilliseconds();
    do {
        const std::string id =
            commandOutput("DISPLAY=" + display + " xdotool search --class 'Engine SDL Window' 2>/dev/null | head -n1");
        if (!id.empty())
            return id;
        os::sleepMilliseconds(100);
    } while (os::monotonicMilliseconds() - begin < static_cast<std::uint32_t>(milliseconds));
    return {};
}

void ProgramProcess::signal(int number) const
{
    if (pid > 0)
        kill(pid, number);
}

int ProgramProcess::waitForExit(int milliseconds)
{
    const int code = pid > 0 ? reap(pid, milliseconds) : -2;
    if (code == -2)
        return -1;
    pid = -1;
    return code;
}

} // namespace testing_support
