#include "panel/Notifier.h"

#include "os/Notifications.h"
#include "os/Processes.h"
#include "panel/JoinGame.h"
#include "settings/Settings.h"

namespace {

// "<server>" and "<friend>" replaced in one pass, so neither name is read for a mark.
std::string fillIn(const std::string& text, const ServerNews& news)
{
    static const std::string server = "<server>", player = "<friend>";
    std::string out;
    for (std::string::size_type at = 0; at < text.size();) {
        if (text.compare(at, server.size(), server) == 0) {
            out += news.server;
            at += server.size();
        } else if (text.compare(at, player.size(), player) == 0) {
            out += news.player;
            at += player.size();
        } else {
            out += text[at++];
        }
    }
    return out;
}

} // namespace

const std::vector<std::string>& Notifier::gameProcesses()
{
    static const std::vector<std::string> names{"cs2", "csgo_linux64", "hl2_linux", "cs2.exe", "csgo.exe", "hl2.exe"};
    return names;
}

WatchOptions Notifier::optionsFromSettings()
{
    const Settings& settings = Settings::instance();
    return {settings.getNotifications(), settings.getNotifyOffline(), settings.getNotifySlot(), settings.getFriends()};
}

Notifier::Notifier() : gameRunning([] { return os::isAnyProcessRunning(gameProcesses()); })
{
    os::setNotificationActionHandler([this](int tag) { join(tag); });
}

Notifier::~Notifier() { os::setNotificationActionHandler({}); }

std::string Notifier::text(const ServerNews& news, const std::function<std::string(const std::string&)>& translate)
{
    std::string text;
    switch (news.kind) {
    case ServerNews::Kind::Offline:
        text = translate("<server> is offline");
        break;
    case ServerNews::Kind::BackOnline:
        text = translate("<server> is back online");
        break;
    case ServerNews::Kind::SlotFree:
        text = translate("A slot is free on <server>");
        break;
    case ServerNews::Kind::FriendJoined:
        text = translate("<friend> joined <server>");
        break;
    }
    return fillIn(text, news);
}

void Notifier::see(Column column, const ServerStatus& status)
{
    Watched& watched = columns[column];
    watched.host = status.getHost();
    watched.port = status.getPort();
    const std::vector<ServerNews> news = watched.watch.see(status, options);
    // The process list is read only when there is something to tell.
    if (news.empty() || !os::notificationsStarted() || gameRunning())
        return;
    const Settings& settings = Settings::instance();
    const auto translate = [&settings](const std::string& english) { return settings.translate(english); };
    // Older notifications may still be on the screen; a few dozen are kept joinable.
    constexpr std::size_t keptTargets = 32;
    for (const ServerNews& item : news) {
        const int tag = nextTag++;
        targets[tag] = {column == Source ? 240 : 730, watched.host + ":" + std::to_string(watched.port)};
        if (targets.size() > keptTargets)
            targets.erase(targets.begin());
        os::notify(text(item, translate), settings.translate("Join Game"), tag);
    }
}

void Notifier::join(int tag)
{
    const auto found = targets.find(tag);
    if (found == targets.end() || found->second.address.front() == ':')
        return;
    joinGame(found->second.appId, "+connect " + found->second.address);
}
