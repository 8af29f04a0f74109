// The version file read, and the update check against the project's scripted server, with
// the headless message box answering from the environment and a recording xdg-open first on
// PATH.
#include "app/UpdateCheck.h"

#include "os/Clock.h"
#include "tests/support/RecordingCommand.h"
#include "tests/support/ScriptedTcpServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace {

using testing_support::ScriptedTcpServer;

// A translation that marks every text it was asked for.
std::string marked(const std::string& text) { return "<" + text + ">"; }

TEST(UpdateCheck, ABoxOnlyForANewerVersionAndYesOpensTheAddressAsItStands)
{
    setenv("HOLMIK_DIALOGS", "stderr", 1);
    testing_support::RecordingCommand browser("xdg-open");
    const std::string ok = "HTTP/1.0 200 OK\r\n\r\n";
    using Outcome = UpdateCheckOutcome;
    const struct {
        bool enabled;
        std::string reply; // "": a server that accepts and never answers
        const char* answer;
        Outcome outcome;
    } table[] = {
        {true, ok + "4 7 1:http://www.example.net/a\n", "yes", Outcome::Opened},
        {true, ok + "5\n0\n0\n:http://www.example.net/b\n", "yes", Outcome::Opened},
        {true, ok + "4 8 0:http://www.example.net/c", "yes", Outcome::Opened},
        {true, ok + "4 7 1:http://x/", "no", Outcome::Declined},
        {true, ok + "4 7 0:http://x/\n", "yes", Outcome::NoUpdate}, // how versions compare: see below
        {true, ok + "new version!:http://x/", "yes", Outcome::NoUpdate},
        {true, ok, "yes", Outcome::NoUpdate},
        {true, "HTTP/1.0 404 Not Found\r\n\r\n9 9 9:http://x/", "yes", Outcome::NoUpdate},
        {true, "", "yes", Outcome::NoUpdate},
        {false, ok + "9 9 9:http://x/", "yes", Outcome::Off}, // the host is never contacted
    };
    const std::string box = "<Update Available>: <There is a new version of HolmikZiviza available>\n"
                            "<Do you want to download it now?>\n";
    for (const auto& row : table) {
        SCOPED_TRACE(row.reply);
        const bool hangs = row.reply.empty();
        ScriptedTcpServer server(row.reply, hangs ? ScriptedTcpServer::Ending::Hang : ScriptedTcpServer::Ending::Close);
        setenv("HOLMIK_DIALOG_ANSWER", row.answer, 1);
        testing::internal::CaptureStderr();
        EXPECT_EQ(runUpdateCheck(row.enabled, server.host(), 4, 7, 0, marked, hangs ? 300 : 10000), row.outcome);
        const bool asked = row.outcome == Outcome::Opened || row.outcome == Outcome::Declined;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), asked ? box : "");
        const std::string get = std::string("GET ") + VersionInfo::versionFilePath + " ";
        if (!hangs) {
            EXPECT_EQ(server.requests().empty() ? "none" : server.requests()[0].substr(0, get.size()), row.enabled ? get : "none");
        }
    }
    testing::internal::CaptureStderr();
    EXPECT_EQ(runUpdateCheck(true, "no-such-host.invalid", 4, 7, 0, marked, 300), Outcome::NoUpdate);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    unsetenv("HOLMIK_DIALOG_ANSWER");

    ASSERT_TRUE(browser.waitForCalls(3));
    os::sleepMilliseconds(200); // and no more
    std::vector<std::vector<std::string>> calls = browser.calls();
    std::sort(calls.begin(), calls.end()); // started detached, the calls may come in any order
    EXPECT_EQ(calls, (std::vector<std::vector<std::string>>{
                         {"http://www.example.net/a\n"}, {"http://www.example.net/b\n"}, {"http://www.example.net/c"}}));
}

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
