// Desktop notifications on Linux: org.freedesktop.Notifications on the session D-Bus through
// sd-bus. Notify goes out asynchronously; its reply (the notification's id) and the
// ActionInvoked and NotificationClosed signals are read when the frame loop's wait finds the
// bus connection readable, so nothing polls and nothing wakes while the desktop is quiet.
#include "os/Notifications.h"

#include "os/linux/EventWaitSources.h"

#include <systemd/sd-bus.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>

namespace os {

namespace {

constexpr const char* service = "org.freedesktop.Notifications";
constexpr const char* path = "/org/freedesktop/Notifications";
constexpr const char* interface = "org.freedesktop.Notifications";
constexpr const char* joinAction = "join";

sd_bus* bus = nullptr;
int busFd = -1;
std::string application;
std::function<void(int)> actionHandler;
std::map<std::uint32_t, int> tags; // notification id -> tag, while the notification is shown
bool told = false;

void sayOnce(const std::string& why)
{
    if (told)
        return;
    told = true;
    std::fprintf(stderr, "%s: %s; desktop notifications are off\n", application.c_str(), why.c_str());
}

void drop(const std::string& why)
{
    if (!bus)
        return;
    if (busFd >= 0)
        removeEventWaitSource(busFd);
    busFd = -1;
    bus = sd_bus_flush_close_unref(bus);
    tags.clear();
    sayOnce(why);
}

int onNotifyReply(sd_bus_message* reply, void* tag, sd_bus_error*)
{
    std::uint32_t id = 0;
    if (!sd_bus_message_is_method_error(reply, nullptr) && sd_bus_message_read(reply, "u", &id) > 0)
        tags[id] = static_cast<int>(reinterpret_cast<std::intptr_t>(tag));
    return 0;
}

int onActionInvoked(sd_bus_message* signal, void*, sd_bus_error*)
{
    std::uint32_t id = 0;
    const char* key = nullptr;
    if (sd_bus_message_read(signal, "us", &id, &key) <= 0 || !key || std::strcmp(key, joinAction) != 0)
        return 0;
    const auto found = tags.find(id);
    if (found != tags.end() && actionHandler)
        actionHandler(found->second);
    return 0;
}

int onClosed(sd_bus_message* signal, void*, sd_bus_error*)
{
    std::uint32_t id = 0;
    if (sd_bus_message_read(signal, "u", &id) > 0)
        tags.erase(id);
    return 0;
}

// Reads everything the connection has received, the frame loop's callback.
void processBus()
{
    for (;;) {
        const int r = bus ? sd_bus_process(bus, nullptr) : 0;
        if (r < 0) {
            drop("the session bus went away");
            return;
        }
        if (r == 0)
            return;
    }
}

} // namespace

bool startNotifications(const std::string& appName)
{
    application = appName;
    if (bus)
        return true;
    if (sd_bus_open_user(&bus) < 0) {
        bus = nullptr;
        sayOnce("no session bus");
        return false;
    }
    // Never hold the start-up for long: a bus that takes the connection and then says
    // nothing costs a second (sd-bus itself would wait 90 s for its greeting), and so does a
    // service that is slow to answer.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    const auto usLeft = [&deadline] {
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - std::chrono::steady_clock::now());
        return left.count() > 0 ? static_cast<std::uint64_t>(left.count()) : 0;
    };
    int r = 0;
    while (r >= 0 && sd_bus_is_ready(bus) <= 0) {
        r = sd_bus_process(bus, nullptr);
        if (r == 0)
            r = usLeft() == 0 ? -ETIMEDOUT : sd_bus_wait(bus, usLeft());
    }
    if (r < 0) {
        bus = sd_bus_close_unref(bus);
        sayOnce("no session bus");
        return false;
    }
    // The service may be started on demand: ask it something before counting on it.
    sd_bus_message* request = nullptr;
    sd_bus_message* reply = nullptr;
    sd_bus_error error = SD_BUS_ERROR_NULL;
    r = sd_bus_message_new_method_call(bus, &request, service, path, interface, "GetServerInformation");
    if (r >= 0)
        r = sd_bus_call(bus, request, std::max<std::uint64_t>(usLeft(), 1), &error, &reply);
    sd_bus_message_unref(request);
    sd_bus_message_unref(reply);
    sd_bus_error_free(&error);
    if (r < 0) {
        bus = sd_bus_flush_close_unref(bus);
        sayOnce("no notification service on the session bus");
        return false;
    }
    if (sd_bus_match_signal(bus, nullptr, nullptr, path, interface, "ActionInvoked", onActionInvoked, nullptr) < 0 ||
        sd_bus_match_signal(bus, nullptr, nullptr, path, interface, "NotificationClosed", onClosed, nullptr) < 0) {
        bus = sd_bus_flush_close_unref(bus);
        sayOnce("the session bus refused to pass on the notification signals");
        return false;
    }
    busFd = sd_bus_get_fd(bus);
    addEventWaitSource(busFd, processBus);
    processBus(); // what came in with the replies above
    return bus != nullptr;
}

void stopNotifications()
{
    if (busFd >= 0)
        removeEventWaitSource(busFd);
    busFd = -1;
    bus = sd_bus_flush_close_unref(bus);
    tags.clear();
}

bool notificationsStarted() { return bus != nullptr; }

void notify(const std::string& text, const std::string& actionLabel, int tag)
{
    if (!bus)
        return;
    const int r = sd_bus_call_method_async(bus, nullptr, service, path, interface, "Notify", onNotifyReply,
                                           reinterpret_cast<void*>(static_cast<std::intptr_t>(tag)), "susssasa{sv}i",
                                           application.c_str(), 0u, "", text.c_str(), "", 2, joinAction,
                                           actionLabel.c_str(), 0, -1);
    if (r < 0 || sd_bus_flush(bus) < 0)
        drop("the session bus went away");
}

void setNotificationActionHandler(std::function<void(int tag)> handler) { actionHandler = std::move(handler); }

} // namespace os
