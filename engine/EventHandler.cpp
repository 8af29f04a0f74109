#include "engine/EventHandler.h"

#include "engine/UserEvent.h"

#include <algorithm>

namespace Engine {


MouseListner::MouseListner() { EventHandler::instance().addMouseListener(this); }
MouseListner::MouseListner(const MouseListner&) : MouseListner() {}
MouseListner::~MouseListner()
{
    EventHandler& handler = EventHandler::instance();
    handler.removeMouseListener(this);
    if (handler.getWindowListener() == this)
        handler.setWindowListener(nullptr);
}

KeyboardListner::KeyboardListner() { EventHandler::instance().addKeyboardListener(this); }
KeyboardListner::KeyboardListner(const KeyboardListner&) : KeyboardListner() {}
KeyboardListner::~KeyboardListner() { EventHandler::instance().removeKeyboardListener(this); }

UserListner::UserListner() { EventHandler::instance().addUserListener(this); }
UserListner::UserListner(const UserListner&) : UserListner() {}
UserListner::~UserListner() { EventHandler::instance().removeUserListener(this); }

template <typename Listener>
void EventHandler::add(std::vector<Entry<Listener>>& list, Listener* listener)
{
    list.push_back({listener, nextSerial++});
}

template <typename Listener>
void EventHandler::remove(std::vector<Entry<Listener>>& list, Listener* listener)
{
    auto found = std::find_if(list.begin(), list.end(), [listener](const Entry<Listener>& e) { return e.listener == listener; });
    if (found != list.end())
        list.erase(found);
}

void EventHandler::addMouseListener(MouseListner* listener) { add(mouseListeners, listener); }
void EventHandler::removeMouseListener(MouseListner* listener) { remove(mouseListeners, listener); }
void EventHandler::addKeyboardListener(KeyboardListner* listener) { add(keyboardListeners, listener); }
void EventHandler::removeKeyboardListener(KeyboardListner* listener) { remove(keyboardListeners, listener); }
void EventHandler::addUserListener(UserListner* listener) { add(userListeners, listener); }
void EventHandler::removeUserListener(UserListner* listener) { remove(userListeners, listener); }

// Walks a snapshot of the list, so that a callback that adds or removes listeners cannot
// disturb the walk; a listener removed on the way (perhaps destroyed) is skipped.
template <typename Listener, typename Call>
bool EventHandler::callEach(const std::vector<Entry<Listener>>& live, Call call)
{
    bool handled = false;
    const std::vector<Entry<Listener>> snapshot = live;
    for (const Entry<Listener>& entry : snapshot) {
        if (std::find(live.begin(), live.end(), entry) == live.end())
            continue;
        if (call(entry.listener, handled))
            handled = true;
    }
    return handled;
}

void EventHandler::poll()
{
    while (SDL_PollEvent(&event) == 1) {
        const SDL_Event current = event;
        dispatch(current);
    }
}

void EventHandler::dispatch(const SDL_Event& incoming)
{
    event = incoming;
    const SDL_Event& e = incoming;
    switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        callEach(keyboardListeners, [&e](KeyboardListner* l, bool handled) { return l->onKeyboard(e, handled); });
        break;
    case SDL_MOUSEMOTION: {
        bool handled = callEach(mouseListeners, [&e](MouseListner* l, bool h) { return l->onMouseMotion(e, h); });
        if (windowListener)
            windowListener->onMouseMotion(e, handled);
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        bool handled = callEach(mouseListeners, [&e](MouseListner* l, bool h) { return l->onMouseButton(e, h); });
        if (windowListener)
            windowListener->onMouseButton(e, handled);
        break;
    }
    case SDL_QUIT:
        quit = true;
        break;
    case SDL_USEREVENT: {
        callEach(userListeners, [&e](UserListner* l, bool handled) { return l->onUserEvent(e, handled); });
        // The record belongs to the event until every user listener has seen it.
        if (e.user.data1 && e.user.data2) {
            UserEventRelease release = reinterpret_cast<UserEventRelease>(e.user.data2);
            release(e.user.data1);
        }
        break;
    }
    default:
        break;
    }
}

} // namespace Engine
