#include "tests/support/SdlInput.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace testing_support {

void startDummyVideo()
{
    static bool started = false;
    if (started)
        return;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE), 0) << SDL_GetError();
    started = true;
}

void dropQueuedEvents()
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
}

void pushMotion(int x, int y)
{
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = static_cast<Uint16>(x);
    event.motion.y = static_cast<Uint16>(y);
    ASSERT_EQ(SDL_PushEvent(&event), 0);
}

void pushButton(bool down, int x, int y, Uint8 button)
{
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = button;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.x = static_cast<Uint16>(x);
    event.button.y = static_cast<Uint16>(y);
    ASSERT_EQ(SDL_PushEvent(&event), 0);
}

void pushKey(bool down, SDLKey sym, Uint16 unicode)
{
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = sym;
    event.key.keysym.unicode = down ? unicode : 0;
    ASSERT_EQ(SDL_PushEvent(&event), 0);
}

} // namespace testing_support
