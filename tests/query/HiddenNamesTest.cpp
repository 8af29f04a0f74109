// A players reply of a server that hides names (Counter-Strike 2 by default): the whole
// nameless entries are counted, not the ones a reply cut short left empty.
#include "Captures.h"
#include "query/ReplyReader.h"
#include "query/ServerStatus.h"

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
    const struct {
        int announced;
        std::string entries;
        std::size_t listed;
        int hidden;
    } cases[] = {
        {3, entry("") + entry("") + entry(""), 0, 3},
        {3, entry("Zien") + entry("") + entry(""), 1, 2},
        {5, entry("") + entry(""), 0, 2},                  // cut short
        {2, entry("") + entry("").substr(0, 4), 0, 1},     // cut inside an entry
    };
    for (const auto& c : cases) {
        ByteStream stream = captures::stream(std::string(1, '\x44') + char(c.announced) + c.entries);
        ServerStatus status;
        ASSERT_TRUE(ReplyReader::readPlayers(stream, status));
        EXPECT_EQ(status.getPlayerList().size(), c.listed) << c.announced;
        EXPECT_EQ(status.getHiddenNames(), c.hidden) << c.announced;
    }
}

} // namespace
