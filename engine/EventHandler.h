// The one place where SDL events are read. Once a frame poll() hands every pending event
// to the listeners of its kind in registration order, each told whether an earlier one
// handled it; mouse events go last to the host window's own listener. It keeps the quit
// flag, and user events are how other threads hand records to the main thread
// (engine/UserEvent.h). Main thread only.
#pragma once

#include "engine/Listeners.h"
#include "engine/Singleton.h"

#include <SDL.h>

#include <cstdint>
#include <vector>

namespace Engine {

class EventHandler : public Singleton<EventHandler> {
public:
    ~EventHandler() override = default;

    void addMouseListener(MouseListner* listener);
    void removeMouseListener(MouseListner* listener);
    void addKeyboardListener(KeyboardListner* listener);
    void removeKeyboardListener(KeyboardListner* listener);
    void addUserListener(UserListner* listener);
    void removeUserListener(UserListner* listener);

    // The listener that hears every mouse event after all the others (the host window);
    // null for none. Its result is not used.
    void setWindowListener(MouseListner* listener) { windowListener = listener; }
    MouseListner* getWindowListener() const { return windowListener; }

    // Dispatches every pending event. Listeners added during a dispatch hear the next
    // event; listeners removed during a dispatch hear nothing more.
    void poll();
    // Dispatches one event as poll() does.
    void dispatch(const SDL_Event& event);

    void setQuit(bool value) { quit = value; }
    bool isQuit() const { return quit; }

    std::size_t mouseListenerCount() const { return mouseListeners.size(); }
    std::size_t keyboardListenerCount() const { return keyboardListeners.size(); }
    std::size_t userListenerCount() const { return userListeners.size(); }

private:
    friend class Singleton<EventHandler>;
    EventHandler() = default;

    // A registration: the listener and when it was registered, so that a new listener
    // built at the address of one destroyed during a dispatch is not taken for it.
    template <typename Listener>
    struct Entry {
        Listener* listener;
        std::uint64_t serial;
        bool operator==(const Entry& other) const { return listener == other.listener && serial == other.serial; }
    };
    template <typename Listener>
    void add(std::vector<Entry<Listener>>& list, Listener* listener);
    template <typename Listener>
    void remove(std::vector<Entry<Listener>>& list, Listener* listener);
    template <typename Listener, typename Call>
    bool callEach(const std::vector<Entry<Listener>>& live, Call call);

    SDL_Event event{};
    std::vector<Entry<MouseListner>> mouseListeners;
    std::vector<Entry<UserListner>> userListeners;
    std::vector<Entry<KeyboardListner>> keyboardListeners;
    std::uint64_t nextSerial = 0;
    MouseListner* windowListener = nullptr;
    bool quit = false;
};

} // namespace Engine
