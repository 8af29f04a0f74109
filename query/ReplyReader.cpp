#include "query/ReplyReader.h"

#include "query/ByteStream.h"
#include "query/ServerStatus.h"

#include <string>
#include <vector>

namespace ReplyReader {

namespace {

bool takeType(ByteStream& payload, std::uint8_t type)
{
    if (typeOf(payload) != type)
        return false;
    payload.readByte();
    return true;
}

} // namespace

bool isReply(const ByteStream& payload) { return payload.size() > 1; }

std::uint8_t typeOf(const ByteStream& payload) { return isReply(payload) ? payload.peek()[0] : 0; }

bool readChallenge(ByteStream& payload, std::int32_t& challenge)
{
    if (!takeType(payload, challengeType))
        return false;
    // Fewer than four bytes behind the type read as challenge 0, like any short value.
    challenge = payload.readInt32();
    return true;
}

bool readInfo(ByteStream& payload, ServerStatus& status)
{
    if (!takeType(payload, infoType))
        return false;
    status.setProtocol(payload.readByte());
    status.setName(payload.readString());
    status.setMap(payload.readString());
    status.setFolder(payload.readString());
    status.setGame(payload.readString());
    status.setAppId(static_cast<std::uint16_t>(payload.readInt16()));
    status.setPlayers(payload.readByte());
    status.setMaxPlayers(payload.readByte());
    status.setBots(payload.readByte());
    status.setServerType(payload.readByte());
    status.setEnvironment(payload.readByte());
    status.setVisibility(payload.readByte());
    status.setVac(payload.readByte());
    status.setVersion(payload.readString());
    return true;
}

bool readPlayers(ByteStream& payload, ServerStatus& status)
{
    if (!takeType(payload, playersType))
        return false;
    const std::uint8_t count = payload.readByte();
    status.setPlayers(count);
    unsigned hidden = 0;
    for (unsigned i = 0; i < count; ++i) {
        // index, the name's NUL, score and duration: an entry shorter than that was cut off,
        // and its empty name says nothing about the server hiding names.
        const bool whole = payload.size() >= 1 + 1 + 4 + 4;
        Player player;
        player.setIndex(payload.readByte());
        player.setName(payload.readString());
        player.setScore(payload.readInt32());
        player.setDuration(payload.readFloat());
        if (!player.getName().empty())
            status.insertPlayer(player);
        else if (whole)
            ++hidden;
    }
    status.setHiddenNames(static_cast<std::uint8_t>(hidden));
    return true;
}

bool readRules(ByteStream& payload, ServerStatus& status)
{
    if (!takeType(payload, rulesType))
        return false;
    // A negative count reads no pairs; pairs missing at the end read as empty texts.
    const std::int16_t count = payload.readInt16();
    std::vector<Rule> rules;
    rules.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
    for (int i = 0; i < count; ++i) {
        std::string name = payload.readString();
        std::string value = payload.readString();
        rules.emplace_back(std::move(name), std::move(value));
    }
    status.insertRules(std::move(rules));
    return true;
}

} // namespace ReplyReader
