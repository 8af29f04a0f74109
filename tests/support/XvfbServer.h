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
    // Xvfb writes its display number and a line break on its standard output once it serves.
    explicit XvfbServer(const std::string& screen = "1024x768x24")
        : server({"Xvfb", "-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp", "-noreset"}, {})
    {
        if (server.readLine(name, 20000) && !name.empty())
            name = ":" + name;
    }
    ~XvfbServer() { server.signal(SIGTERM); }

    bool running() const { return name.size() > 1; }
    const std::string& display() const { return name; } // ":N"

private:
    ChildProcess server;
    std::string name;
};

} // namespace testing_support
