#include "query/TestServer.h"

#include "os/Clock.h"
#include "os/Sockets.h"
#include "query/ByteStream.h"

#include <bzlib.h>

#include <algorithm>
#include <array>

namespace {

constexpr std::int32_t singleHeader = -1;
constexpr std::int32_t splitHeader = -2;
constexpr std::uint32_t pollMs = 20;
constexpr std::size_t maxHeard = 4096;
const std::string infoText = "Source Engine Query";

std::string toString(ByteStream& stream)
{
    const std::vector<std::uint8_t> bytes = stream.readAll();
    return std::string(bytes.begin(), bytes.end());
}

std::uint32_t crc32(const std::string& data)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (unsigned char byte : data)
        c = table[(c ^ byte) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::string compress(const std::string& data)
{
    unsigned int length = static_cast<unsigned int>(data.size() + data.size() / 100 + 600);
    std::string out(length, '\0');
    if (BZ2_bzBuffToBuffCompress(out.data(), &length, const_cast<char*>(data.data()),
                                 static_cast<unsigned int>(data.size()), 9, 0, 0) != BZ_OK)
        return {};
    out.resize(length);
    return out;
}

// A request's challenge: the four bytes after its type byte (after the text of an info request).
bool challengeOf(const std::string& request, std::size_t at, std::int32_t& challenge)
{
    if (request.size() < at + 4)
        return false;
    ByteStream stream(request.data() + at, 4);
    challenge = stream.readInt32();
    return true;
}

std::string challengeReply(std::int32_t challenge)
{
    ByteStream out;
    out.writeInt32(singleHeader);
    out.writeByte('A');
    out.writeInt32(challenge);
    return toString(out);
}

} // namespace

TestServer::TestServer() = default;

TestServer::~TestServer() { stop(); }

bool TestServer::start(std::uint16_t port)
{
    stop();
    socket = os::openUdpSocket();
    if (socket == os::invalidSocket)
        return false;
    std::uint16_t bound = port;
    if (!os::bindLoopback(socket, bound)) {
        os::closeSocket(socket);
        socket = os::invalidSocket;
        return false;
    }
    boundPort = bound;
    {
        std::lock_guard<std::mutex> guard(lock);
        ordinal = 0;
        heard.clear();
        startedMs = os::monotonicMilliseconds();
    }
    stopping = false;
    running = true;
    worker = std::thread(&TestServer::serve, this);
    return true;
}

void TestServer::stop()
{
    if (!running)
        return;
    stopping = true;
    if (worker.joinable())
        worker.join();
    os::closeSocket(socket);
    socket = os::invalidSocket;
    running = false;
}

void TestServer::serve()
{
    std::vector<char> buffer(65536);
    while (!stopping) {
        std::size_t received = 0;
        os::Ipv4Endpoint from;
        if (!os::receiveFrom(socket, buffer.data(), buffer.size(), received, from, pollMs))
            continue;
        const std::string request(buffer.data(), received);
        std::vector<std::string> datagrams;
        std::uint32_t delay = 0;
        {
            std::lock_guard<std::mutex> guard(lock);
            ++ordinal;
            if (heard.size() < maxHeard)
                heard.push_back(request);
            if (content.silent || content.dropped.count(ordinal))
                continue;
            datagrams = reply(request, content);
            delay = content.delayMs;
        }
        if (delay)
            os::sleepMilliseconds(delay);
        for (const std::string& datagram : datagrams)
            os::sendTo(socket, datagram.data(), datagram.size(), from);
    }
}

std::vector<std::string> TestServer::answer(const std::string& request)
{
    std::lock_guard<std::mutex> guard(lock);
    return reply(request, content);
}

TestServer::RequestKind TestServer::kindOf(const std::string& request)
{
    if (request.size() < 5 || request.compare(0, 4, "\xFF\xFF\xFF\xFF") != 0)
        return RequestKind::Other;
    std::int32_t challenge = 0;
    switch (request[4]) {
    case 'T':
        return request.compare(5, infoText.size() + 1, infoText.c_str(), infoText.size() + 1) == 0 ? RequestKind::Info
                                                                                                  : RequestKind::Other;
    case 'U':
        return RequestKind::Players;
    case 'V':
        return challengeOf(request, 5, challenge) && challenge == -1 ? RequestKind::Challenge : RequestKind::Rules;
    default:
        return RequestKind::Other;
    }
}

std::vector<std::string> TestServer::reply(const std::string& request, Content& c) const
{
    std::int32_t challenge = 0;
    const bool hasChallenge = challengeOf(request, 5, challenge);
    ByteStream out;
    out.writeInt32(singleHeader);
    switch (kindOf(request)) {
    case RequestKind::Challenge:
        return {challengeReply(c.challenge)};
    case RequestKind::Info: {
        std::int32_t given = 0;
        if (c.infoChallenge && !(challengeOf(request, 5 + infoText.size() + 1, given) && given == c.challenge))
            return {challengeReply(c.challenge)};
        out.writeByte('I');
        out.writeByte(c.protocol);
        out.writeString(c.name);
        out.writeString(c.map);
        out.writeString(c.folder);
        out.writeString(c.game);
        out.writeInt16(static_cast<std::int16_t>(c.appId));
        out.writeByte(static_cast<std::uint8_t>(std::min<std::size_t>(c.players.size(), 255)));
        out.writeByte(c.maxPlayers);
        out.writeByte(c.bots);
        out.writeByte(c.serverType);
        out.writeByte(c.environment);
        out.writeByte(c.password ? 1 : 0);
        out.writeByte(c.vac ? 1 : 0);
        out.writeString(c.version);
        // Extra data as today's servers send it: the game port.
        out.writeByte(0x80);
        out.writeInt16(static_cast<std::int16_t>(boundPort));
        break;
    }
    case RequestKind::Players: {
        if (!hasChallenge || challenge != c.challenge)
            return {challengeReply(c.challenge)};
        const std::size_t count = std::min<std::size_t>(c.players.size(), 255);
        const float elapsed = c.live ? static_cast<float>(os::monotonicMilliseconds() - startedMs) / 1000.0f : 0.0f;
        out.writeByte('D');
        out.writeByte(static_cast<std::uint8_t>(count));
        for (std::size_t i = 0; i < count; ++i) {
            const Player& p = c.players[i];
            out.writeByte(p.getIndex());
            out.writeString(p.getName());
            out.writeInt32(p.getScore());
            out.writeFloat(p.getDuration() + elapsed);
        }
        break;
    }
    case RequestKind::Rules:
        if (!hasChallenge || challenge != c.challenge)
            return {challengeReply(c.challenge)};
        out.writeByte('E');
        out.writeInt16(static_cast<std::int16_t>(std::min<std::size_t>(c.rules.size(), 32767)));
        for (std::size_t i = 0; i < c.rules.size() && i < 32767; ++i) {
            out.writeString(c.rules[i].getName());
            out.writeString(c.rules[i].getValue());
        }
        break;
    case RequestKind::Other:
        return {};
    }
    std::string whole = toString(out);
    if (c.splitSize > 0 && whole.size() > c.splitSize)
        return split(whole, c);
    if (c.fault == Fault::Truncated)
        whole.resize(whole.size() / 2);
    return {whole};
}

std::vector<std::string> TestServer::split(const std::string& whole, Content& c) const
{
    const std::string data = c.compressed ? compress(whole) : whole;
    std::int32_t id = c.nextReplyId++;
    if (c.nextReplyId > 0x7FFF0000)
        c.nextReplyId = 0x100;
    if (c.compressed)
        id = static_cast<std::int32_t>(static_cast<std::uint32_t>(id) | 0x80000000u);
    const std::size_t count = std::min<std::size_t>((data.size() + c.splitSize - 1) / c.splitSize, 255);

    auto piece = [&](std::int32_t pieceId, std::size_t number) {
        ByteStream out;
        out.writeInt32(splitHeader);
        out.writeInt32(pieceId);
        out.writeByte(c.fault == Fault::ZeroTotal ? 0 : static_cast<std::uint8_t>(count));
        out.writeByte(static_cast<std::uint8_t>(number));
        if (c.layout == SplitLayout::Source)
            out.writeInt16(static_cast<std::int16_t>(c.splitSize));
        if (pieceId < 0 && (number == 0 || c.layout == SplitLayout::Old)) {
            out.writeInt32(static_cast<std::int32_t>(whole.size()));
            out.writeInt32(static_cast<std::int32_t>(crc32(whole)));
        }
        const std::size_t begin = number * c.splitSize;
        if (begin < data.size())
            out.writeBytes(data.data() + begin, std::min(c.splitSize, data.size() - begin));
        std::string datagram = toString(out);
        if (c.fault == Fault::Truncated && number + 1 == count)
            datagram.resize(datagram.size() / 2);
        return datagram;
    };

    std::vector<std::string> pieces;
    for (std::size_t i = 0; i < count; ++i)
        pieces.push_back(piece(id, i));
    switch (c.fault) {
    case Fault::Reordered:
        std::rotate(pieces.begin(), pieces.end() - 1, pieces.end());
        break;
    case Fault::Doubled:
        if (count > 1)
            pieces.back() = pieces.front();
        break;
    case Fault::Foreign:
        pieces.insert(pieces.end() - 1, piece(id ^ 0x5A5A, 0));
        break;
    case Fault::MissingPiece:
        pieces.pop_back();
        break;
    case Fault::EmptyDatagram:
        for (std::size_t i = pieces.size() - 1; i > 0; --i)
            pieces.insert(pieces.begin() + static_cast<std::ptrdiff_t>(i), std::string());
        break;
    default:
        break;
    }
    return pieces;
}

std::vector<std::string> TestServer::requests() const
{
    std::lock_guard<std::mutex> guard(lock);
    return heard;
}

int TestServer::requestCount(RequestKind kind) const
{
    std::lock_guard<std::mutex> guard(lock);
    return static_cast<int>(std::count_if(heard.begin(), heard.end(),
                                          [kind](const std::string& r) { return kindOf(r) == kind; }));
}

void TestServer::clearRequests()
{
    std::lock_guard<std::mutex> guard(lock);
    heard.clear();
    ordinal = 0;
}

void TestServer::loadDemoContent()
{
    std::lock_guard<std::mutex> guard(lock);
    content.name = "HolmikZiviza demo server";
    content.map = "de_dust2";
    content.folder = "cstrike";
    content.game = "Counter-Strike: Source";
    content.appId = 240;
    content.maxPlayers = 16;
    content.bots = 2;
    content.vac = true;
    // The bots came with the map and have been on the server longest, as on a real one.
    content.players = {
        Player(1, "Zien", 24, 3120.0f),     Player(2, "LiGGleS", 19, 2450.5f), Player(3, "Szp@n3r", 19, 1800.0f),
        Player(4, "Foxy | D:<", 11, 960.0f), Player(5, "BOT Gabe", 7, 3600.0f), Player(6, "BOT Hank", 3, 3600.0f),
    };
    content.delayMs = 20;
    content.live = true;
}

void TestServer::loadHiddenNamesDemoContent()
{
    std::lock_guard<std::mutex> guard(lock);
    content.name = "HolmikZiviza CS2 demo server";
    content.map = "de_inferno";
    content.folder = "csgo";
    content.game = "Counter-Strike 2";
    content.appId = 730;
    content.maxPlayers = 20;
    content.bots = 0;
    content.vac = true;
    content.players.clear();
    for (int i = 0; i < 12; ++i)
        content.players.emplace_back(static_cast<std::uint8_t>(i), "", 20 - i, 2000.0f - 150.0f * static_cast<float>(i));
    content.delayMs = 25;
    content.live = true;
}

void TestServer::keepAsBase()
{
    change([&](Content& c) { base = c; });
}

void TestServer::serveState(const TestServerState& state)
{
    change([&](Content& c) {
        const std::set<int> dropped = c.dropped;
        const std::int32_t nextReplyId = c.nextReplyId;
        c = base;
        c.dropped = dropped;
        c.nextReplyId = nextReplyId;
        c.name = state.name.value_or(c.name);
        c.map = state.map.value_or(c.map);
        c.game = state.game.value_or(c.game);
        c.appId = state.appId.value_or(c.appId);
        c.maxPlayers = state.maxPlayers.value_or(c.maxPlayers);
        c.bots = state.bots.value_or(c.bots);
        c.password = state.password.value_or(c.password);
        c.vac = state.vac.value_or(c.vac);
        c.silent = state.silent.value_or(c.silent);
        c.players = state.players.value_or(c.players);
        c.rules = state.rules.value_or(c.rules);
        // A state's times are the times it names, not counted on from the server's start.
        c.live = c.live && !state.players;
    });
}

void TestServer::setProtocol(std::uint8_t value)
{
    change([&](Content& c) { c.protocol = value; });
}

void TestServer::setName(const std::string& value)
{
    change([&](Content& c) { c.name = value; });
}

std::string TestServer::map() const
{
    std::lock_guard<std::mutex> guard(lock);
    return content.map;
}

void TestServer::setMap(const std::string& value)
{
    change([&](Content& c) { c.map = value; });
}

void TestServer::setFolder(const std::string& value)
{
    change([&](Content& c) { c.folder = value; });
}

void TestServer::setGame(const std::string& value)
{
    change([&](Content& c) { c.game = value; });
}

void TestServer::setAppId(std::uint16_t value)
{
    change([&](Content& c) { c.appId = value; });
}

void TestServer::setMaxPlayers(std::uint8_t value)
{
    change([&](Content& c) { c.maxPlayers = value; });
}

void TestServer::setBots(std::uint8_t value)
{
    change([&](Content& c) { c.bots = value; });
}

void TestServer::setServerType(std::uint8_t value)
{
    change([&](Content& c) { c.serverType = value; });
}

void TestServer::setEnvironment(std::uint8_t value)
{
    change([&](Content& c) { c.environment = value; });
}

void TestServer::setPassword(bool value)
{
    change([&](Content& c) { c.password = value; });
}

void TestServer::setVac(bool value)
{
    change([&](Content& c) { c.vac = value; });
}

void TestServer::setVersion(const std::string& value)
{
    change([&](Content& c) { c.version = value; });
}

void TestServer::setPlayers(const std::vector<Player>& value)
{
    change([&](Content& c) { c.players = value; });
}

void TestServer::setRules(const std::vector<Rule>& value)
{
    change([&](Content& c) { c.rules = value; });
}

void TestServer::setInfoChallenge(bool value)
{
    change([&](Content& c) { c.infoChallenge = value; });
}

void TestServer::setChallenge(std::int32_t value)
{
    change([&](Content& c) { c.challenge = value; });
}

void TestServer::setSplitSize(std::size_t value)
{
    change([&](Content& c) { c.splitSize = value; });
}

void TestServer::setSplitLayout(SplitLayout value)
{
    change([&](Content& c) { c.layout = value; });
}

void TestServer::setCompressed(bool value)
{
    change([&](Content& c) { c.compressed = value; });
}

void TestServer::setFault(Fault value)
{
    change([&](Content& c) { c.fault = value; });
}

void TestServer::setDelay(std::uint32_t value)
{
    change([&](Content& c) { c.delayMs = value; });
}

void TestServer::setSilent(bool value)
{
    change([&](Content& c) { c.silent = value; });
}

void TestServer::dropRequest(int n)
{
    change([&](Content& c) { c.dropped.insert(n); });
}
