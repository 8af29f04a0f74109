// Cost of one frame of widgets on the screen surface: a panel the size of the settings
// panel's Colors tab when nothing changed (blits only), with a focused text box blinking
// its caret, and when one label changed its text (one render). HOLMIK_DATA_DIR, the folder
// with the program's font, comes with the test helpers (tests/support/).
#include "engine/Window.h"
#include "engine/gui/Button.h"
#include "engine/gui/CheckBox.h"
#include "engine/gui/ComboBox.h"
#include "engine/gui/Frame.h"
#include "engine/gui/Label.h"
#include "engine/gui/TextBox.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

using namespace Engine::Gui;

const std::string font = std::string(HOLMIK_DATA_DIR) + "/tahoma.ttf";

void startScreen()
{
    static bool started = false;
    if (started)
        return;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE);
    TTF_Init();
    Engine::Window::instance().setSize(250, 500);
    started = true;
}

struct Panel {
    Panel() : frame(std::make_unique<Frame>("SettingsGui", font))
    {
        frame->setBounds(0, 0, 250, 500);
        for (int i = 0; i < 5; ++i)
            frame->addButton("TabButton" + std::to_string(i), "Tab", 50 * i, 0)->setBounds(50 * i, 0, 50, 16);
        first = frame->addLabel("ColorLabel", "RRGGBB", 5, 25);
        for (int row = 0; row < 10; ++row) {
            TextBox* box = frame->addTextBox("ColorTextBox" + std::to_string(row), "FFA500", 5, 45 + 25 * row);
            box->setMultiLine(false);
            box->setBounds(5, 45 + 25 * row, 60, 16);
            box->setMaxLength(6);
            frame->addLabel("ColorLabel" + std::to_string(row), "Colour row", 75, 45 + 25 * row);
        }
        frame->addCheckBox("AutoStartCheck", "AutoStart With Windows", true, 5, 300)->setTextFirst(false);
        ComboBox* combo = frame->addComboBox("LanguageCombo", 5, 320);
        for (const char* language : {"English", "Svenska", "Deutsch"})
            combo->addItem(language);
        combo->setSelectedIndex(0);
        frame->draw();
    }
    std::unique_ptr<Frame> frame;
    Label* first = nullptr;
};

void BM_IdleFrame(benchmark::State& state)
{
    startScreen();
    Panel panel;
    for (auto _ : state)
        panel.frame->draw();
}
BENCHMARK(BM_IdleFrame);

void BM_IdleFrameWithFocusedTextBox(benchmark::State& state)
{
    startScreen();
    Panel panel;
    SDL_Event click{};
    click.type = SDL_MOUSEBUTTONDOWN;
    click.button.button = SDL_BUTTON_LEFT;
    click.button.x = 10;
    click.button.y = 50;
    SDL_PushEvent(&click);
    click.type = SDL_MOUSEBUTTONUP;
    SDL_PushEvent(&click);
    Engine::Window::instance().update();
    for (auto _ : state)
        panel.frame->draw();
}
BENCHMARK(BM_IdleFrameWithFocusedTextBox);

void BM_FrameAfterALabelChanged(benchmark::State& state)
{
    startScreen();
    Panel panel;
    bool flip = false;
    for (auto _ : state) {
        panel.first->setText(flip ? "RRGGBB" : "GGBBRR");
        flip = !flip;
        panel.frame->draw();
    }
}
BENCHMARK(BM_FrameAfterALabelChanged);

} // namespace

BENCHMARK_MAIN();
