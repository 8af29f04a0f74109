// A user's hands for the tests that drive SDL: mouse and key events pushed into SDL's queue,
// for the real event handler to dispatch.
#pragma once

#include <SDL.h>

namespace testing_support {

// SDL video on the dummy driver (no window appears), once per process.
void startDummyVideo();
void dropQueuedEvents();
void pushMotion(int x, int y);
void pushButton(bool down, int x, int y, Uint8 button = SDL_BUTTON_LEFT);
// A key event; a release carries no character.
void pushKey(bool down, SDLKey sym, Uint16 unicode = 0);

} // namespace testing_support
