// The history file: rows in and out, a restart within a minute, the 90 days, and files
// that cannot be used.
#include "history/HistoryStore.h"
#include "tests/support/TempDir.h"

#include "os/FileSystem.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

using testing_support::TempDir;
using Result = HistoryStore::Result;

constexpr std::int64_t t0 = 1'765'000'200; // a multiple of 600

MinuteRow row(std::int64_t minute, int lowest, int highest, double mean, int answered, const char* server = "h:27015")
{
    MinuteRow r;
    r.server = server;
    r.minute = minute;
    r.lowest = lowest;
    r.highest = highest;
    r.mean = mean;
    r.bots = 1;
    r.maxPlayers = 16;
    r.answered = answered;
    return r;
}

// What the sqlite3 library itself reads of the file (another program's view).
std::string pragma(const std::string& path, const char* name)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    std::string value;
    if (sqlite3_prepare_v2(db, (std::string("PRAGMA ") + name).c_str(), -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return value;
}

TEST(HistoryStore, MinutesComeBackInBucketsAndARestartWithinAMinuteMergesIt)
{
    TempDir dir;
    const std::string path = dir.file("History.sqlite");
    {
        HistoryStore store;
        ASSERT_EQ(store.open(path), Result::Ok) << store.problem();
        ASSERT_EQ(store.write({row(t0, 3, 7, 5.0, 10), row(t0 + 60, 1, 2, 1.5, 20), row(t0 + 120, -1, -1, 0, 0),
                               row(t0, 9, 9, 9, 1, "other:1")}),
                  Result::Ok);
        // The program ended within the minute and started again: its second part joins it.
        ASSERT_EQ(store.write({row(t0 + 60, 0, 6, 4.5, 20), row(t0 + 120, 4, 4, 4, 5)}), Result::Ok);
    }
    EXPECT_EQ(pragma(path, "user_version"), "1");
    EXPECT_EQ(pragma(path, "journal_mode"), "wal");

    HistoryStore reader;
    ASSERT_EQ(reader.openToRead(path), Result::Ok);
    std::vector<HistoryBucket> minutes;
    ASSERT_EQ(reader.buckets("h:27015", t0, t0 + 600, 60, minutes), Result::Ok);
    ASSERT_EQ(minutes.size(), 3u);
    EXPECT_EQ(std::vector<int>({minutes[1].lowest, minutes[1].highest, minutes[1].answered}), std::vector<int>({0, 6, 40}));
    EXPECT_DOUBLE_EQ(minutes[1].mean, 3.0);
    EXPECT_EQ(std::vector<int>({minutes[2].lowest, minutes[2].answered}), std::vector<int>({4, 5}))
        << "an unanswered part gives way to the answered one";

    std::vector<HistoryBucket> tens;
    ASSERT_EQ(reader.buckets("h:27015", t0, t0 + 600, 600, tens), Result::Ok);
    ASSERT_EQ(tens.size(), 1u);
    EXPECT_EQ(tens[0].start, t0);
    EXPECT_EQ(std::vector<int>({tens[0].lowest, tens[0].highest, tens[0].maxPlayers, tens[0].minutes, tens[0].answered}),
              std::vector<int>({0, 7, 16, 3, 55}));
    ASSERT_EQ(reader.buckets("nobody:1", t0, t0 + 600, 600, tens), Result::Ok);
    EXPECT_TRUE(tens.empty());
}

TEST(HistoryStore, MinutesOlderThanTheKeptDaysAreRemoved)
{
    TempDir dir;
    HistoryStore store;
    ASSERT_EQ(store.open(dir.file("History.sqlite")), Result::Ok);
    ASSERT_EQ(store.write({row(t0 - HistoryStore::keptSeconds - 60, 1, 1, 1, 1), row(t0 - HistoryStore::keptSeconds, 2, 2, 2, 1)}),
              Result::Ok);
    ASSERT_EQ(store.prune(t0 - HistoryStore::keptSeconds), Result::Ok);
    std::vector<HistoryBucket> left;
    ASSERT_EQ(store.buckets("h:27015", 0, t0, 60, left), Result::Ok);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].lowest, 2);
}

TEST(HistoryStore, ADamagedFileIsMovedAsideAndANewOneStarted)
{
    TempDir dir;
    const std::string path = dir.file("History.sqlite");
    // Not a database at all, then one whose pages were overwritten after the header.
    for (const bool header : {false, true}) {
        if (header) {
            HistoryStore store;
            ASSERT_EQ(store.open(path), Result::Ok);
            std::vector<MinuteRow> rows;
            for (int i = 0; i < 2000; ++i)
                rows.push_back(row(t0 + i * 60, 1, 2, 1.5, 3));
            ASSERT_EQ(store.write(rows), Result::Ok);
            store.close();
            std::string bytes = testing_support::readFile(path);
            ASSERT_GT(bytes.size(), 8192u);
            for (std::size_t at = 4096 + 100; at < bytes.size(); at += 7)
                bytes[at] = static_cast<char>(0xA5);
            testing_support::writeFile(path, bytes);
        } else {
            testing_support::writeFile(path, std::string(5000, 'x'));
        }
        os::deleteFile(path + ".bad");
        HistoryStore store;
        EXPECT_EQ(store.open(path), Result::Ok) << store.problem();
        EXPECT_TRUE(store.movedAside());
        EXPECT_TRUE(os::pathExists(path + ".bad"));
        EXPECT_EQ(store.write({row(t0, 1, 1, 1, 1)}), Result::Ok);
        store.close();
        EXPECT_EQ(pragma(path, "quick_check"), "ok");
    }
}

TEST(HistoryStore, ANewerVersionsFileIsReadNotChangedAndAMissingOneIsNotMade)
{
    TempDir dir;
    const std::string path = dir.file("History.sqlite");
    HistoryStore reader;
    EXPECT_EQ(reader.openToRead(path), Result::Missing);
    EXPECT_FALSE(os::pathExists(path));
    {
        HistoryStore store;
        ASSERT_EQ(store.open(path), Result::Ok);
        ASSERT_EQ(store.write({row(t0, 1, 1, 1, 1)}), Result::Ok);
    }
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, "PRAGMA user_version = 7", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    HistoryStore store;
    EXPECT_EQ(store.open(path), Result::Newer);
    EXPECT_FALSE(store.isOpen());
    EXPECT_EQ(pragma(path, "user_version"), "7");
}

} // namespace
