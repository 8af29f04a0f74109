#include "engine/EventHandler.h"

#include "engine/UserEvent.h"

#include <algorithm>

namespace Engine {

namespace {

template <typename T>
void eraseFirst(std::vector<T*>& list, T* item)
{
    auto it = std::find(list.begin(), list.end(), item);
    if (it != list.end())
        list.erase(it);
}


} // namespace

MouseListner::MouseListner() { EventHandler::instance().addMouseListener(this); }
MouseListner::MouseListner(const MouseListner&) : MouseListner() {}
KeyboardListner::KeyboardListner(const KeyboardListner&) : KeyboardListner() {}
UserListner::UserListner(const UserListner&) : UserListner() {}
MouseListner::~MouseListner() { EventHandler::instance().removeMouseListener(this); }
KeyboardListner::KeyboardListner() { EventHandler::instance().addKeyboardListener(this); }
KeyboardListner::~KeyboardListner() { EventHandler::instance().removeKeyboardListener(this); }
UserListner::UserListner() { EventHandler::instance().addUserListener(this); }
UserListner::~UserListner() { EventHandler::instance().removeUserListener(this); }

void EventHandler::addMouseListener(MouseListner* listener) { mouseListeners.push_back(listener); }
void EventHandler::removeMouseListener(MouseListner* listener)
{
    if (walking)
        removedDuringWalk.push_back(listener);
    eraseFirst(mouseListeners, listener);
    if (windowListener == listener)
        windowListener = nullptr;
}
void EventHandler::addKeyboardListener(KeyboardListner* listener) { keyboardListeners.push_back(listener); }
void EventHandler::removeKeyboardListener(KeyboardListner* listener)
{
    if (walking)
        removedDuringWalk.push_back(listener);
    eraseFirst(keyboardListeners, listener);
}
void EventHandler::addUserListener(UserListner* listener) { userListeners.push_back(listener); }
void EventHandler::removeUserListener(UserListner* listener)
{
    if (walking)
        removedDuringWalk.push_back(listener);
    eraseFirst(userListeners, listener);
}

// Walks a copy of the list, so that listeners added or removed by a callback cannot disturb
// the walk; one removed during it is not called any more.
template <typename Listener, typename Call>
bool EventHandler::walk(std::vector<Listener*>& list, Call call)
{
    bool handled = false;
    const std::vector<Listener*> snapshot = list;
    ++walking;
    for (Listener* listener : snapshot) {
        const void* key = listener;
        if (std::find(removedDuringWalk.begin(), removedDuringWalk.end(), key) != removedDuringWalk.end())
            continue;
        if (call(listener, handled))
            handled = true;
    }
    if (--walking == 0)
        removedDuringWalk.clear();
    return handled;
}

void EventHandler::dispatch(SDL_Event& current)
{
    switch (current.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        walk(keyboardListeners, [&](KeyboardListner* l, bool handled) { return l->onKeyboard(current, handled); });
        break;
    case SDL_MOUSEMOTION: {
        const bool handled =
            walk(mouseListeners, [&](MouseListner* l, bool h) { return l->onMouseMotion(current, h); });
        if (windowListener)
            windowListener->onMouseMotion(current, handled);
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const bool handled =
            walk(mouseListeners, [&](MouseListner* l, bool h) { return l->onMouseButton(current, h); });
        if (windowListener)
            windowListener->onMouseButton(current, handled);
        break;
    }
    case SDL_QUIT:
        quit = true;
        break;
    case SDL_USEREVENT: {
        walk(userListeners, [&](UserListner* l, bool handled) { return l->onUserEvent(current, handled); });
        // The record goes through the release function that came with it.
        if (current.user.data2 && current.user.data1)
            reinterpret_cast<UserEventRelease>(current.user.data2)(current.user.data1);
        break;
    }
    default:
        break;
    }
}

void EventHandler::poll()
{
    while (SDL_PollEvent(&event) == 1)
        dispatch(event);
}

} // namespace Engine
