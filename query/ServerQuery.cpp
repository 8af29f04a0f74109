#include "query/ServerQuery.h"

#include "os/Clock.h"
#include "query/ByteStream.h"
#include "query/Packet.h"
#include "query/ReplyCollector.h"
#include "query/ReplyReader.h"
#include "query/ServerStatus.h"
#include "query/UdpSocket.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr std::int32_t singleHeader = -1; // FF FF FF FF
constexpr std::int32_t noChallenge = -1;
constexpr std::uint8_t infoRequest = 0x54;    // 'T'
constexpr std::uint8_t playersRequest = 0x55; // 'U'
constexpr std::uint8_t rulesRequest = 0x56;   // 'V'

void writeRequest(ByteStream& buffer, std::uint8_t type, std::int32_t challenge)
{
    buffer.writeInt32(singleHeader);
    buffer.writeByte(type);
    buffer.writeInt32(challenge);
}

void writeInfoRequest(ByteStream& buffer)
{
    buffer.writeInt32(singleHeader);
    buffer.writeByte(infoRequest);
    buffer.writeString("Source Engine Query");
}

// A round trip in whole milliseconds, rounded, and at least 1: an answer is never a ping of 0.
std::int16_t pingOf(std::uint64_t microseconds)
{
    const std::uint64_t ms = (microseconds + 500) / 1000;
    return static_cast<std::int16_t>(std::clamp<std::uint64_t>(ms, 1, INT16_MAX));
}

} // namespace

void ServerQuery::query(ServerStatus& status, bool wantPlayers, bool wantRules, bool quietMode)
{
    quiet = quietMode;
    answered = false;
    status.setPing(-1);
    status.setAnswered(false);
    if (!lookUp(status.getHost()))
        return;
    challengeExchange(status);
    const std::int32_t challenge = challengeExchange(status);
    infoExchange(status);
    if (wantPlayers)
        playersExchange(status, challenge);
    if (wantRules)
        rulesExchange(status, challenge);
}

bool ServerQuery::lookUp(const std::string& host)
{
    const os::ResolveResult result = os::resolveHostWithin(host, address, os::lookUpTimeoutMs, stop);
    if (result == os::ResolveResult::Ipv4)
        return true;
    if (quiet || stop.stopRequested())
        return false;
    // The socket tells what went wrong as it always has, and ends the process.
    address = host;
    return true;
}

void ServerQuery::ask(const ServerStatus& status, ByteStream& buffer)
{
    if (stop.stopRequested()) {
        buffer.clear();
        return;
    }
    exchange(address, status.getPort(), buffer);
    if (ReplyReader::isReply(buffer))
        answered = true;
}

std::int32_t ServerQuery::challengeExchange(ServerStatus& status)
{
    const std::uint64_t t0 = os::monotonicMicroseconds();
    ByteStream buffer;
    writeRequest(buffer, rulesRequest, noChallenge);
    ask(status, buffer);
    std::int32_t challenge = noChallenge;
    if (ReplyReader::isReply(buffer)) {
        status.setPing(pingOf(os::monotonicMicroseconds() - t0));
        ReplyReader::readChallenge(buffer, challenge);
    }
    return challenge;
}

void ServerQuery::infoExchange(ServerStatus& status)
{
    const std::uint64_t t0 = os::monotonicMicroseconds();
    ByteStream buffer;
    writeInfoRequest(buffer);
    ask(status, buffer);
    // Servers since 2020 may want a challenge first: ask once more with it appended.
    std::int32_t challenge = noChallenge;
    if (ReplyReader::readChallenge(buffer, challenge)) {
        buffer.clear();
        writeInfoRequest(buffer);
        buffer.writeInt32(challenge);
        ask(status, buffer);
    }
    if (ReplyReader::readInfo(buffer, status) && !status.getMap().empty()) {
        status.setAnswered(true);
        if (status.getPing() < 1) // the challenge went unanswered: the info reply is the round trip
            status.setPing(pingOf(os::monotonicMicroseconds() - t0));
    }
}

void ServerQuery::playersExchange(ServerStatus& status, std::int32_t challenge)
{
    status.clearPlayerList();
    status.setHiddenNames(0);
    ByteStream buffer;
    writeRequest(buffer, playersRequest, challenge);
    ask(status, buffer);
    // The challenge was refused or missing: the server sent a fresh one; ask once more.
    std::int32_t fresh = noChallenge;
    if (ReplyReader::readChallenge(buffer, fresh)) {
        buffer.clear();
        writeRequest(buffer, playersRequest, fresh);
        ask(status, buffer);
    }
    ReplyReader::readPlayers(buffer, status);
}

void ServerQuery::rulesExchange(ServerStatus& status, std::int32_t challenge)
{
    status.clearRules();
    ByteStream buffer;
    writeRequest(buffer, rulesRequest, challenge);
    ask(status, buffer);
    ReplyReader::readRules(buffer, status);
}

void ServerQuery::exchange(const std::string& host, std::uint16_t port, ByteStream& buffer)
{
    if (buffer.empty())
        return;
    const Packet request = Packet::takeFrom(buffer);
    UdpSocket socket(host, port, quiet);
    socket.setTimeout(replyTimeoutMs);
    if (!socket.send(request))
        return;

    collectReply([&socket](bool& ok) { return socket.receive(ok); }, buffer);
}
