#include "engine/UserEvent.h"

#include "os/EventWait.h"

#include <SDL.h>

namespace Engine {

bool pushUserEvent(int code, void* record, UserEventRelease release)
{
    SDL_Event event{};
    event.type = SDL_USEREVENT;
    event.user.code = code;
    event.user.data1 = record;
    event.user.data2 = reinterpret_cast<void*>(release);
    if (SDL_PushEvent(&event) != 0) {
        if (release && record)
            release(record);
        return false;
    }
    os::wakeEventWait();
    return true;
}

} // namespace Engine
