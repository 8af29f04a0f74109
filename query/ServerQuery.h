// Asks one game server for its state with the Source Engine query protocol over UDP: two
// challenge exchanges (the second gives the challenge, either one the ping), the info
// exchange, then on request the players and the rules exchanges. The host name is looked up
// once per query, for at most os::lookUpTimeoutMs; each exchange opens its own socket, sends
// one request and waits up to 400 ms for the reply, which may come split and compressed over
// several datagrams. A stop asked for through the query's token ends it between exchanges.
#pragma once

#include "os/StopToken.h"

#include <cstdint>
#include <string>

class ByteStream;
class ServerStatus;

class ServerQuery {
public:
    static constexpr std::uint32_t replyTimeoutMs = 400;

    ServerQuery() = default;
    virtual ~ServerQuery() = default;

    // Runs one full query on status.getHost(), status.getPort(). Quiet: every failure is
    // silent and the query goes on (a host that cannot be looked up in time ends it, nothing
    // answered); otherwise a failure shows a message box and ends the process with exit
    // code −1.
    void query(ServerStatus& status, bool wantPlayers, bool wantRules, bool quiet);

    // On entry buffer holds one request; on return the payload of the reply (everything
    // after its 4-byte header, starting at the type byte), or nothing.
    void exchange(const std::string& host, std::uint16_t port, ByteStream& buffer);

    // A stop asked for here ends a running query between exchanges and its look-up at once.
    void setStopToken(const os::StopToken& token) { stop = token; }

    bool isQuiet() const { return quiet; }
    // Whether any exchange of the last query got a reply (two bytes or more).
    bool hasAnswered() const { return answered; }

private:
    std::int32_t challengeExchange(ServerStatus& status);
    void infoExchange(ServerStatus& status);
    void playersExchange(ServerStatus& status, std::int32_t challenge);
    void rulesExchange(ServerStatus& status, std::int32_t challenge);
    // exchange() that also notes whether the server answered.
    void ask(const ServerStatus& status, ByteStream& buffer);

    // The host's address for this query's exchanges; false when there is none.
    bool lookUp(const std::string& host);

    os::StopToken stop;
    std::string address;
    bool quiet = false;
    bool answered = false;
};
