// A private X server (Debian's Xvfb) for one test, on a display number it picks itself
// (-displayfd), so that tests never collide. Gone when the object goes.
//
//     testing_support::XvfbServer x;                  // 1024x768x24
//     ASSERT_TRUE(x.running());
//     ChildProcess app({"build/bin/prog"}, {"DISPLAY=" + x.display()});
#pragma once

#include "tests/support/ChildProcess.h"

namespace testing_support {

class XvfbServer {
public:
    explicit XvfbServer(const std::string& screen = "1024x768x24");
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool running() const { return !name.empty(); }
    // ":N"
    const std::string& display() const { return name; }

private:
    ChildProcess server;
    std::string name;
};

} // namespace testing_support
