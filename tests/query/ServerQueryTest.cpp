// Full queries over real UDP on loopback against the project's own test server.
#include "query/ServerQuery.h"

#include "Captures.h"
#include "os/Clock.h"
#include "query/TestServer.h"
#include "query/UdpSocket.h"
#include "tests/support/Platform.h"

#include <gtest/gtest.h>

namespace {

using Kind = TestServer::RequestKind;

class ServerQueryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        server.setMap("de_inferno");
        server.setPlayers(captures::players(3));
        server.setRules({Rule("sv_gravity", "800"), Rule("mp_timelimit", "35")});
        server.setDelay(0); // a loopback reply within a millisecond: still an answer
        ASSERT_TRUE(server.start());
    }

    ServerStatus run(bool rules, const std::string& map = "", const std::string& host = "127.0.0.1")
    {
        ServerStatus status(host, server.port());
        status.setMap(map);
        server.clearRequests();
        query.query(status, true, rules, true);
        return status;
    }

    // How many requests of each kind: challenge, info, players, rules.
    std::vector<int> heard() const
    {
        std::vector<int> out;
        for (Kind kind : {Kind::Challenge, Kind::Info, Kind::Players, Kind::Rules})
            out.push_back(server.requestCount(kind));
        return out;
    }

    TestServer server;
    ServerQuery query;
};

TEST_F(ServerQueryTest, AnsweringServerFillsTheStatusWithWhatWasAskedFor)
{
    server.setPassword(true);
    server.setBots(2);
    const ServerStatus s = run(true);
    EXPECT_GE(s.getPing(), 1) << "an answer within a millisecond is still a ping of 1";
    EXPECT_TRUE(s.isAnswered());
    EXPECT_EQ(captures::fields(s), (std::vector<std::string>{"17", "Holmik test server", "de_inferno", "csgo",
                                                             "Counter-Strike: Global Offensive", "730", "3", "16", "2",
                                                             "100", "108", "1", "1", "1.38.7.9"}));
    // Players and rules (their order is the readers' business).
    EXPECT_EQ(std::make_pair(s.getPlayerList().size(), s.getRules().size()), std::make_pair(std::size_t{3}, std::size_t{2}));
    EXPECT_TRUE(query.hasAnswered());
    EXPECT_EQ(heard(), (std::vector<int>{2, 1, 1, 1}));

    // Today's servers answer the info request with a challenge: it is asked again with it.
    server.setInfoChallenge(true);
    EXPECT_EQ(run(false).getMap(), "de_inferno");
    EXPECT_EQ(heard(), (std::vector<int>{2, 2, 1, 0}));
    EXPECT_EQ(server.requests().at(3).size(), 25u + 4) << "the second info request: the challenge after the text's NUL";
}

TEST_F(ServerQueryTest, ARefusedPlayersChallengeIsRetriedWithTheFreshOne)
{
    server.dropRequest(2); // the second challenge goes unanswered: the players request carries -1
    const ServerStatus s = run(false, "", "localhost"); // a host name is looked up
    EXPECT_GE(s.getPing(), 1) << "the first challenge exchange's round trip";
    const auto heard = server.requests();
    ASSERT_EQ(heard.size(), 5u);
    EXPECT_EQ(heard[3], std::string("\xFF\xFF\xFF\xFF\x55\xFF\xFF\xFF\xFF", 9));
    EXPECT_EQ(heard[4], std::string("\xFF\xFF\xFF\xFF\x55\x3C\x2A\x1D\x4B", 9));
    EXPECT_EQ(s.getPlayerList().size(), 3u);
}

TEST_F(ServerQueryTest, ASilentServerAClosedPortOrAnUnknownHostLeaveThePingAtMinusOne)
{
    server.setSilent(true);
    const std::uint32_t t0 = os::monotonicMilliseconds();
    const ServerStatus silent = run(false, "kept");
    EXPECT_GE(os::monotonicMilliseconds() - t0, 4 * ServerQuery::replyTimeoutMs - 50) << "four exchanges wait";
    EXPECT_FALSE(query.hasAnswered());
    server.stop();
    const ServerStatus closed = run(true, "kept"), unknown = run(true, "kept", "no-such-host.invalid");
    for (const ServerStatus& s : {silent, closed, unknown}) {
        EXPECT_EQ(s.getPing(), -1);
        EXPECT_FALSE(s.isAnswered());
        EXPECT_EQ(s.getMap(), "kept");
    }
}

TEST(UdpSocketDeathTest, LoudFailuresShowTheirMessageAndExitMinusOne)
{
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    setenv("HOLMIK_DIALOGS", "stderr", 1);
    const auto failed = testing::ExitedWithCode(testing_support::exitStatusOf(-1));
    // No UDP socket connects to 255.255.255.255.
    for (const auto& [host, message] :
         {std::pair{"no-such-host.invalid", "Resolve host error: Failed to resolve host : no-such-host.invalid"},
          {"::1", "Resolve host error: Resolve host returned ipv6, this was unexpected."},
          {"255.255.255.255", "udp connect failed: Failed to connect UDP socket"}})
        EXPECT_EXIT(UdpSocket(host, 9, false), failed, message);
    // A closed port on loopback answers with an ICMP error, which the receive reports (Wine
    // does not hand it to the receive; Windows gives WSAECONNRESET).
    if (testing_support::runningUnderWine())
        return;
    os::SocketHandle probe = os::openUdpSocket();
    std::uint16_t closedPort = 0;
    ASSERT_TRUE(os::bindLoopback(probe, closedPort));
    os::closeSocket(probe);
    ServerStatus s("127.0.0.1", closedPort);
    EXPECT_EXIT(ServerQuery().query(s, true, false, false), failed,
                "Socket receive failed: Socket.recivefrom returned with error code : .");
}

} // namespace
