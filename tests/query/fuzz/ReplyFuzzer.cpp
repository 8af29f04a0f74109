// libFuzzer target over everything a server's datagrams reach: the reply collector with its
// split and bzip2 assembly, and the four reply readers.
//
// Input: datagrams, each as a 2-byte little-endian length and that many bytes; bytes after
// the last whole datagram form one more. The collector receives them in order, then times out.
#include "query/ByteStream.h"
#include "query/ReplyCollector.h"
#include "query/ReplyReader.h"
#include "query/ServerStatus.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<Packet> datagrams;
    std::size_t at = 0;
    while (at < size) {
        std::size_t length = size - at;
        if (length >= 2) {
            const std::size_t announced = data[at] | static_cast<std::size_t>(data[at + 1]) << 8;
            if (announced <= length - 2) {
                at += 2;
                length = announced;
            }
        }
        datagrams.emplace_back(data + at, length);
        at += length;
    }

    std::size_t next = 0;
    ByteStream reply;
    collectReply(
        [&](bool& ok) {
            ok = next < datagrams.size();
            return ok ? datagrams[next++] : Packet();
        },
        reply);

    ServerStatus status("fuzz", 27015);
    std::int32_t challenge = 0;
    ByteStream a = reply, b = reply, c = reply, d = reply;
    ReplyReader::readChallenge(a, challenge);
    ReplyReader::readInfo(b, status);
    ReplyReader::readPlayers(c, status);
    ReplyReader::readRules(d, status);
    ServerStatus copy = status;
    return copy.getPlayerList().size() > 255 ? 1 : 0;
}
