#include "app/VersionInfo.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(VersionInfo, NumbersBeforeTheFirstColonTheAddressAfterItAndTheFirstDifferingNumberDecides)
{
    const struct {
        std::string body;
        int major, minor, patch;
        std::string address;
        bool newerThan470;
    } table[] = {
        {"4 7 0:http://www.example.net/download", 4, 7, 0, "http://www.example.net/download", false},
        {"4\n7\r\n1\n:http://x/\n", 4, 7, 1, "http://x/\n", true},
        {"  5\t0 0 :http://x/", 5, 0, 0, "http://x/", true},
        {"4 6 9:", 4, 6, 9, "", false},
        {"4 8 0:", 4, 8, 0, "", true},
        {"3 99 99:", 3, 99, 99, "", false},
        {"4.8.0:http://x/", 4, 0, 0, "http://x/", false}, // dots do not separate
        {"5.0.0:", 5, 0, 0, "", true},
        {"4 x 3:http://x/", 4, 0, 0, "http://x/", false}, // a bad number ends the reading
        {"garbage:http://x/", 0, 0, 0, "http://x/", false},
        {"4 7 1 9:a:b", 4, 7, 1, "a:b", true},             // the first colon splits
        {"4 7:http://h:8080/x", 4, 7, 0, "http://h:8080/x", false},
        {"4 7 1", 4, 7, 1, "4 7 1", true},                 // no colon: the address is all of it
        {"", 0, 0, 0, "", false},
        {"-1 +2 3:", -1, 2, 3, "", false},
        {"99999999999 1 1:x", 0, 0, 0, "x", false},        // too big to read
    };
    for (const auto& row : table) {
        VersionInfo version;
        version.read(row.body);
        EXPECT_EQ(std::make_tuple(version.getMajor(), version.getMinor(), version.getPatch(), version.getDownloadAddress()),
                  std::make_tuple(row.major, row.minor, row.patch, row.address))
            << row.body;
        EXPECT_EQ(version.isNewerThan(4, 7, 0), row.newerThan470) << row.body;
    }
    EXPECT_FALSE(VersionInfo().isNewerThan(0, 0, 0));
}

} // namespace
