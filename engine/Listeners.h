// The three listener interfaces. Constructing one registers the object with the event
// handler, destroying it removes it: what is built first hears an event first. Every
// operation gets the current event and whether an earlier listener already handled it,
// and returns true when it handled the event.
#pragma once

#include <SDL.h>

namespace Engine {

class MouseListner {
public:
    MouseListner();
    MouseListner(const MouseListner&);
    MouseListner& operator=(const MouseListner&) { return *this; }
    virtual ~MouseListner();

    virtual bool onMouseMotion(const SDL_Event& event, bool handled) = 0;
    virtual bool onMouseButton(const SDL_Event& event, bool handled) = 0;
};

class KeyboardListner {
public:
    KeyboardListner();
    KeyboardListner(const KeyboardListner&);
    KeyboardListner& operator=(const KeyboardListner&) { return *this; }
    virtual ~KeyboardListner();

    virtual bool onKeyboard(const SDL_Event& event, bool handled) = 0;
};

class UserListner {
public:
    UserListner();
    UserListner(const UserListner&);
    UserListner& operator=(const UserListner&) { return *this; }
    virtual ~UserListner();

    virtual bool onUserEvent(const SDL_Event& event, bool handled) = 0;
};

} // namespace Engine
