#include "tests/support/ProgramUnderX.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace testing_support {

unsigned Picture::at(int x, int y) const
{
    const auto* p = reinterpret_cast<const unsigned char*>(&rgb[(static_cast<std::size_t>(y) * width + x) * 3]);
    return unsigned(p[0]) << 16 | unsigned(p[1]) << 8 | p[2];
}

std::vector<int> Picture::rows(unsigned colour, int x0, int x1, int y0, int y1) const
{
    auto near = [](unsigned a, unsigned b, int shift) { return std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) <= 4; };
    std::vector<int> found;
    for (int y = y0; y < std::min(height, y1); ++y)
        for (int x = x0; x < std::min(width, x1); ++x)
            if (near(at(x, y), colour, 16) && near(at(x, y), colour, 8) && near(at(x, y), colour, 0)) {
                found.push_back(y);
                break;
            }
    return found;
}

ProgramUnderX::ProgramUnderX()
{
    fs::copy(HOLMIK_BIN_DIR "/holmikziviza", folder.file("holmikziviza"));
    copyDataTemplate(folder.file("data"));
}

std::string ProgramUnderX::missing()
{
    return commandOutput("for t in Xvfb xdotool import; do command -v $t >/dev/null || echo -n \"$t \"; done");
}

void ProgramUnderX::start(const std::vector<std::string>& arguments, const std::vector<std::string>& environment)
{
    // From the root folder: the program finds its data beside itself.
    std::vector<std::string> argv{"sh", "-c", "cd / && exec \"$0\" \"$@\"", folder.file("holmikziviza")};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> variables{"DISPLAY=" + x.display(), "HOLMIK_DIALOGS=stderr", "SDL_VIDEODRIVER=x11"};
    variables.insert(variables.end(), environment.begin(), environment.end());
    window.clear();
    program = std::make_unique<ChildProcess>(argv, variables);
}

std::string ProgramUnderX::runAgain(const std::vector<std::string>& arguments, int timeoutMs, int& code) const
{
    std::string line = "cd / && DISPLAY=" + x.display() + " HOLMIK_DIALOGS=stderr SDL_VIDEODRIVER=x11 timeout -s KILL " +
                       std::to_string(timeoutMs / 1000.0) + " '" + folder.file("holmikziviza") + "'";
    for (const std::string& argument : arguments)
        line += " '" + argument + "'";
    const std::string output = commandOutput(line, true, &code);
    if (code == 137)
        code = -2;
    return output;
}

bool ProgramUnderX::waitForWindow(int milliseconds)
{
    return waitUntil([&] { return !(window = xdotool("search --onlyvisible --class 'HolmikZiviza' | head -n1")).empty(); },
                     milliseconds);
}

std::string ProgramUnderX::onDisplay(const std::string& command) const
{
    return commandOutput("DISPLAY=" + x.display() + " " + command);
}

void ProgramUnderX::click(int px, int py) const
{
    xdotool("mousemove --window " + window + " " + std::to_string(px) + " " + std::to_string(py) + " click 1");
    os::sleepMilliseconds(200);
}

std::string ProgramUnderX::windowField(const std::string& name) const
{
    const std::string all = xdotool("getwindowgeometry " + window);
    const std::size_t at = all.find(name);
    return at == std::string::npos ? "" : all.substr(at + name.size(), all.find_first_of(" \n", at + name.size()) - at - name.size());
}

Picture ProgramUnderX::grab() const
{
    const std::string ppm = commandOutput("import -display " + x.display() + " -window " + window + " -depth 8 ppm:- 2>/dev/null", false);
    Picture p;
    int depth = 0, used = 0;
    if (std::sscanf(ppm.c_str(), "P6 %d %d %d%n", &p.width, &p.height, &depth, &used) == 3)
        p.rgb = ppm.substr(used + 1);
    return p.rgb.size() >= std::size_t(p.width) * p.height * 3 ? p : Picture();
}

void ProgramUnderX::screenshot(const std::string& name) const
{
    fs::create_directories(HOLMIK_BIN_DIR "/../test-screenshots");
    commandOutput("import -display " + x.display() + " -window root " HOLMIK_BIN_DIR "/../test-screenshots/" + name);
}

} // namespace testing_support
