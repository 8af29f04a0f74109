// Full queries over real UDP on loopback against the project's own test server.
#include "query/ServerQuery.h"

#include "Captures.h"
#include "os/Clock.h"
#include "os/Sockets.h"
#include "query/ServerStatus.h"
#include "query/TestServer.h"
#include "query/UdpSocket.h"
#include "tests/support/Platform.h"

#include <gtest/gtest.h>

namespace {

std::vector<Player> somePlayers(int n)
{
    std::vector<Player> players;
    for (int i = 0; i < n; ++i)
        players.emplace_back(static_cast<std::uint8_t>(i), "player " + std::to_string(i), i % 7,
                             100.0f + static_cast<float>(i));
    return players;
}

class ServerQueryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        server.setMap("de_inferno");
        server.setPlayers(somePlayers(3));
        server.setRules({Rule("sv_gravity", "800"), Rule("mp_timelimit", "35")});
        server.setDelay(3);
        ASSERT_TRUE(server.start());
    }

    ServerStatus run(bool players = true, bool rules = true)
    {
        ServerStatus status("127.0.0.1", server.port());
        query.query(status, players, rules, true);
        return status;
    }

    TestServer server;
    ServerQuery query;
};

TEST_F(ServerQueryTest, AnsweringServerFillsEveryField)
{
    server.setPassword(true);
    server.setBots(2);
    const ServerStatus s = run();
    EXPECT_GE(s.getPing(), 1);
    EXPECT_EQ(s.getMap(), "de_inferno");
    EXPECT_EQ(s.getName(), "Holmik test server");
    EXPECT_EQ(s.getAppId(), 730);
    EXPECT_EQ(s.getVisibility(), 1);
    EXPECT_EQ(s.getVac(), 1);
    EXPECT_EQ(s.getBots(), 2);
    EXPECT_EQ(s.getPlayers(), 3);
    ASSERT_EQ(s.getPlayerList().size(), 3u);
    EXPECT_EQ(s.getPlayerList()[0].getName(), "player 2") << "highest score first";
    ASSERT_EQ(s.getRules().size(), 2u);
    EXPECT_EQ(s.getRules()[0].getName(), "mp_timelimit");
    EXPECT_TRUE(query.hasAnswered());
    // Two challenges, info, players, rules: one socket and one request each.
    EXPECT_EQ(server.requestCount(TestServer::RequestKind::Challenge), 2);
    EXPECT_EQ(server.requestCount(TestServer::RequestKind::Info), 1);
    EXPECT_EQ(server.requestCount(TestServer::RequestKind::Players), 1);
    EXPECT_EQ(server.requestCount(TestServer::RequestKind::Rules), 1);
}

TEST_F(ServerQueryTest, WithoutWantRulesNoRulesRequestIsSent)
{
    const ServerStatus s = run(true, false);
    EXPECT_TRUE(s.getRules().empty());
    EXPECT_EQ(server.requestCount(TestServer::RequestKind::Rules), 0);
}

TEST_F(ServerQueryTest, InfoChallengeIsAnsweredWithTheRequestAgain)
{
    server.setInfoChallenge(true);
    const ServerStatus s = run();
    EXPECT_EQ(s.getMap(), "de_inferno");
    const auto heard = server.requests();
    ASSERT_EQ(server.requestCount(TestServer::RequestKind::Info), 2);
    std::string second;
    for (const std::string& r : heard)
        if (TestServer::kindOf(r) == TestServer::RequestKind::Info)
            second = r;
    EXPECT_EQ(second.size(), 25u + 4) << "the challenge follows the text's NUL";
}

TEST_F(ServerQueryTest, RefusedPlayersChallengeIsRetriedWithTheFreshOne)
{
    // The second challenge exchange goes unanswered, so the players request carries -1.
    server.dropRequest(2);
    const ServerStatus s = run(true, false);
    EXPECT_GE(s.getPing(), 1) << "the first challenge exchange's round trip";
    const auto heard = server.requests();
    ASSERT_GE(heard.size(), 5u);
    EXPECT_EQ(heard[3], std::string("\xFF\xFF\xFF\xFF\x55\xFF\xFF\xFF\xFF", 9));
    EXPECT_EQ(TestServer::kindOf(heard[4]), TestServer::RequestKind::Players);
    EXPECT_EQ(s.getPlayerList().size(), 3u);
}

TEST_F(ServerQueryTest, SilentServerLeavesPingAtMinusOneAndFieldsAsTheyWere)
{
    server.setSilent(true);
    ServerStatus s("127.0.0.1", server.port());
    s.setMap("kept");
    const std::uint32_t t0 = os::monotonicMilliseconds();
    query.query(s, true, false, true);
    EXPECT_GE(os::monotonicMilliseconds() - t0, 4 * ServerQuery::replyTimeoutMs - 50)
        << "four exchanges, one time-out each";
    EXPECT_EQ(s.getPing(), -1);
    EXPECT_EQ(s.getMap(), "kept");
    EXPECT_FALSE(query.hasAnswered());
}

TEST_F(ServerQueryTest, ClosedPortIsANonAnswerToo)
{
    const std::uint16_t port = server.port();
    server.stop();
    ServerStatus s("127.0.0.1", port);
    query.query(s, true, true, true);
    EXPECT_EQ(s.getPing(), -1);
    EXPECT_EQ(s.getMap(), "");
}

