// Asks one game server for its state with the Source Engine query protocol over UDP: two
// challenge exchanges (the second gives the challenge, either one the ping), the info
// exchange, then on request the players and the rules exchanges. Each exchange opens its
// own socket, sends one request and waits up to 400 ms for the reply, which may come split
// and compressed over several datagrams.
#pragma once

#include "query/Packet.h"

#include <cstdint>
#include <functional>
#include <string>

class ByteStream;
class ServerStatus;

class ServerQuery {
public:
    static constexpr std::uint32_t replyTimeoutMs = 400;
    // A split reply's wait ends after this many datagrams or this long, whatever the server
    // keeps sending (foreign pieces, empty datagrams).
    static constexpr int maxSplitDatagrams = 512;
    static constexpr std::uint32_t maxSplitWaitMs = 4000;

    ServerQuery() = default;
    virtual ~ServerQuery() = default;

    // Runs one full query on status.getHost(), status.getPort(). Quiet: every failure is
    // silent and the query goes on; otherwise a failure shows a message box and ends the
    // process with exit code −1.
    void query(ServerStatus& status, bool wantPlayers, bool wantRules, bool quiet);

    // On entry buffer holds one request; on return the payload of the reply (everything
    // after its 4-byte header, starting at the type byte), or nothing.
    void exchange(const std::string& host, std::uint16_t port, ByteStream& buffer);

    // The receiving half of an exchange: takes datagrams from receive (ok false: time-out or
    // error) until the reply is whole, and leaves its payload in buffer (empty on entry).
    using Receive = std::function<Packet(bool& ok)>;
    static void collectReply(const Receive& receive, ByteStream& buffer);

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

    bool quiet = false;
    bool answered = false;
};
