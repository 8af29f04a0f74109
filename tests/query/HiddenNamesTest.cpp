// Players replies of servers that hide names (Counter-Strike 2 by default): the nameless
// entries are counted, apart from those that a reply cut short left empty.
#include "Captures.h"
#include "query/ReplyReader.h"
#include "query/ServerQuery.h"
#include "query/ServerStatus.h"
#include "query/TestServer.h"

#include <gtest/gtest.h>

namespace {

std::string entry(const std::string& name)
{
    ByteStream s;
    s.writeByte(0);
    s.writeString(name);
    s.writeInt32(0);
    s.writeFloat(61.0f);
    return captures::text(s);
}

TEST(HiddenNames, WholeNamelessEntriesAreCounted)
{
    struct Case {
        const char* what;
        int announced;
        std::string entries;
        std::size_t listed;
        int hidden;
    };
    const Case cases[] = {
        {"all nameless", 3, entry("") + entry("") + entry(""), 0, 3},
        {"mixed", 3, entry("Zien") + entry("") + entry(""), 1, 2},
        {"cut short", 5, entry("") + entry(""), 0, 2},
        {"cut inside an entry", 2, entry("") + entry("").substr(0, 4), 0, 1},
        {"none", 0, "", 0, 0},
    };
    for (const Case& c : cases) {
        const std::string payload = std::string(1, '\x44') + char(c.announced) + c.entries;
        ByteStream stream = captures::stream(payload);
        ServerStatus status;
        status.setHiddenNames(9);
        ASSERT_TRUE(ReplyReader::readPlayers(stream, status)) << c.what;
        EXPECT_EQ(status.getPlayers(), c.announced) << c.what;
        EXPECT_EQ(status.getPlayerList().size(), c.listed) << c.what;
        EXPECT_EQ(status.getHiddenNames(), c.hidden) << c.what;
    }
}

TEST(HiddenNames, AQueryOfACounterStrike2ServerCountsThem)
{
    TestServer server;
    server.loadHiddenNamesDemoContent();
    ASSERT_TRUE(server.start());
    ServerStatus status("127.0.0.1", server.port());
    ServerQuery().query(status, true, false, true);
    EXPECT_EQ(status.getGame(), "Counter-Strike 2");
    EXPECT_EQ(status.getPlayers(), 12);
    EXPECT_TRUE(status.getPlayerList().empty());
    EXPECT_EQ(status.getHiddenNames(), 12);
}

} // namespace
