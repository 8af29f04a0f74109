// HttpClient against a raw TCP server that misbehaves on purpose.
#include "http/HttpClient.h"

#include "os/Clock.h"
#include "os/Sockets.h"
#include "tests/support/ScriptedTcpServer.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <vector>

namespace {

using testing_support::readFile;
using testing_support::ScriptedTcpServer;
using Ending = ScriptedTcpServer::Ending;

// For servers that stall on purpose, so that those tests end soon. A server that answers
// gets the full time-out, so that a slow machine never turns an answer into a stall.
constexpr std::uint32_t testTimeoutMs = 300;

HttpClient clientFor(const ScriptedTcpServer& server, std::uint32_t timeoutMs = HttpClient::defaultTimeoutMs)
{
    HttpClient client(server.host());
    client.setTimeout(timeoutMs);
    return client;
}

class HttpClientRaw : public ::testing::Test {
protected:
    bool exists(const std::string& name) const { return std::filesystem::exists(out.file(name)); }
    testing_support::TempDir out;
};

TEST_F(HttpClientRaw, RequestIsExactlyGetPathAndHostWithoutBlank)
{
    ScriptedTcpServer server("HTTP/1.0 200 OK\r\n\r\nbody");
    ASSERT_TRUE(server.isListening());
    HttpClient client = clientFor(server);
    std::string body;
    ASSERT_TRUE(client.getToMemory("/holmik/HolmikZivizaVersion.txt", body));
    ASSERT_TRUE(client.getToFile("/images/maps/160x120/csgo/de_dust2.jpg", out.file("p.jpg")));
    const std::vector<std::string> requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0], "GET /holmik/HolmikZivizaVersion.txt HTTP/1.0\r\nHost:" + server.host() + "\r\n\r\n");
    EXPECT_EQ(requests[1], "GET /images/maps/160x120/csgo/de_dust2.jpg HTTP/1.0\r\nHost:" + server.host() + "\r\n\r\n");
    EXPECT_EQ(HttpClient("www.example.net").requestFor("/a b"), "GET /a b HTTP/1.0\r\nHost:www.example.net\r\n\r\n");
}

TEST_F(HttpClientRaw, HeadInManySmallPiecesWithTheBodyStartingInTheLastOne)
{
    // A body that holds the separator again, and more than one chunk of it.
    std::string body = "first\r\n\r\nsecond";
    for (int i = 0; i < 200; ++i)
        body += static_cast<char>(i);
    const std::string head = "HTTP/1.1 200 OK\r\nServer: raw\r\nContent-Type: image/jpeg\r\n\r\n";
    for (std::size_t piece : {1u, 3u, 7u, 511u, 513u}) {
        ScriptedTcpServer server(ScriptedTcpServer::pieces(head + body + body + body, piece));
        HttpClient client = clientFor(server);
        std::string received;
        ASSERT_TRUE(client.getToMemory("/x", received)) << piece;
        EXPECT_EQ(received, body + body + body) << piece;
        ASSERT_TRUE(client.getToFile("/x", out.file("x"))) << piece;
        EXPECT_EQ(readFile(out.file("x")), body + body + body) << piece;
    }
    // The end of the head and the first body bytes in one write, the rest after it.
    ScriptedTcpServer server({{"HTTP/1.0 200 OK\r\nA: b\r", 5}, {"\n\r\nABC", 5}, {"DEF", 5}, {"GHI", 0}});
    ASSERT_TRUE(clientFor(server).getToFile("/x", out.file("y")));
    EXPECT_EQ(readFile(out.file("y")), "ABCDEFGHI");
}

TEST_F(HttpClientRaw, HeadCutInTheMiddle)
{
    ScriptedTcpServer server("HTTP/1.0 200 OK\r\nContent-Ty");
    HttpClient client = clientFor(server);
    EXPECT_FALSE(client.getToFile("/x", out.file("x")));
    EXPECT_FALSE(exists("x"));
    EXPECT_EQ(client.getResponseCode(), 0);

    // In memory the text without a separator is all head, and its status decides.
    ScriptedTcpServer notFound("HTTP/1.0 404 Not Fo");
    std::string body = "untouched";
    HttpClient other = clientFor(notFound);
    EXPECT_FALSE(other.getToMemory("/x", body));
    EXPECT_EQ(other.getResponseCode(), 404);
    EXPECT_EQ(body, "untouched");
    ScriptedTcpServer found("HTTP/1.0 200 OK\r\n");
    EXPECT_TRUE(clientFor(found).getToMemory("/x", body));
    EXPECT_EQ(body, "");
}

