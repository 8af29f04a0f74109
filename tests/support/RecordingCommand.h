// A stand-in for a program the code under test starts (xdg-open, steam): an executable
// script of that name, first on PATH for the lifetime of the object, that records the
// arguments of every call and does nothing else.
//
//     testing_support::RecordingCommand browser("xdg-open");
//     ... code that calls os::openUrl(address) ...
//     ASSERT_TRUE(browser.waitForCalls(1));
//     EXPECT_EQ(browser.calls()[0], std::vector<std::string>{address});
#pragma once

#include "tests/support/TempDir.h"

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

class RecordingCommand {
public:
    explicit RecordingCommand(const std::string& name);
    ~RecordingCommand(); // restores PATH
    RecordingCommand(const RecordingCommand&) = delete;
    RecordingCommand& operator=(const RecordingCommand&) = delete;

    // The folder put first on PATH, holding the script.
    const std::string& folder() const { return dir.path(); }
    // Every call recorded so far, oldest first; each is its argument list, byte for byte.
    std::vector<std::vector<std::string>> calls() const;
    // Programs are often started detached: wait until `count` calls are recorded, or a
    // generous limit has passed (false then).
    bool waitForCalls(std::size_t count, std::uint32_t limitMs = 30000) const;

private:
    TempDir dir;
    std::string oldPath;
};

} // namespace testing_support
