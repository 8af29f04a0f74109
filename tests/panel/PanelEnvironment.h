// A headless program for the panel tests: SDL's dummy video driver, the engine window, a
// temporary home and a temporary copy of the data folder as the working directory, for the
// whole run. Returns that folder.
#pragma once

#include "engine/Window.h"
#include "tests/support/SdlInput.h"
#include "tests/support/TempDir.h"

#include <SDL_image.h>
#include <SDL_ttf.h>

#include <cstdlib>
#include <filesystem>

namespace panel_testing {

inline const std::string& enterProgram()
{
    static std::string folder;
    if (folder.empty()) {
        setenv("HOLMIK_DIALOGS", "stderr", 1);
        static testing_support::TempHome home;
        static testing_support::TempDir* data = new testing_support::TempDir; // outlives the statics that use it
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
