// HttpClient against a raw TCP server that misbehaves on purpose.
#include "http/HttpClient.h"

#include "os/Clock.h"
#include "tests/support/ScriptedTcpServer.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using testing_support::ScriptedTcpServer;
using Ending = ScriptedTcpServer::Ending;
using Step = ScriptedTcpServer::Step;

// For servers that stall on purpose, so that those cases end soon. A server that answers
// gets the full time-out, so that a slow machine never turns an answer into a stall.
constexpr std::uint32_t stallTimeoutMs = 300;

// Each server is asked twice: for a file where an old one lies, then into memory (a server
// that hangs answers only the first). A call that fails leaves the file and the body as they
// were, and nothing half-written beside the file.
TEST(HttpClientRaw, EachMisbehaviourEndsWithTheWholeAnswerOrNone)
{
    const std::string ok = "HTTP/1.0 200 OK\r\n", body = "first\r\n\r\nsecond" + std::string(600, '\x01');
    const HttpOptions picture = HttpOptions::mapPicture();
    auto headOf = [&](std::size_t size) { return ok + "X:" + std::string(size - ok.size() - 6, 'h') + "\r\n\r\n"; };
    const std::string full(picture.bodyCap, 'p');
    // The script, whether the file and the memory call succeed (with that body), the status
    // codes after each, how the server ends and the caps.
    struct Case {
        const char* name;
        std::vector<Step> script;
        bool fileOk, memoryOk;
        std::string body;
        int fileCode, memoryCode;
        Ending ending = Ending::Close;
        HttpOptions options = HttpOptions::mapPicture();
    };
    const Case cases[] = {
        {"head and body in one-byte pieces", ScriptedTcpServer::pieces(ok + "A: b\r\n\r\n" + body, 1), true, true,
         body, 200, 200},
        {"the head's end and the body's start in one write", {{ok + "A: b\r", 5}, {"\n\r\nABC", 5}, {"DEF"}}, true,
         true, "ABCDEF", 200, 200},
        {"head cut in the middle", {{ok + "Content-Ty"}}, false, true, "", 0, 200},
        {"a 404 head cut in the middle", {{"HTTP/1.0 404 Not Fo"}}, false, false, "", 0, 404},
        {"closed before any byte", {{""}}, false, false, "", 0, 0},
        {"a redirect, not followed", {{"HTTP/1.1 301 Moved\r\nLocation: http://elsewhere/\r\n\r\nbody"}}, false,
         false, "", 301, 301},
        {"no status code", {{"HTTP/1.0 OK\r\n\r\nbody"}}, false, false, "", 0, 0},
        {"stalls in the head", {{ok + "Server: sl"}}, false, false, "", 0, 0, Ending::Hang},
        {"stalls in the body", {{ok + "\r\nhalf a pict"}}, false, false, "", 200, 200, Ending::Hang},
        // A trickle that would take 30 s, never silent long enough for the time-out.
        {"body trickling past the deadline", {{ok + "\r\n"}, {"b", 250, 120}}, false, false, "", 200, 200,
         Ending::Close, {1500}},
        {"head without end", {{ok}, {std::string(62, 'a') + "\r\n", 0, 4000000}}, false, false, "", 0, 0},
        {"head one byte over its cap", {{headOf(picture.headCap + 1) + "body"}}, false, false, "", 0, 0},
        {"head right at its cap", {{headOf(picture.headCap) + "body"}}, true, true, "body", 200, 200},
        {"body one byte over its cap", {{ok + "\r\n" + full + "p"}}, false, false, "", 200, 200},
        {"body right at its cap", {{ok + "\r\n" + full}}, true, true, full, 200, 200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedTcpServer server(c.script, c.ending);
        HttpClient client(server.host());
        client.setTimeout(c.ending == Ending::Hang ? stallTimeoutMs : HttpClient::defaultTimeoutMs);
        testing_support::TempDir out;
        out.write("x", "old");
        EXPECT_EQ(client.getToFile("/x", out.file("x"), c.options), c.fileOk);
        EXPECT_EQ(client.getResponseCode(), c.fileCode);
        EXPECT_TRUE(out.read("x") == (c.fileOk ? c.body : "old"));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out.path()), {}), 1);
        std::string received = "untouched";
        EXPECT_EQ(client.getToMemory("/x", received, c.options), c.memoryOk);
        EXPECT_TRUE(received == (c.memoryOk ? c.body : "untouched"));
        EXPECT_EQ(client.getResponseCode(), c.memoryCode);
        const std::vector<std::string> requests = server.requests();
        ASSERT_EQ(requests.size(), c.ending == Ending::Hang ? 1u : 2u) << "one connection a call, no more";
        EXPECT_EQ(requests[0], "GET /x HTTP/1.0\r\nHost:" + server.host() + "\r\n\r\n");
    }
}

TEST(HttpClientRaw, AResetEndsTheAnswerWithWhatArrived)
{
    const std::string body(3000, 'b');
    ScriptedTcpServer server({{"HTTP/1.0 200 OK\r\n\r\n" + body, 50}}, Ending::Reset);
    testing_support::TempDir out;
    HttpClient client(server.host());
    std::string received;
    // Whether the reset overtakes bytes not read yet is the system's business: whatever the
    // calls give is the start of the body.
    client.getToMemory("/x", received);
    client.getToFile("/x", out.file("x"));
    EXPECT_EQ(received, body.substr(0, received.size()));
    EXPECT_EQ(out.read("x"), body.substr(0, out.read("x").size()));
    EXPECT_EQ(server.connections(), 2);
}

TEST(HttpClientRaw, UnknownHostsBadPortsAndUnansweredConnectsFail)
{
    for (const std::string host :
         {"no-such-host.invalid", "", "127.0.0.1:", "127.0.0.1:0", "127.0.0.1:65536", "127.0.0.1:80x"}) {
        std::string body = "untouched";
        EXPECT_FALSE(HttpClient(host).getToMemory("/", body)) << host;
        EXPECT_EQ(body, "untouched") << host;
    }
    // A listener whose accept queue is full drops new connection requests: a connect waits
    // for an answer that never comes.
    os::SocketHandle listener = os::openTcpSocket();
    os::Ipv4Endpoint endpoint;
    ASSERT_TRUE(os::parseIpv4("127.0.0.1", endpoint.address));
    ASSERT_TRUE(os::bindLoopback(listener, endpoint.port) && os::listenSocket(listener, 0));
    std::vector<os::SocketHandle> fillers;
    bool full = false;
    for (int i = 0; i < 16 && !full; ++i) {
        fillers.push_back(os::openTcpSocket());
        full = !os::connectSocket(fillers.back(), endpoint, 500);
    }
    if (full) {
        HttpClient client("127.0.0.1:" + std::to_string(endpoint.port));
        client.setTimeout(stallTimeoutMs);
        std::string body = "untouched";
        const std::uint32_t begin = os::monotonicMilliseconds();
        EXPECT_FALSE(client.getToMemory("/x", body));
        EXPECT_LT(os::monotonicMilliseconds() - begin, 45000u) << "far below the system's own wait of a minute or more";
    }
    for (os::SocketHandle s : fillers)
        os::closeSocket(s);
    os::closeSocket(listener);
    if (!full)
        GTEST_SKIP() << "this system accepts connections beyond the listen queue: no connect went unanswered";
}

} // namespace
