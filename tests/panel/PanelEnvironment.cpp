#include "tests/panel/PanelEnvironment.h"

#include "engine/Window.h"
#include "tests/support/SdlInput.h"
#include "tests/support/TempDir.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <cstdlib>
#include <filesystem>

namespace panel_testing {

const std::string& enterProgram()
{
    static testing_support::TempDir* data = nullptr;
    static std::string folder;
    if (!data) {
        setenv("HOLMIK_DIALOGS", "stderr", 1);
        static testing_support::TempHome home; // for the whole run
        data = new testing_support::TempDir;
        testing_support::copyDataTemplate(data->path());
        std::filesystem::current_path(data->path());
        folder = std::filesystem::current_path().string();
        testing_support::startDummyVideo();
        TTF_Init();
        IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG);
        Engine::Window::instance();
    }
    return folder;
}

} // namespace panel_testing
