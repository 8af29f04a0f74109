// The decisions behind desktop notifications: sequences of statuses as a column receives
// them, and the news each one brings.
#include "panel/Notifier.h"
#include "panel/ServerWatch.h"

#include <gtest/gtest.h>

namespace {

using Kind = ServerNews::Kind;

// One status as the poller sends it: "good" (a cycle that answered), "smoothed" (the last
// good record again, not answered), "down" (a failed cycle sent as it is).
struct Step {
    const char* what;
    int players = 0;
    int slots = 16;
    std::vector<std::string> names = {};
    const char* serverName = "Holmik";
    std::vector<ServerNews> news = {};
};

ServerStatus statusOf(const Step& step)
{
    ServerStatus status("cs.example.net", 27015);
    if (std::string(step.what) == "down")
        return status;
    status.setName(step.serverName);
    status.setMap("de_dust2");
    const bool good = std::string(step.what) == "good";
    status.setPing(good ? 1 : -1); // the quickest answer
    status.setAnswered(good);
    status.setPlayers(static_cast<std::uint8_t>(step.players));
    status.setMaxPlayers(static_cast<std::uint8_t>(step.slots));
    float duration = 1000.0f; // the list keeps the step's order
    for (const std::string& name : step.names)
        status.insertPlayer(Player(0, name, 0, duration--));
    return status;
}

const WatchOptions all{true, true, true, {"Zien", "Ulla"}};

ServerNews offline(const std::string& server = "Holmik") { return {Kind::Offline, server, {}}; }
ServerNews online(const std::string& server = "Holmik") { return {Kind::BackOnline, server, {}}; }
ServerNews slot() { return {Kind::SlotFree, "Holmik", {}}; }
ServerNews joined(const std::string& who) { return {Kind::FriendJoined, "Holmik", who}; }

TEST(ServerWatch, NewsFollowsWhatChanged)
{
    const struct {
        const char* name;
        WatchOptions options;
        std::vector<Step> steps;
    } cases[] = {
        {"nothing for the state at start-up", all,
         {{"good", 16, 16, {"Zien"}}, {"good", 16, 16, {"Zien"}}}},
        {"offline once the outage is no longer smoothed, online at the first good cycle", all,
         {{"good"}, {"smoothed"}, {"down", 0, 16, {}, "", {offline()}}, {"down"}, {"smoothed"},
          {"good", 0, 16, {}, "Holmik", {online()}}, {"good"}}},
        {"a server down at start-up that never answered is named by its host", all,
         {{"down"}, {"down"}, {"good", 0, 16, {}, "", {online("cs.example.net")}}, {"down", 0, 16, {}, "", {offline("cs.example.net")}}}},
        {"a renamed server is named by its last name", all,
         {{"good", 0, 16, {}, "Old"}, {"good", 0, 16, {}, "New"}, {"down", 0, 16, {}, "", {offline("New")}}}},
        {"a slot frees on a full server", all,
         {{"good", 15}, {"good", 16}, {"good", 17}, {"good", 15, 16, {}, "Holmik", {slot()}}, {"good", 14}}},
        {"slots come back with the server: no slot news", all,
         {{"good", 16}, {"down", 0, 16, {}, "", {offline()}}, {"good", 3, 16, {}, "Holmik", {online()}}}},
        {"friends: whole names, letter case counts, each once, again after leaving", all,
         {{"good", 1, 16, {"Zien"}},
          {"good", 4, 16, {"Zien", "zien", "Ulla2", "Bob"}},
          {"good", 5, 16, {"Zien", "Ulla", "Ulla"}, "Holmik", {joined("Ulla")}},
          {"good", 1, 16, {"Bob"}},
          {"good", 2, 16, {"Ulla", "Zien"}, "Holmik", {joined("Ulla"), joined("Zien")}}}},
        {"a friend and a free slot in one cycle", all,
         {{"good", 16}, {"good", 15, 16, {"Zien"}, "Holmik", {slot(), joined("Zien")}}}},
        {"switched off: nothing, but the state follows", {false, true, true, {"Zien"}},
         {{"good", 16}, {"good", 15, 16, {"Zien"}}, {"down"}, {"good"}}},
        {"offline and online left out", {true, false, true, {}},
         {{"good", 16}, {"down"}, {"good", 15}, {"good", 16}, {"good", 15, 16, {}, "Holmik", {slot()}}}},
        {"free slots left out", {true, true, false, {}}, {{"good", 16}, {"good", 15}}},
    };
    for (const auto& c : cases) {
        ServerWatch watch;
        for (std::size_t i = 0; i < c.steps.size(); ++i)
            EXPECT_EQ(watch.see(statusOf(c.steps[i]), c.options), c.steps[i].news) << c.name << ", step " << i;
    }
}

TEST(Notifier, TextsNameTheServerAndTheFriendInTheChosenLanguage)
{
    const auto translate = [](const std::string& english) -> std::string {
        return english == "<server> is offline"        ? "<server> \xc3\xa4r nere"
               : english == "<friend> joined <server>" ? "<friend> anslöt till <server>"
                                                       : english;
    };
    EXPECT_EQ(Notifier::text(offline(), translate), "Holmik \xc3\xa4r nere");
    EXPECT_EQ(Notifier::text({Kind::FriendJoined, "<friend> server", "<server>"}, translate),
              "<server> anslöt till <friend> server")
        << "names are never read for marks";
}

} // namespace
