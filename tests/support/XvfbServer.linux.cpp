#include "tests/support/XvfbServer.h"

#include <csignal>

namespace testing_support {

// Xvfb writes its display number and a line break on its standard output once it serves.
XvfbServer::XvfbServer(const std::string& screen)
    : server({"Xvfb", "-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp", "-noreset"}, {})
{
    std::string number;
    if (server.readLine(number, 20000) && !number.empty())
        name = ":" + number;
}

XvfbServer::~XvfbServer() { server.signal(SIGTERM); }

} // namespace testing_support
