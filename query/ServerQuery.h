// Asks one game server for its state with the Source Engine query protocol over UDP: two
// challenge exchanges (the second gives the challenge, either one the ping), the info
// exchange, then on request the players and the rules exchanges. Each exchange opens its
// own socket, sends one request and waits up to 400 ms for the reply, which may come split
// and compressed over several datagrams.
#pragma once

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
    // silent and the query goes on; otherwise a failure shows a message box and ends the
    // process with exit code −1.
    void query(ServerStatus& status, bool wantPlayers, bool wantRules, bool quiet);

    // On entry buffer holds one request; on return the payload of the reply (everything
    // after its 4-byte header, starting at the type byte), or nothing.
    void exchange(const std::string& host, std::uint16_t port, ByteStream& buffer);

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
