// The press rules that Button and ImageButton share: a left press inside holds the button,
// a left release inside while held lets it go and counts; moving off, or a click that an
// earlier widget took, lets it go without counting.
#pragma once

#include <SDL.h>

namespace Engine::Gui {

class PressState {
public:
    enum class Change {
        None,    // nothing happened
        Dropped, // the hold ended without a click: redraw, tell nobody
        Toggled, // pressed or released by the user: redraw and tell the parent
    };

    bool isPressed() const { return pressed; }
    Change onMotion(bool inside, bool handled);
    Change onButton(const SDL_Event& event, bool inside, bool handled);

private:
    Change drop();

    bool pressed = false;
};

} // namespace Engine::Gui
