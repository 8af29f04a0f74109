#include "app/VersionInfo.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

struct Reading {
    std::string body;
    int major, minor, patch;
    std::string address;
};

TEST(VersionInfoRead, NumbersBeforeTheFirstColonAndTheAddressAfterIt)
{
    const std::vector<Reading> cases = {
        {"4 7 0:http://www.example.net/download", 4, 7, 0, "http://www.example.net/download"},
        {"4\n7\r\n1\n:http://x/\n", 4, 7, 1, "http://x/\n"},
        {"  5\t0 0 :http://x/", 5, 0, 0, "http://x/"},
        {"4.8.0:http://x/", 4, 0, 0, "http://x/"},        // dots do not separate
        {"4 x 3:http://x/", 4, 0, 0, "http://x/"},        // a bad number ends the reading
        {"garbage:http://x/", 0, 0, 0, "http://x/"},
        {"4 7 1 9:a:b", 4, 7, 1, "a:b"},                   // the first colon splits
        {"4 7:http://h:8080/x", 4, 7, 0, "http://h:8080/x"},
        {"4 7 1", 4, 7, 1, "4 7 1"},                       // no colon: the address is all of it
        {"", 0, 0, 0, ""},
        {"-1 +2 3:", -1, 2, 3, ""},
        {"99999999999 1 1:x", 0, 0, 0, "x"},               // too big to read
    };
    for (const Reading& c : cases) {
        VersionInfo version;
        version.read(c.body);
        EXPECT_EQ(std::make_tuple(version.getMajor(), version.getMinor(), version.getPatch()),
                  std::make_tuple(c.major, c.minor, c.patch))
            << c.body;
        EXPECT_EQ(version.getDownloadAddress(), c.address) << c.body;
    }
}

TEST(VersionInfoCompare, FirstDifferingFieldDecides)
{
    struct Case {
        std::string body;
        bool newer;
    };
    for (const Case& c : std::vector<Case>{{"4 7 0:", false},
                                           {"4 7 1:", true},
                                           {"5 0 0:", true},
                                           {"4 6 9:", false},
                                           {"4 8 0:", true},
                                           {"3 99 99:", false},
                                           {"4.8.0:", false},
                                           {"5.0.0:", true},
                                           {"nonsense", false}}) {
        VersionInfo version;
        version.read(c.body);
        EXPECT_EQ(version.isNewerThan(4, 7, 0), c.newer) << c.body;
    }
    EXPECT_FALSE(VersionInfo().isNewerThan(0, 0, 0));
}

} // namespace
