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
    for (SDL_Event event; SDL_PollEvent(&event);) {
    }
}

static void push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 0); }

void pushMotion(int x, int y)
{
    SDL_Event event{};
    event.motion = {SDL_MOUSEMOTION, 0, 0, static_cast<Uint16>(x), static_cast<Uint16>(y), 0, 0};
    push(event);
}

void pushButton(bool down, int x, int y, Uint8 button)
{
    SDL_Event event{};
    event.button = {Uint8(down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP), 0, button, Uint8(down ? SDL_PRESSED : SDL_RELEASED),
                    static_cast<Uint16>(x), static_cast<Uint16>(y)};
    push(event);
}

void pushKey(bool down, SDLKey sym, Uint16 unicode)
{
    SDL_Event event{};
    event.key = {Uint8(down ? SDL_KEYDOWN : SDL_KEYUP), 0, Uint8(down ? SDL_PRESSED : SDL_RELEASED),
                 {0, sym, KMOD_NONE, Uint16(down ? unicode : 0)}};
    push(event);
}

} // namespace testing_support
