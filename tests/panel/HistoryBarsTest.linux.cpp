// The History row: bars as high as the bucket's most players against its slots, gaps where
// the server did not answer, and nothing at all before a first stored minute; the row joins
// its column in the panel.
#include "engine/UserEvent.h"
#include "history/HistoryRecorder.h"
#include "history/HistoryStore.h"
#include "panel/HistoryBars.h"
#include "panel/MainGui.h"
#include "panel/ServerHosts.h"
#include "settings/Settings.h"
#include "tests/panel/PanelEnvironment.h"

#include "os/Clock.h"

#include <gtest/gtest.h>

namespace {

const Color background(0xC2, 0xD4, 0xFB), bar(0xDD, 0xAA, 0x00), marks(0, 0, 0);

HistoryBucket bucket(std::int64_t start, int highest, int maxPlayers, int answered)
{
    HistoryBucket b;
    b.start = start;
    b.lowest = highest < 0 ? -1 : 0;
    b.highest = highest;
    b.maxPlayers = maxPlayers;
    b.answered = answered;
    b.minutes = 10;
    return b;
}

int barTop(const Engine::Surface& row, int x)
{
    for (int y = 0; y < HistoryBars::barHeight; ++y)
        if (row.getPixel(x, y) == bar)
            return y;
    return -1;
}

TEST(HistoryBars, BarsAgainstTheSlotsGapsWhereNoAnswerAndNothingBeforeAStoredMinute)
{
    panel_testing::enterProgram();
    const HistoryBars::Style style{background, bar, marks, "tahoma.ttf", 10};
    DayBars day;
    day.start = 1'765'000'200;
    EXPECT_TRUE(HistoryBars::draw(day, 288, style).isEmpty()) << "nothing stored yet";

    const int width = 288; // two pixels a bar
    day.buckets = {bucket(day.start, 16, 16, 10), bucket(day.start + 600, 8, 16, 10), bucket(day.start + 1200, 0, 16, 5),
                   bucket(day.start + 1800, -1, -1, 0), bucket(day.start + 2400, 1, 64, 10)};
    const Engine::Surface row = HistoryBars::draw(day, width, style);
    ASSERT_EQ(row.getWidth(), width);
    const int full = HistoryBars::barHeight - 1 - barTop(row, 0);
    const int half = HistoryBars::barHeight - 1 - barTop(row, 2);
    EXPECT_EQ(full, HistoryBars::barHeight - 2);
    EXPECT_NEAR(half, full / 2, 1);
    EXPECT_EQ(barTop(row, 4), HistoryBars::barHeight - 1) << "no players: the base line";
    EXPECT_EQ(barTop(row, 6), -1) << "no answer: a gap";
    EXPECT_EQ(barTop(row, 8), HistoryBars::barHeight - 3) << "one player on many slots stands above the base line";
    EXPECT_EQ(barTop(row, 100), -1) << "not watched: a gap";
    int marked = 0;
    for (int x = 0; x < width; ++x)
        marked += row.getPixel(x, HistoryBars::barHeight) == marks;
    EXPECT_EQ(marked, 24) << "one mark for each local hour";
}

TEST(HistoryBars, TheRowJoinsItsColumnOnceAMinuteIsStored)
{
    panel_testing::enterProgram();
    Settings& s = Settings::instance();
    s.resetToDefaults();
    s.setOverView(false);
    const ServerHosts hosts = serverHosts();
    const std::string server = HistoryRecorder::serverKey(hosts.csgoHost, hosts.csgoPort);
    testing_support::TempDir dir;
    const std::int64_t now = HistoryRecorder::unixNow();
    {
        HistoryStore store;
        ASSERT_EQ(store.open(dir.file("History.sqlite")), HistoryStore::Result::Ok);
        MinuteRow row;
        row.server = server;
        row.minute = now / 60 * 60 - 60;
        row.lowest = row.highest = 4;
        row.maxPlayers = 8;
        row.answered = 20;
        ASSERT_EQ(store.write({row}), HistoryStore::Result::Ok);
    }
    HistoryRecorder recorder(dir.file("History.sqlite"));
    recorder.start();
    MainGui gui;
    gui.setHistory(&recorder);
    ServerStatus status(hosts.csgoHost, hosts.csgoPort);
    status.setOrigin(ServerStatus::GoColumn, 0);
    status.setPing(20);
    status.setMap("de_dust2");
    Engine::pushUserRecord(Engine::serverStatusEventCode, new ServerStatus(status));
    // The recorder reads the stored bars of a server it sees for the first time and wakes the panel.
    Engine::EventHandler::instance().poll();
    for (int waited = 0; recorder.bars(server).empty() && waited < 10000; waited += 50)
        os::sleepMilliseconds(50);
    os::sleepMilliseconds(100);
    Engine::EventHandler::instance().poll();
    gui.draw();
    const int shown = gui.getPanel().getHeight();
    s.setHistory(false);
    gui.invalidate();
    gui.draw();
    EXPECT_GT(shown, gui.getPanel().getHeight() + HistoryBars::barHeight) << "the row, and the Display flag that turns it off";
    s.setHistory(true);
    recorder.stop();
}

} // namespace
