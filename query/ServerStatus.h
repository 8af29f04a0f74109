// One game server's state as a query left it: where it is, what its information reply
// said, whether it answered, the ping (−1: no answer) and the player and rule lists. Copies are deep, so a
// record can travel from the poller's thread to the main thread and be kept there.
#pragma once

#include "query/Player.h"
#include "query/Rule.h"

#include <cstdint>
#include <string>
#include <vector>

class ServerStatus {
public:
    ServerStatus() = default;
    ServerStatus(const std::string& host, std::uint16_t port) : host(host), port(port) {}
    virtual ~ServerStatus() = default;
    ServerStatus(const ServerStatus&) = default;
    ServerStatus& operator=(const ServerStatus&) = default;

    const std::string& getHost() const { return host; }
    void setHost(const std::string& value) { host = value; }
    std::uint16_t getPort() const { return port; }
    void setPort(std::uint16_t value) { port = value; }
    std::uint8_t getProtocol() const { return protocol; }
    void setProtocol(std::uint8_t value) { protocol = value; }
    const std::string& getName() const { return name; }
    void setName(const std::string& value) { name = value; }
    const std::string& getMap() const { return map; }
    void setMap(const std::string& value) { map = value; }
    const std::string& getFolder() const { return folder; }
    void setFolder(const std::string& value) { folder = value; }
    const std::string& getGame() const { return game; }
    void setGame(const std::string& value) { game = value; }
    std::uint16_t getAppId() const { return appId; }
    void setAppId(std::uint16_t value) { appId = value; }
    std::uint8_t getPlayers() const { return players; }
    void setPlayers(std::uint8_t value) { players = value; }
    std::uint8_t getMaxPlayers() const { return maxPlayers; }
    void setMaxPlayers(std::uint8_t value) { maxPlayers = value; }
    std::uint8_t getBots() const { return bots; }
    void setBots(std::uint8_t value) { bots = value; }
    std::uint8_t getServerType() const { return serverType; }
    void setServerType(std::uint8_t value) { serverType = value; }
    std::uint8_t getEnvironment() const { return environment; }
    void setEnvironment(std::uint8_t value) { environment = value; }
    // 0: no password needed.
    std::uint8_t getVisibility() const { return visibility; }
    void setVisibility(std::uint8_t value) { visibility = value; }
    // 0: not VAC secured.
    std::uint8_t getVac() const { return vac; }
    void setVac(std::uint8_t value) { vac = value; }
    // Round trip of the challenge exchange in milliseconds, at least 1 for an answer; −1: no
    // answer.
    std::int16_t getPing() const { return ping; }
    void setPing(std::int16_t value) { ping = value; }
    // The cycle was good: its info reply came and named a map, however quick. What decides
    // "online" reads this, never the ping.
    bool isAnswered() const { return answered; }
    void setAnswered(bool value) { answered = value; }

    // Where a record comes from: the panel column whose poller made it, and that poller's
    // serial (a later poller has a larger one), so that the panel routes a record without
    // looking at its host, and drops one of a poller it has replaced.
    enum Column { NoColumn = -1, SourceColumn = 0, GoColumn = 1 };
    int getColumn() const { return column; }
    std::uint32_t getPollerSerial() const { return pollerSerial; }
    void setOrigin(int value, std::uint32_t serial)
    {
        column = value;
        pollerSerial = serial;
    }
    const std::string& getVersion() const { return version; }
    void setVersion(const std::string& value) { version = value; }

    // Ordered by score, then time on the server, both descending.
    // Entries of the players reply that came whole but nameless (a Counter-Strike 2 server
    // hides every name by default): they are not in the list, only counted here.
    std::uint8_t getHiddenNames() const { return hiddenNames; }
    void setHiddenNames(std::uint8_t value) { hiddenNames = value; }
    const std::vector<Player>& getPlayerList() const { return playerList; }
    void clearPlayerList() { playerList.clear(); }
    // Goes before the first entry that does not rank above it, so before older entries
    // of the same score and duration.
    void insertPlayer(const Player& player);

    // Ordered by name, byte by byte.
    const std::vector<Rule>& getRules() const { return rules; }
    void clearRules() { rules.clear(); }
    // Goes before the first rule whose name is not less than its own.
    void insertRule(const Rule& rule);
    // The same as inserting each rule in turn, in n log n rather than n² (a reply may
    // carry 32767 rules).
    void insertRules(std::vector<Rule> batch);

private:
    std::string host;
    std::uint16_t port = 0;
    std::uint8_t protocol = 0;
    std::string name;
    std::string map;
    std::string folder;
    std::string game;
    std::uint16_t appId = 0;
    std::uint8_t players = 0;
    std::uint8_t maxPlayers = 0;
    std::uint8_t bots = 0;
    std::uint8_t serverType = 0;
    std::uint8_t environment = 0;
    std::uint8_t visibility = 0;
    std::uint8_t vac = 0;
    std::int16_t ping = -1;
    bool answered = false;
    int column = NoColumn;
    std::uint32_t pollerSerial = 0;
    std::string version;
    std::vector<Player> playerList;
    std::vector<Rule> rules;
    std::uint8_t hiddenNames = 0;
};
