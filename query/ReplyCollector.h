// The receiving half of an exchange: takes the datagrams of one reply, single or split,
// and leaves the reply's payload (from its type byte) in a stream.
#pragma once

#include "query/Packet.h"

#include <cstdint>
#include <functional>

class ByteStream;

// ok false: the receive timed out or failed.
using ReceiveDatagram = std::function<Packet(bool& ok)>;

// A split reply's wait ends after this many datagrams or this long, whatever the server
// keeps sending (foreign pieces, empty datagrams).
inline constexpr int maxSplitDatagrams = 512;
inline constexpr std::uint32_t maxSplitWaitMs = 4000;

// buffer is empty on entry. An unanswered exchange leaves it empty; a datagram that is not a
// piece of a split reply leaves its payload there (or, shorter than a header, itself).
void collectReply(const ReceiveDatagram& receive, ByteStream& buffer);
