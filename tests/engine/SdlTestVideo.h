// SDL with its dummy video driver (no display needed), a 320x240 screen and SDL_ttf, started
// once per test process.
#pragma once

#include <SDL.h>

#include <string>

namespace engine_tests {

void startDummyVideo();
// The pixel at (x, y) of a 32-bit surface as r, g, b.
struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};
Rgb pixelAt(SDL_Surface* surface, int x, int y);
// How many pixels of the surface are not (r, g, b).
int countOther(SDL_Surface* surface, Rgb background);

inline const std::string testFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

} // namespace engine_tests
