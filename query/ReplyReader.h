// Reads the payload of one reply (starting at its type byte) into a ServerStatus. Each
// reader checks the type byte first and leaves the status alone for any other reply; a
// short reply reads its missing values as 0 and empty texts.
#pragma once

#include <cstdint>

class ByteStream;
class ServerStatus;

namespace ReplyReader {

inline constexpr std::uint8_t challengeType = 0x41; // 'A'
inline constexpr std::uint8_t infoType = 0x49;      // 'I'
inline constexpr std::uint8_t playersType = 0x44;   // 'D'
inline constexpr std::uint8_t rulesType = 0x45;     // 'E'

// A reply of one byte or none counts as no reply.
bool isReply(const ByteStream& payload);
// The type byte of a reply, without taking it; 0 for no reply.
std::uint8_t typeOf(const ByteStream& payload);

// 'A': the 32-bit challenge (0 when fewer than four bytes follow). False (challenge
// untouched) for anything else.
bool readChallenge(ByteStream& payload, std::int32_t& challenge);
// 'I': protocol to version; what follows the version is ignored.
bool readInfo(ByteStream& payload, ServerStatus& status);
// 'D': the count replaces status.players; every entry with a name joins the list in order,
// and the whole entries without one are counted in status.hiddenNames.
bool readPlayers(ByteStream& payload, ServerStatus& status);
// 'E': a signed 16-bit count of name/value pairs, inserted by name; exactly that many are
// read, the ones missing at the end as empty texts.
bool readRules(ByteStream& payload, ServerStatus& status);

} // namespace ReplyReader
