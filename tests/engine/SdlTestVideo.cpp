#include "tests/engine/SdlTestVideo.h"

#include "tests/support/SdlInput.h"

#include <SDL_ttf.h>
#include <gtest/gtest.h>


namespace engine_tests {

void startDummyVideo()
{
    static bool started = false;
    if (started)
        return;
    testing_support::startDummyVideo();
    ASSERT_NE(SDL_SetVideoMode(320, 240, 32, SDL_SWSURFACE), nullptr) << SDL_GetError();
    ASSERT_EQ(TTF_Init(), 0) << TTF_GetError();
    started = true;
    testing_support::dropQueuedEvents();
}

Rgb pixelAt(SDL_Surface* surface, int x, int y)
{
    SDL_LockSurface(surface);
    Uint32 value = *reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch + x * 4);
    SDL_UnlockSurface(surface);
    Uint8 r, g, b;
    SDL_GetRGB(value, surface->format, &r, &g, &b);
    return {r, g, b};
}

int countOther(SDL_Surface* surface, Rgb background)
{
    int count = 0;
    for (int y = 0; y < surface->h; ++y)
        for (int x = 0; x < surface->w; ++x)
            if (!(pixelAt(surface, x, y) == background))
                ++count;
    return count;
}

} // namespace engine_tests
