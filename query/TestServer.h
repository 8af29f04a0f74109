// A game server of our own on loopback that speaks the Source Engine query protocol: it
// answers challenge, info, players and rules requests with what it was told to say, in
// the old split layout or today's (16-bit size field, info challenge), plain or
// bzip2-compressed, and can misbehave on purpose (pieces out of order, doubled, foreign or
// missing, replies cut short, late or not at all). Tests use it, and so does the window's
// demo mode.
//
//     TestServer server;
//     server.setMap("de_dust2");
//     server.setPlayers({Player(0, "Zien", 12, 600.0f)});
//     server.setDelay(5);            // a late reply, as from a server far away
//     if (server.start())            // 127.0.0.1, a free port
//         query "127.0.0.1", server.port() ...
//
// Every setter may be called while the server runs; the next reply follows it.
#pragma once

#include "os/Sockets.h"
#include "query/Player.h"
#include "query/Rule.h"
#include "query/TestServerState.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

class TestServer {
public:
    // Old: the piece header id, total, number (and in a compressed reply decompressed size
    // and CRC-32 in every piece). Source: today's, with a 16-bit packet size after the
    // number, and the compression fields in piece 0 only.
    enum class SplitLayout { Old, Source };
    enum class Fault {
        None,
        Reordered,     // the last piece first, then the others
        Doubled,       // piece 0 again in place of the last piece
        Foreign,       // a piece of another reply before the last piece
        MissingPiece,  // the last piece is never sent
        ZeroTotal,     // every piece announces a total of 0
        EmptyDatagram, // an empty datagram before every piece after the first
        Truncated,     // a data reply (or the last of its pieces) cut to half its length
    };
    enum class RequestKind { Challenge, Info, Players, Rules, Other };

    TestServer();
    ~TestServer();
    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    // Binds 127.0.0.1 on port (0: a free one) and starts answering on a thread of its own.
    bool start(std::uint16_t port = 0);
    void stop();
    bool isRunning() const { return running; }
    // The bound port; stays known after stop(), so start(port()) comes back on the same one.
    std::uint16_t port() const { return boundPort; }

    // What it says.
    void setProtocol(std::uint8_t value);
    void setName(const std::string& value);
    void setMap(const std::string& value);
    std::string map() const;
    void setFolder(const std::string& value);
    void setGame(const std::string& value);
    void setAppId(std::uint16_t value);
    void setMaxPlayers(std::uint8_t value);
    void setBots(std::uint8_t value);
    void setServerType(std::uint8_t value);  // 'd' dedicated, 'l' listen, 'p' proxy
    void setEnvironment(std::uint8_t value); // 'l' Linux, 'w' Windows, 'm' Mac
    void setPassword(bool needed);
    void setVac(bool secured);
    void setVersion(const std::string& value);
    // The info reply counts them (at most 255); the players reply lists them in this order.
    void setPlayers(const std::vector<Player>& players);
    void setRules(const std::vector<Rule>& rules);
    // The window's demo: a CS:Source server on de_dust2 with a few players and two bots,
    // answering after 20 ms; and a Counter-Strike 2 server that hides every player's name.
    void loadDemoContent();
    void loadHiddenNamesDemoContent();
    // What it says now becomes the base of serveState(), which puts a state's keys over that
    // base in one step: a key taken out of a state file comes back to the base's value.
    void keepAsBase();
    void serveState(const TestServerState& state);

    // How it says it.
    void setInfoChallenge(bool required);
    void setChallenge(std::int32_t value);
    // Replies longer than this many bytes go out split, this many bytes of the (compressed)
    // reply per piece; 0 never splits. 1248 unless changed.
    void setSplitSize(std::size_t bytes);
    void setSplitLayout(SplitLayout layout);
    void setCompressed(bool on);
    void setFault(Fault fault);
    void setDelay(std::uint32_t ms);
    // Silent: every request goes unanswered.
    void setSilent(bool on);
    // Leaves the n-th request (counted from 1 since start or clearRequests()) unanswered.
    void dropRequest(int ordinal);

    // What it heard.
    std::vector<std::string> requests() const;
    int requestCount(RequestKind kind) const;
    void clearRequests();
    static RequestKind kindOf(const std::string& request);

    // The datagrams the server sends for one request, without any socket (also the seed of
    // the reply readers' fuzz corpus).
    std::vector<std::string> answer(const std::string& request);

private:
    struct Content {
        std::uint8_t protocol = 17;
        std::string name = "Holmik test server";
        std::string map = "de_dust2";
        std::string folder = "csgo";
        std::string game = "Counter-Strike: Global Offensive";
        std::uint16_t appId = 730;
        std::uint8_t maxPlayers = 16;
        std::uint8_t bots = 0;
        std::uint8_t serverType = 'd';
        std::uint8_t environment = 'l';
        bool password = false;
        bool vac = true;
        std::string version = "1.38.7.9";
        std::vector<Player> players;
        std::vector<Rule> rules;
        bool infoChallenge = false;
        std::int32_t challenge = 0x4B1D2A3C;
        std::size_t splitSize = 1248;
        SplitLayout layout = SplitLayout::Source;
        bool compressed = false;
        Fault fault = Fault::None;
        std::uint32_t delayMs = 0;
        bool silent = false;
        std::set<int> dropped;
        std::int32_t nextReplyId = 0x100;
        bool live = false; // durations grow with the time since start()
    };

    template <typename Change>
    void change(Change apply)
    {
        std::lock_guard<std::mutex> guard(lock);
        apply(content);
    }
    void serve();
    std::vector<std::string> reply(const std::string& request, Content& content) const;
    std::vector<std::string> split(const std::string& whole, Content& content) const;

    mutable std::mutex lock;
    Content content;
    Content base;
    std::vector<std::string> heard;
    int ordinal = 0;
    std::uint32_t startedMs = 0;
    os::SocketHandle socket = os::invalidSocket;
    std::uint16_t boundPort = 0;
    std::atomic<bool> running{false};
    std::atomic<bool> stopping{false};
    std::thread worker;
};