TEST_F(HttpClientRaw, ClosedBeforeAnyByte)
{
    ScriptedTcpServer server("");
    HttpClient client = clientFor(server);
    std::string body = "untouched";
    EXPECT_FALSE(client.getToMemory("/x", body));
    EXPECT_EQ(body, "untouched");
    EXPECT_FALSE(client.getToFile("/x", out.file("x")));
    EXPECT_FALSE(exists("x"));
}

TEST_F(HttpClientRaw, StatusOtherThan200)
{
    struct Case {
        std::string head;
        int code;
    };
    for (const Case& c : std::vector<Case>{{"HTTP/1.1 301 Moved\r\nLocation: http://elsewhere/\r\n\r\n", 301},
                                           {"HTTP/1.0 500 Oops\r\n\r\n", 500},
                                           {"HTTP/1.0 OK\r\n\r\n", 0},
                                           {"garbage\r\n\r\n", 0},
                                           {"HTTP/1.0   201\r\n\r\n", 201}}) {
        ScriptedTcpServer server(c.head + "some body");
        HttpClient client = clientFor(server);
        out.write("kept", "old");
        EXPECT_FALSE(client.getToFile("/x", out.file("kept"))) << c.head;
        EXPECT_EQ(client.getResponseCode(), c.code) << c.head;
        EXPECT_EQ(readFile(out.file("kept")), "old") << c.head;
        std::string body = "untouched";
        EXPECT_FALSE(client.getToMemory("/x", body)) << c.head;
        EXPECT_EQ(client.getResponseCode(), c.code) << c.head;
        EXPECT_EQ(body, "untouched");
        EXPECT_EQ(server.connections(), 2) << "no redirect is followed";
    }
}

TEST_F(HttpClientRaw, ServerThatAcceptsAndNeverAnswersCostsTheTimeOut)
{
    ScriptedTcpServer server("", Ending::Hang);
    HttpClient client = clientFor(server, testTimeoutMs);
    std::string body = "untouched";
    EXPECT_FALSE(client.getToMemory("/x", body));
    EXPECT_EQ(body, "untouched");
    EXPECT_FALSE(client.getToFile("/x", out.file("x")));
    EXPECT_FALSE(exists("x"));
    EXPECT_EQ(client.getResponseCode(), 0);
}

TEST_F(HttpClientRaw, ServerThatStallsAfterPartOfTheAnswer)
{
    {
        ScriptedTcpServer server("HTTP/1.0 200 OK\r\nServer: sl", Ending::Hang);
        EXPECT_FALSE(clientFor(server, testTimeoutMs).getToFile("/x", out.file("x")));
        EXPECT_FALSE(exists("x"));
    }
    {
        // A body cut off by a stall is not kept; a file from before stays as it was.
        ScriptedTcpServer server("HTTP/1.0 200 OK\r\n\r\nhalf a pict", Ending::Hang);
        HttpClient client = clientFor(server, testTimeoutMs);
        EXPECT_FALSE(client.getToFile("/x", out.file("x")));
        EXPECT_FALSE(exists("x"));
        out.write("y", "old");
        EXPECT_FALSE(client.getToFile("/x", out.file("y")));
        EXPECT_EQ(readFile(out.file("y")), "old");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out.path()), {}), 1) << "nothing half-written beside it";
        std::string body = "untouched";
        EXPECT_FALSE(client.getToMemory("/x", body));
        EXPECT_EQ(body, "untouched");
    }
}

