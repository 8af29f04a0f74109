// The update check against nginx, with the headless message box answering from the
// environment and a recording xdg-open first on PATH.
#include "app/UpdateCheck.h"

#include "tests/support/NginxServer.h"
#include "tests/support/RecordingCommand.h"
#include "tests/support/ScriptedTcpServer.h"

#include "os/Clock.h"
#include "os/Sockets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <map>
#include <thread>

namespace {

using testing_support::RecordingCommand;

std::string english(const std::string& text) { return text; }

const char* const boxLine = "Update Available: There is a new version of HolmikZiviza available\n"
                            "Do you want to download it now?\n";

class UpdateCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("HOLMIK_DIALOGS", "stderr", 1);
        ASSERT_TRUE(web.start()) << web.errorLog();
    }
    void TearDown() override { unsetenv("HOLMIK_DIALOG_ANSWER"); }

    // Runs the check for program version 4.7.0 against a version file; returns what it
    // wrote to standard error (the box, when it came).
    std::string check(const std::string& versionFile, const char* answer, UpdateCheckOutcome& outcome)
    {
        web.serve(VersionInfo::versionFilePath, versionFile);
        setenv("HOLMIK_DIALOG_ANSWER", answer, 1);
        testing::internal::CaptureStderr();
        outcome = runUpdateCheck(true, web.host(), 4, 7, 0, english);
        return testing::internal::GetCapturedStderr();
    }

    testing_support::NginxServer web;
    RecordingCommand browser{"xdg-open"};
};

TEST_F(UpdateCheck, NewerVersionAndYesOpensTheAddressAsItStands)
{
    for (const std::string file : {"4 7 1:http://www.example.net/a\n", "5\n0\n0\n:http://www.example.net/b\n",
                                   "4 8 0:http://www.example.net/c"}) {
        UpdateCheckOutcome outcome;
        EXPECT_EQ(check(file, "yes", outcome), boxLine) << file;
        EXPECT_EQ(outcome, UpdateCheckOutcome::Opened) << file;
    }
    ASSERT_TRUE(browser.waitForCalls(3));
    std::vector<std::vector<std::string>> calls = browser.calls();
    ASSERT_EQ(calls.size(), 3u);
    // Started detached, the calls may come in any order.
    std::sort(calls.begin(), calls.end());
    EXPECT_EQ(calls[0], std::vector<std::string>{"http://www.example.net/a\n"});
    EXPECT_EQ(calls[1], std::vector<std::string>{"http://www.example.net/b\n"});
    EXPECT_EQ(calls[2], std::vector<std::string>{"http://www.example.net/c"});
}

TEST_F(UpdateCheck, NoBoxUnlessNewer)
{
    // How versions compare: see VersionInfoTest.
    for (const std::string file : {"4 7 0:http://www.example.net/a\n", "new version!:http://x/", ""}) {
        UpdateCheckOutcome outcome;
        EXPECT_EQ(check(file, "yes", outcome), "") << file;
        EXPECT_EQ(outcome, UpdateCheckOutcome::NoUpdate) << file;
    }
    web.remove(VersionInfo::versionFilePath);
    const std::size_t logged = web.requests().size();
    testing::internal::CaptureStderr();
    EXPECT_EQ(runUpdateCheck(true, web.host(), 4, 7, 0, english), UpdateCheckOutcome::NoUpdate);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(browser.calls().empty());
    // nginx logs a request after answering it: wait for its line.
    for (int i = 0; i < 200 && web.requests().size() == logged; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(web.requests().back(), std::string("GET ") + VersionInfo::versionFilePath + " 404 " + web.host());
}

TEST_F(UpdateCheck, NoOpensNothingAndTheTextsAreTranslated)
{
    const std::map<std::string, std::string> german = {
        {"There is a new version of HolmikZiviza available", "Eine neue Version von HolmikZiviza ist verfügbar"},
        {"Do you want to download it now?", "Möchten Sie sie jetzt herunterladen?"},
        {"Update Available", "Aktualisierung verfügbar"}};
    web.serve(VersionInfo::versionFilePath, "4 7 1:http://x/");
    setenv("HOLMIK_DIALOG_ANSWER", "no", 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(runUpdateCheck(true, web.host(), 4, 7, 0,
                             [&](const std::string& text) {
                                 auto found = german.find(text);
                                 return found == german.end() ? text : found->second;
                             }),
              UpdateCheckOutcome::Declined);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Aktualisierung verfügbar: Eine neue Version von HolmikZiviza ist verfügbar\n"
              "Möchten Sie sie jetzt herunterladen?\n");
    os::sleepMilliseconds(200);
    EXPECT_TRUE(browser.calls().empty());
}

TEST(UpdateCheckOff, TheUpdateHostIsNeverContacted)
{
    testing_support::ScriptedTcpServer server("HTTP/1.0 200 OK\r\n\r\n9 9 9:http://x/");
    testing::internal::CaptureStderr();
    EXPECT_EQ(runUpdateCheck(false, server.host(), 4, 7, 0, english), UpdateCheckOutcome::Off);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    // The server takes connections in the order they came: once it has read a probe sent
    // after the check, it would have seen the check's connection too.
    os::SocketHandle probe = os::openTcpSocket();
    os::Ipv4Endpoint endpoint;
    ASSERT_TRUE(os::parseIpv4("127.0.0.1", endpoint.address));
    endpoint.port = server.port();
    ASSERT_TRUE(os::connectSocket(probe, endpoint, 10000));
    const std::string hello = "PROBE\r\n\r\n";
    os::sendAll(probe, hello.data(), hello.size());
    const std::uint32_t begin = os::monotonicMilliseconds();
    auto probed = [&] {
        const std::vector<std::string> requests = server.requests();
        return std::find(requests.begin(), requests.end(), hello) != requests.end();
    };
    while (!probed() && os::monotonicMilliseconds() - begin < 30000)
        os::sleepMilliseconds(5);
    os::closeSocket(probe);
    EXPECT_TRUE(probed());
    EXPECT_EQ(server.connections(), 1);
}

TEST(UpdateCheckDeadHost, SilentWhenTheHostIsGoneOrHangs)
{
    setenv("HOLMIK_DIALOGS", "stderr", 1);
    testing_support::ScriptedTcpServer hanging("", testing_support::ScriptedTcpServer::Ending::Hang);
    testing::internal::CaptureStderr();
    EXPECT_EQ(runUpdateCheck(true, hanging.host(), 4, 7, 0, english, 300), UpdateCheckOutcome::NoUpdate);
    EXPECT_EQ(runUpdateCheck(true, "no-such-host.invalid", 4, 7, 0, english, 300), UpdateCheckOutcome::NoUpdate);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

} // namespace