TEST_F(ServerQueryTest, SplitRepliesInEveryLayoutAndFault)
{
    server.setPlayers(somePlayers(60));
    server.setSplitSize(300);
    for (auto layout : {TestServer::SplitLayout::Old, TestServer::SplitLayout::Source})
        for (bool compressed : {false, true})
            for (auto fault : {TestServer::Fault::None, TestServer::Fault::Reordered, TestServer::Fault::Foreign,
                               TestServer::Fault::EmptyDatagram}) {
                SCOPED_TRACE(std::to_string(int(layout)) + "/" + std::to_string(compressed) + "/"
                             + std::to_string(int(fault)));
                server.setSplitLayout(layout);
                server.setCompressed(compressed);
                server.setFault(fault);
                const ServerStatus s = run(true, false);
                EXPECT_EQ(s.getPlayerList().size(), 60u);
                EXPECT_EQ(s.getMap(), "de_inferno");
            }
}

TEST_F(ServerQueryTest, BrokenSplitRepliesGiveEmptyReplies)
{
    server.setPlayers(somePlayers(60));
    server.setSplitSize(300);
    for (auto fault : {TestServer::Fault::Doubled, TestServer::Fault::MissingPiece, TestServer::Fault::ZeroTotal}) {
        SCOPED_TRACE(int(fault));
        server.setFault(fault);
        const ServerStatus s = run(true, false);
        EXPECT_TRUE(s.getPlayerList().empty());
        EXPECT_GE(s.getPing(), 1) << "the challenges still came";
    }
}

TEST_F(ServerQueryTest, ACutReplyReadsWhatItHas)
{
    server.setPlayers(somePlayers(60));
    server.setSplitSize(300);
    server.setFault(TestServer::Fault::Truncated);
    const ServerStatus split = run(true, false);
    EXPECT_EQ(split.getPlayers(), 60);
    EXPECT_GT(split.getPlayerList().size(), 30u);
    EXPECT_LT(split.getPlayerList().size(), 60u);
    server.setSplitSize(0);

    server.setFault(TestServer::Fault::Truncated);
    server.setName("a rather long server name to cut");
    const ServerStatus s = run(false, false);
    EXPECT_EQ(s.getName(), "a rather long server name to cut");
    EXPECT_EQ(s.getVersion(), "");
}

TEST_F(ServerQueryTest, ExchangeWithAnEmptyBufferSendsNothing)
{
    ByteStream nothing;
    query.exchange("127.0.0.1", server.port(), nothing);
    EXPECT_TRUE(nothing.empty());
    EXPECT_TRUE(server.requests().empty());
}

TEST(UdpSocketTest, DottedHostIsUsedAsItIsAndTimeoutStartsAt200)
{
    UdpSocket socket("127.0.0.1", 9, true);
    EXPECT_TRUE(socket.isUsable());
    EXPECT_EQ(socket.getAddressText(), "127.0.0.1");
    EXPECT_EQ(socket.getTimeout(), 200u);
    EXPECT_EQ(socket.getRemote().port, 9);
    EXPECT_NE(socket.getLocal().port, 0);
    UdpSocket named("localhost", 9, true);
    EXPECT_EQ(named.getAddressText(), "127.0.0.1");
}

TEST(UdpSocketTest, QuietFailuresLeaveAnUnusableSocket)
{
    UdpSocket socket("no-such-host.invalid", 27015, true);
    EXPECT_FALSE(socket.isUsable());
    EXPECT_FALSE(socket.send(Packet("x", 1)));
    bool ok = true;
    EXPECT_TRUE(socket.receive(ok).empty());
    EXPECT_FALSE(ok);
}

using UdpSocketDeathTest = ::testing::Test;

TEST_F(UdpSocketDeathTest, LoudFailuresShowTheirMessageAndExitMinusOne)
{
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    setenv("HOLMIK_DIALOGS", "stderr", 1);
    EXPECT_EXIT(UdpSocket("no-such-host.invalid", 27015, false), ::testing::ExitedWithCode(testing_support::exitStatusOf(-1)),
                "Resolve host error: Failed to resolve host : no-such-host.invalid");

    // An IPv6 address text resolves to IPv6 only.
    EXPECT_EXIT(UdpSocket("::1", 27015, false), ::testing::ExitedWithCode(testing_support::exitStatusOf(-1)),
                "Resolve host error: Resolve host returned ipv6, this was unexpected.");
    // An IPv4 address that no UDP socket may connect to.
    EXPECT_EXIT(UdpSocket("255.255.255.255", 27015, false), ::testing::ExitedWithCode(testing_support::exitStatusOf(-1)),
                "udp connect failed: Failed to connect UDP socket");
}

TEST_F(UdpSocketDeathTest, AClosedPortOnLoopbackIsALoudReceiveFailure)
{
    if (testing_support::runningUnderWine())
        GTEST_SKIP() << "Wine does not hand a UDP port's ICMP unreachable to the receive (Windows gives WSAECONNRESET)";
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    setenv("HOLMIK_DIALOGS", "stderr", 1);
    // A closed port on loopback answers with an ICMP error, which the receive reports.
    os::SocketHandle probe = os::openUdpSocket();
    std::uint16_t closedPort = 0;
    ASSERT_TRUE(os::bindLoopback(probe, closedPort));
    os::closeSocket(probe);
    EXPECT_EXIT(
        {
            ServerStatus s("127.0.0.1", closedPort);
            ServerQuery().query(s, true, false, false);
        },
        ::testing::ExitedWithCode(testing_support::exitStatusOf(-1)),
        "Socket receive failed: Socket.recivefrom returned with error code : .");
}

} // namespace
