// What one frame of the always-on window costs, inside the real host window on a private X
// server (Xvfb): an idle frame (nothing changed: update() polls an empty queue and presents
// the screen), a frame that blits a finished panel picture, and a frame that renders ten
// lines of text. "cpu_per_s_at_100fps" is this process's CPU time per frame times the 100
// frames a second of the main loop; "xserver_cpu_per_s_at_100fps" is the X server's share.
#include "engine/Host.h"
#include "engine/TextSurface.h"
#include "engine/Window.h"
#include "tests/support/XvfbServer.h"

#include <benchmark/benchmark.h>

#include <dirent.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const std::string font = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const int panelWidth = 250, panelHeight = 400; // about the status panel's size

// CPU seconds of our Xvfb (a child of this process), 0 when it cannot be found.
double xServerCpuSeconds()
{
    static long pid = -1;
    if (pid < 0) {
        pid = 0;
        if (DIR* proc = opendir("/proc")) {
            while (dirent* entry = readdir(proc)) {
                std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
                std::string name;
                long self = 0, parent = 0;
                char runState = 0;
                if (stat >> self >> name >> runState >> parent && parent == getpid() && name == "(Xvfb)")
                    pid = self;
            }
            closedir(proc);
        }
    }
    if (pid == 0)
        return 0;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string field;
    double ticks = 0;
    for (int i = 1; i <= 15 && stat >> field; ++i)
        if (i == 14 || i == 15) // utime, stime
            ticks += std::stod(field);
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double processCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Runs frames and reports their CPU cost scaled to the main loop's 100 frames a second.
template <typename Frame>
void measureFrames(benchmark::State& state, Frame frame)
{
    const double cpu0 = processCpuSeconds(), server0 = xServerCpuSeconds();
    for (auto _ : state)
        frame();
    const double frames = static_cast<double>(state.iterations());
    state.counters["cpu_per_s_at_100fps"] = (processCpuSeconds() - cpu0) / frames * 100;
    state.counters["xserver_cpu_per_s_at_100fps"] = (xServerCpuSeconds() - server0) / frames * 100;
}

void IdleFrame(benchmark::State& state)
{
    Engine::Window& window = Engine::Window::instance();
    window.setSize(panelWidth, panelHeight);
    window.fill(Black);
    measureFrames(state, [&] { window.update(); });
}
BENCHMARK(IdleFrame)->Unit(benchmark::kMicrosecond);

void PanelPictureFrame(benchmark::State& state)
{
    Engine::Window& window = Engine::Window::instance();
    window.setSize(panelWidth, panelHeight);
    Engine::Surface picture = Engine::Surface::displayFormat(Engine::Surface(panelWidth, panelHeight));
    picture.fill(DarkSlateGray);
    measureFrames(state, [&] {
        window.blit(0, 0, picture);
        window.update();
    });
}
BENCHMARK(PanelPictureFrame)->Unit(benchmark::kMicrosecond);

void TenTextLinesFrame(benchmark::State& state)
{
    Engine::Window& window = Engine::Window::instance();
    window.setSize(panelWidth, panelHeight);
    const int skip = Engine::TextSurface::lineSkip(font, 9);
    measureFrames(state, [&] {
        window.fill(Black);
        for (int line = 0; line < 10; ++line) {
            Engine::TextSurface text("Player " + std::to_string(line) + "  12 kills  00:42:17", font, 9, White);
            window.blit(4, 4 + line * skip, text);
        }
        window.update();
    });
}
BENCHMARK(TenTextLinesFrame)->Unit(benchmark::kMicrosecond);

int benchMain(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    testing_support::XvfbServer x;
    if (!x.running()) {
        std::fprintf(stderr, "Xvfb did not start\n");
        return 1;
    }
    setenv("DISPLAY", x.display().c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    return Engine::runHost(benchMain, argc, argv);
}
