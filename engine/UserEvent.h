// A record handed from a worker thread to the main thread through SDL's event queue:
// type SDL_USEREVENT, a code below, data1 the record, data2 the function that
// releases it through its real type. The event handler calls that function once every user
// listener has seen the event; an event without one is released by nobody.
//
// Records go through pushUserEvent, which also wakes the frame loop's wait, so that a
// record is handled in the frame in which it arrives.
#pragma once

namespace Engine {

// The codes of what other threads hand over, one per kind of news.
inline constexpr int serverStatusEventCode = 256; // data1 a ServerStatus, from a poller
inline constexpr int mapPictureEventCode = 257;   // no record: a map picture is ready to take
inline constexpr int historyEventCode = 260;      // no record: new history bars are ready
using UserEventRelease = void (*)(void* record);

// The release function for a record of type T made with new.
template <typename T>
void releaseUserRecord(void* record)
{
    delete static_cast<T*>(record);
}

// Pushes the event (code, data1 record, data2 release) and wakes the frame loop. Any thread.
// False when SDL's queue is full: the record is released here, nothing leaks.
bool pushUserEvent(int code, void* record, UserEventRelease release);

template <typename T>
bool pushUserRecord(int code, T* record)
{
    return pushUserEvent(code, record, &releaseUserRecord<T>);
}

} // namespace Engine
