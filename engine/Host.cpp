#include "engine/Host.h"

#include "engine/Fatal.h"
#include "engine/Window.h"
#include "os/HostWindow.h"
#include "os/MessageBox.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace Engine {

namespace {

bool dummyVideo()
{
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    return driver && std::strcmp(driver, "dummy") == 0;
}

} // namespace

int runHost(int (*applicationMain)(int, char**), int argc, char** argv, const std::string& desktopName)
{
    if (!dummyVideo() && os::createHostWindow("Engine SDL Window", "Engine", desktopName, 100, 100, 200, 200)) {
        // SDL keeps the text itself in the environment.
        static std::string windowId;
        windowId = "SDL_WINDOWID=" + os::hostWindowId();
        SDL_putenv(windowId.data());
    }
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE) == -1)
        fatal(SDL_GetError(), "Failed To Initialize The Engine");
    if (TTF_Init() == -1)
        fatal(SDL_GetError(), "Failed To Initialize The Engine");
    if (IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG | IMG_INIT_TIF) == -1)
        os::messageBox(SDL_GetError(), "Failed To Initialize The Engine", os::MessageBoxIconError);

    Window::instance();
    SDL_EnableKeyRepeat(500, 30);
    SDL_EnableUNICODE(1);

    applicationMain(argc, argv);

    // SDL lets go of the window before it is destroyed.
    SDL_Quit();
    os::destroyHostWindow();
    return 0;
}

} // namespace Engine
