// The one place where SDL events are read and handed to the listeners of their kind, in
// registration order, each told whether an earlier one handled the event. Also the quit
// flag, and the road by which other threads hand records to the main thread.
//
// It also paces the frame loop: waitForEvents() sleeps until an event, a record from
// another thread, a wake-up or the earliest deadline a widget asked for. Input, exposure
// and a reached deadline ask for the next frame to be drawn; a frame nobody asked for
// draws nothing.
#pragma once

#include "engine/Singleton.h"

#include <SDL.h>

#include <atomic>
#include <cstdint>
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

    // Safe from any thread and from a signal handler; setting it wakes the frame loop.
    void setQuit(bool value);
    bool isQuit() const { return quit; }

    // The frame loop's pause: returns at once when a redraw is wanted or events wait,
    // otherwise when something arrives or the earliest deadline passes.
    void waitForEvents();
    // Asks for a frame, drawn, no later than `ticks` (SDL_GetTicks time). The earliest
    // request is kept until it is reached.
    void requestFrameAt(std::uint32_t ticks);
    void requestRedraw() { redraw = true; }
    // Whether this frame should draw; clears the request.
    bool takeRedrawRequest();
    bool isRedrawRequested() const { return redraw; }

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
    std::atomic<bool> quit{false};
    bool redraw = true;
    bool hasDeadline = false;
    std::uint32_t deadline = 0;
    SDLKey heldKey = SDLK_UNKNOWN;
};

} // namespace Engine