// Servers that never stop: a trickle too slow to end but never silent long enough for the
// time-out, and heads and bodies without end. Each call ends at its deadline or its cap,
// keeps no half answer, and an answer right at a cap still comes whole.
TEST_F(HttpClientRaw, TricklesAndEndlessAnswersEndAtTheDeadlineOrTheCap)
{
    using Step = ScriptedTcpServer::Step;
    const std::string ok = "HTTP/1.0 200 OK\r\n";
    const std::string line(62, 'a'); // with CR LF, a 64-byte header line
    // Short enough for a test; the trickles below would take 30 s and more to end.
    const HttpOptions quick{1500, HttpOptions().bodyCap};
    const HttpOptions versionFile = HttpOptions::versionFile();
    const HttpOptions picture = HttpOptions::mapPicture();
    auto headOf = [&](std::size_t size) { // status line, filler header, blank line: size bytes
        const std::size_t filler = size - ok.size() - 2 - 4;
        return ok + "X:" + std::string(filler, 'h') + "\r\n\r\n";
    };
    struct Case {
        const char* name;
        std::vector<Step> script;
        HttpOptions options;
        bool whole; // the call succeeds with the body below
        std::string body;
    };
    const std::vector<Case> cases = {
        {"head trickling a byte at a time", ScriptedTcpServer::pieces(ok + "\r\nbody", 1, 250), quick, false, ""},
        {"body trickling a byte at a time", {Step{ok + "\r\n"}, Step{"b", 250, 120}}, quick, false, ""},
        {"endless head", {Step{ok}, Step{line + "\r\n", 0, 4000000}}, picture, false, ""},
        {"head one byte over its cap", {Step{headOf(picture.headCap + 1) + "body"}}, picture, false, ""},
        {"head right at its cap", {Step{headOf(picture.headCap) + "body"}}, picture, true, "body"},
        {"300 MB body", {Step{ok + "\r\n"}, Step{std::string(64 << 10, 'b'), 0, 4800}}, picture, false, ""},
        {"picture one byte over its cap", {Step{ok + "\r\n" + std::string(picture.bodyCap + 1, 'p')}}, picture, false, ""},
        {"picture right at its cap", {Step{ok + "\r\n" + std::string(picture.bodyCap, 'p')}}, picture, true,
         std::string(picture.bodyCap, 'p')},
        {"version file one byte over its cap", {Step{ok + "\r\n" + std::string(versionFile.bodyCap + 1, 'v')}},
         versionFile, false, ""},
        {"version file right at its cap", {Step{ok + "\r\n" + std::string(versionFile.bodyCap, 'v')}}, versionFile, true,
         std::string(versionFile.bodyCap, 'v')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedTcpServer server(c.script);
        ASSERT_TRUE(server.isListening());
        HttpClient client = clientFor(server);
        std::string body = "untouched";
        EXPECT_EQ(client.getToMemory("/x", body, c.options), c.whole);
        EXPECT_EQ(body, c.whole ? c.body : "untouched");
        EXPECT_EQ(client.getToFile("/x", out.file("x"), c.options), c.whole);
        if (c.whole) {
            EXPECT_EQ(readFile(out.file("x")), c.body);
            std::filesystem::remove(out.file("x"));
        }
        EXPECT_TRUE(std::filesystem::is_empty(out.path())) << "no file is left, whole or in part";
    }
}

TEST_F(HttpClientRaw, ResetInTheMiddleEndsTheAnswerWithWhatArrived)
{
    const std::string body(3000, 'b');
    ScriptedTcpServer server({{"HTTP/1.0 200 OK\r\n\r\n" + body, 50}}, Ending::Reset);
    HttpClient client = clientFor(server);
    std::string received;
    // Whether the reset overtakes bytes not read yet is the system's business; what
    // arrived is the answer.
    if (client.getToMemory("/x", received)) {
        EXPECT_EQ(received, body.substr(0, received.size()));
    }
    if (client.getToFile("/x", out.file("x"))) {
        const std::string stored = readFile(out.file("x"));
        EXPECT_EQ(stored, body.substr(0, stored.size()));
    }
    EXPECT_EQ(server.connections(), 2);
}

TEST(HttpClientConnect, UnansweredConnectGivesUpAfterTheTimeOut)
{
    // A listener whose accept queue is full drops new connection requests, so that a
    // connect waits for an answer that never comes.
    os::SocketHandle listener = os::openTcpSocket();
    std::uint16_t port = 0;
    ASSERT_TRUE(os::bindLoopback(listener, port));
    ASSERT_TRUE(os::listenSocket(listener, 0));
    os::Ipv4Endpoint endpoint;
    ASSERT_TRUE(os::parseIpv4("127.0.0.1", endpoint.address));
    endpoint.port = port;
    std::vector<os::SocketHandle> fillers;
    bool full = false;
    for (int i = 0; i < 16 && !full; ++i) {
        os::SocketHandle filler = os::openTcpSocket();
        fillers.push_back(filler);
        full = !os::connectSocket(filler, endpoint, 500);
    }
    if (!full) {
        for (os::SocketHandle s : fillers)
            os::closeSocket(s);
        os::closeSocket(listener);
        GTEST_SKIP() << "this system accepts connections beyond the listen queue";
    }
    HttpClient client("127.0.0.1:" + std::to_string(port));
    client.setTimeout(testTimeoutMs);
    std::string body = "untouched";
    const std::uint32_t begin = os::monotonicMilliseconds();
    EXPECT_FALSE(client.getToMemory("/x", body));
    // Far above the time-out, far below the system's own wait of a minute or more.
    EXPECT_LT(os::monotonicMilliseconds() - begin, 45000u);
    EXPECT_EQ(body, "untouched");
    for (os::SocketHandle s : fillers)
        os::closeSocket(s);
    os::closeSocket(listener);
}

} // namespace
