// Tells the user what happened to the watched servers while the panel may be out of sight:
// the news of each column's ServerWatch, in the chosen language, as desktop notifications
// whose "Join Game" action joins the server the notification named (the column may watch
// another one by then) as the panel's link does. Nothing is shown while the game runs.
// Lives on the main thread.
#pragma once

#include "panel/ServerWatch.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

class Notifier {
public:
    enum Column { Source = 0, Go = 1 };

    // The game's process names, on every system.
    static const std::vector<std::string>& gameProcesses();

    // Takes over the notification service's action handler for its lifetime.
    Notifier();
    ~Notifier();
    Notifier(const Notifier&) = delete;
    Notifier& operator=(const Notifier&) = delete;

    void setOptions(const WatchOptions& value) { options = value; }
    // Whether the game runs (by default: a process of gameProcesses()); tests give their own.
    void setGameRunningCheck(std::function<bool()> check) { gameRunning = std::move(check); }
    // The options as the settings hold them.
    static WatchOptions optionsFromSettings();
    // Every status a column receives, in order.
    void see(Column column, const ServerStatus& status);
    // The column watches another server now: what was known of the old one is dropped.
    void forget(Column column) { columns[column] = Watched(); }
    // The action of the notification with this tag: joins the server it named.
    void join(int tag);

    // The text of one piece of news, translated.
    static std::string text(const ServerNews& news, const std::function<std::string(const std::string&)>& translate);

private:
    struct Watched {
        ServerWatch watch;
        std::string host;
        int port = 0;
    };
    // What a notification's action joins: the game's app id and "host:port".
    struct Target {
        int appId = 0;
        std::string address;
    };
    Watched columns[2];
    WatchOptions options;
    std::function<bool()> gameRunning;
    std::map<int, Target> targets; // by tag, the latest few
    int nextTag = 1;
};
