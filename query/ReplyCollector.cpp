#include "query/ReplyCollector.h"

#include "os/Clock.h"
#include "query/ByteStream.h"
#include "query/PacketAssembler.h"

namespace {

constexpr std::int32_t splitHeader = -2; // FE FF FF FF

// Reads the 4-byte header of a datagram just appended to buffer. A datagram shorter than
// that stays as it came and counts as a single reply.
std::int32_t takeHeader(ByteStream& buffer)
{
    if (buffer.size() < 4)
        return 0;
    return buffer.readInt32();
}

} // namespace

void collectReply(const ReceiveDatagram& receive, ByteStream& buffer)
{
    bool ok = false;
    Packet datagram = receive(ok);
    if (!ok || datagram.empty())
        return;
    buffer.writeBytes(datagram.data(), datagram.length());
    if (takeHeader(buffer) != splitHeader)
        return;

    PacketAssembler assembler;
    assembler.add(buffer);
    const std::uint32_t started = os::monotonicMilliseconds();
    for (int received = 0; !assembler.isComplete() && !assembler.isFull(); ++received) {
        if (received >= maxSplitDatagrams || os::monotonicMilliseconds() - started > maxSplitWaitMs)
            break;
        datagram = receive(ok);
        if (!ok)
            break;
        if (datagram.empty())
            continue;
        buffer.writeBytes(datagram.data(), datagram.length());
        if (takeHeader(buffer) != splitHeader)
            break;
        assembler.add(buffer);
    }
    assembler.assemble(buffer);
}
