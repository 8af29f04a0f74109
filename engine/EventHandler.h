// The one place where SDL events are read and handed to the listeners of their kind, in
// registration order, each told whether an earlier one handled the event. Also the quit
// flag, and the road by which other threads hand records to the main thread.
#pragma once

#include "engine/Singleton.h"

#include <SDL.h>

#include <vector>

namespace Engine {

class MouseListner {
public:
    MouseListner();
    MouseListner(const MouseListner& other); // a copy listens too
    MouseListner& operator=(const MouseListner&) { return *this; }
    virtual ~MouseListner();
    virtual bool onMouseMotion(const SDL_Event& event, bool handled) = 0;
    virtual bool onMouseButton(const SDL_Event& event, bool handled) = 0;
};

class KeyboardListner {
public:
    KeyboardListner();
    KeyboardListner(const KeyboardListner& other); // a copy listens too
    KeyboardListner& operator=(const KeyboardListner&) { return *this; }
    virtual ~KeyboardListner();
    virtual bool onKeyboard(const SDL_Event& event, bool handled) = 0;
};

class UserListner {
public:
    UserListner();
    UserListner(const UserListner& other); // a copy listens too
    UserListner& operator=(const UserListner&) { return *this; }
    virtual ~UserListner();
    virtual bool onUserEvent(const SDL_Event& event, bool handled) = 0;
};

class EventHandler : public Singleton<EventHandler> {
public:
    ~EventHandler() override = default;

    void addMouseListener(MouseListner* listener);
    void removeMouseListener(MouseListner* listener);
    void addKeyboardListener(KeyboardListner* listener);
    void removeKeyboardListener(KeyboardListner* listener);
    void addUserListener(UserListner* listener);
    void removeUserListener(UserListner* listener);

    // The host window's own mouse listener, called after all others.
    void setWindowMouseListener(MouseListner* listener) { windowListener = listener; }
    MouseListner* getWindowMouseListener() const { return windowListener; }

    // Dispatches every pending SDL event.
    void poll();
    // Dispatches one event as poll() would (the user event's record is released after).
    void dispatch(SDL_Event& event);

    void setQuit(bool value) { quit = value; }
    bool isQuit() const { return quit; }

    std::size_t mouseListenerCount() const { return mouseListeners.size(); }
    std::size_t keyboardListenerCount() const { return keyboardListeners.size(); }
    std::size_t userListenerCount() const { return userListeners.size(); }

private:
    friend class Singleton<EventHandler>;
    EventHandler() = default;

    template <typename Listener, typename Call>
    bool walk(std::vector<Listener*>& list, Call call);

    SDL_Event event{};
    std::vector<MouseListner*> mouseListeners;
    std::vector<UserListner*> userListeners;
    std::vector<KeyboardListner*> keyboardListeners;
    MouseListner* windowListener = nullptr;
    // Listeners removed while a dispatch walks (their address may come back for a new one).
    std::vector<const void*> removedDuringWalk;
    int walking = 0;
    bool quit = false;
};

} // namespace Engine
