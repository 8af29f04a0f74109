// The Linux program: problems go to the terminal, and with a display the window is an X window
// (SDL must not fall back to drawing text art in the terminal when the display cannot be opened).
#include "app/Startup.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (!std::getenv("SDL_VIDEODRIVER") && std::getenv("DISPLAY"))
        setenv("SDL_VIDEODRIVER", "x11", 1);
    return runProgram(argc, argv, [](const std::string& problem) {
        std::fprintf(stderr, "holmikziviza: %s%s", problem.c_str(), !problem.empty() && problem.back() == '\n' ? "" : "\n");
    });
}
