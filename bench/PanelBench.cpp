// What the status window costs: a rebuild of the panel picture after a status with a full
// server (64 players), an idle frame (nothing changed) and a change in the settings panel,
// headless with SDL's dummy driver.
#include "engine/Window.h"
#include "panel/MainGui.h"
#include "panel/ServerHosts.h"
#include "settings/Settings.h"
#include "tests/support/TempDir.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

MainGui& program()
{
    static testing_support::TempDir data;
    static MainGui* gui = nullptr;
    if (!gui) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("HOLMIK_DIALOGS", "stderr", 1);
        for (const auto& entry : std::filesystem::directory_iterator(HOLMIK_DATA_DIR))
            if (entry.is_regular_file())
                std::filesystem::copy_file(entry.path(), std::filesystem::path(data.path()) / entry.path().filename());
        std::filesystem::current_path(data.path());
        SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_NOPARACHUTE);
        TTF_Init();
        IMG_Init(IMG_INIT_JPG);
        Engine::Window::instance();
        Settings::instance().setOverView(false);
        Settings::instance().setTime(true);
        gui = new MainGui;
        ServerStatus status(serverHosts().csgoHost, 27015);
        status.setPing(25);
        status.setAnswered(true);
        status.setMap("de_dust2");
        for (int i = 0; i < 64; ++i)
            status.insertPlayer(Player(static_cast<std::uint8_t>(i), "Player number " + std::to_string(i), i % 17,
                                       100.0f * static_cast<float>(i)));
        SDL_Event e{};
        e.type = SDL_USEREVENT;
        e.user.code = 256;
        e.user.data1 = &status;
        gui->onUserEvent(e, false);
        gui->draw();
    }
    return *gui;
}

void RebuildWith64Players(benchmark::State& state)
{
    MainGui& gui = program();
    for (auto _ : state) {
        gui.rebuild();
        benchmark::DoNotOptimize(gui.getPanel().getHeight());
    }
}
BENCHMARK(RebuildWith64Players)->Unit(benchmark::kMillisecond);

void IdleFrame(benchmark::State& state)
{
    MainGui& gui = program();
    gui.draw();
    for (auto _ : state)
        gui.draw();
}
BENCHMARK(IdleFrame)->Unit(benchmark::kMicrosecond);

} // namespace

// What one change in the settings panel costs it: every page laid out again, translated and
// coloured (a colour, a flag, a number's "Change", each key typed into the custom name).
void SettingsPanelChange(benchmark::State& state)
{
    SettingsGui& panel = program().getSettingsGui();
    for (auto _ : state) {
        panel.layout();
        benchmark::DoNotOptimize(panel.getWidth());
    }
}
BENCHMARK(SettingsPanelChange)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
