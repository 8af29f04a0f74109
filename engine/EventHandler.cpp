#include "engine/EventHandler.h"

#include "engine/UserEvent.h"
#include "os/EventWait.h"

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

namespace {

// SDL repeats a held key from within its event pump, this often.
constexpr int keyRepeatMs = 30;

// a is before b on the wrapping 32-bit tick clock.
bool before(std::uint32_t a, std::uint32_t b) { return static_cast<std::int32_t>(a - b) < 0; }

} // namespace

void EventHandler::setQuit(bool value)
{
    quit = value;
    if (value)
        os::wakeEventWait();
}

void EventHandler::requestFrameAt(std::uint32_t ticks)
{
    if (!hasDeadline || before(ticks, deadline))
        deadline = ticks;
    hasDeadline = true;
}

bool EventHandler::takeRedrawRequest()
{
    const bool wanted = redraw;
    redraw = false;
    return wanted;
}

void EventHandler::waitForEvents()
{
    auto deadlineReached = [this](std::uint32_t now) {
        if (hasDeadline && !before(now, deadline)) {
            hasDeadline = false;
            redraw = true;
        }
        return redraw;
    };
    // One reading of the clock decides both whether the deadline has passed and how long is
    // left, so that the wait is never "for ever" while a deadline is pending.
    const std::uint32_t now = SDL_GetTicks();
    if (quit || deadlineReached(now))
        return;
    int timeout = hasDeadline ? static_cast<int>(deadline - now) : -1;
    if (heldKey != SDLK_UNKNOWN && (timeout < 0 || timeout > keyRepeatMs))
        timeout = keyRepeatMs;
    // The backend takes in what SDL and Xlib have already read before it sleeps.
    os::waitForEvents(timeout);
    deadlineReached(SDL_GetTicks());
}

void EventHandler::dispatch(SDL_Event& current)
{
    switch (current.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        redraw = true;
        // SDL repeats the key pressed last while it is held.
        if (current.type == SDL_KEYDOWN)
            heldKey = current.key.keysym.sym;
        else if (current.key.keysym.sym == heldKey)
            heldKey = SDLK_UNKNOWN;
        walk(keyboardListeners, [&](KeyboardListner* l, bool handled) { return l->onKeyboard(current, handled); });
        break;
    case SDL_MOUSEMOTION: {
        redraw = true;
        const bool handled =
            walk(mouseListeners, [&](MouseListner* l, bool h) { return l->onMouseMotion(current, h); });
        if (windowListener)
            windowListener->onMouseMotion(current, handled);
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        redraw = true;
        const bool handled =
            walk(mouseListeners, [&](MouseListner* l, bool h) { return l->onMouseButton(current, h); });
        if (windowListener)
            windowListener->onMouseButton(current, handled);
        break;
    }
    case SDL_QUIT:
        quit = true;
        break;
    case SDL_VIDEOEXPOSE:
    case SDL_ACTIVEEVENT:
        redraw = true;
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
