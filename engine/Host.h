// The process entry's work: create the host window and hand it to SDL, start SDL, SDL_ttf
// and SDL_image, build the engine window, run the application's main, then take the window
// down. Start-up failures of SDL end the process with an error box and exit code -1.
#pragma once

#include <string>

namespace Engine {

// Runs applicationMain(argc, argv) inside the host window; returns 0. With
// SDL_VIDEODRIVER=dummy no desktop window is made and SDL draws into memory. desktopName is
// the window's name where the desktop knows windows by their program (X11).
int runHost(int (*applicationMain)(int, char**), int argc, char** argv, const std::string& desktopName = "Engine");

} // namespace Engine
