#include "tests/support/ProgramProcess.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace testing_support {

namespace {

std::string firstLine(const std::string& command)
{
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        if (fgets(buffer, sizeof buffer, pipe))
            out = buffer;
        pclose(pipe);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == ' '))
        out.pop_back();
    return out;
}

} // namespace

ProgramProcess::ProgramProcess(const std::string& display) : display(display)
{
    std::filesystem::copy(HOLMIK_BIN_DIR "/holmikziviza", folder.file("holmikziviza"));
    copyDataTemplate(folder.file("data"));
    std::filesystem::remove(folder.file("data/Settings.xml"));
}

ProgramProcess::~ProgramProcess()
{
    if (pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

void ProgramProcess::start(const std::vector<std::string>& arguments, const std::vector<std::string>& environment)
{
    const std::string program = folder.file("holmikziviza");
    pid = fork();
    if (pid != 0)
        return;
    setenv("DISPLAY", display.c_str(), 1);
    setenv("HOLMIK_DIALOGS", "stderr", 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    for (const std::string& entry : environment)
        putenv(const_cast<char*>(entry.c_str()));
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
}

std::string ProgramProcess::waitForWindow(int milliseconds) const
{
    for (int waited = 0; waited < milliseconds; waited += 100) {
        const std::string id =
            firstLine("DISPLAY=" + display + " xdotool search --class 'Engine SDL Window' 2>/dev/null");
        if (!id.empty())
            return id;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return {};
}

void ProgramProcess::signal(int number) const
{
    if (pid > 0)
        kill(pid, number);
}

int ProgramProcess::waitForExit(int milliseconds)
{
    for (int waited = 0; pid > 0 && waited <= milliseconds; waited += 20) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            pid = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

} // namespace testing_support
