// holmik-testserver [--port N] [--seconds N] [--split N] [--compressed] [--old-layout]
// [--info-challenge] [--delay MS] [--hidden-names]: the project's own game server on 127.0.0.1 with the demo
// content (a CS:Source server, or with --hidden-names a Counter-Strike 2 server that hides
// its players' names), for looking at holmik-query, qstat or the window without a real server. Prints
// the port it got, then serves until the time is up (or for ever).
#include "os/Clock.h"
#include "query/TestServer.h"

#include <charconv>
#include <cstdio>
#include <string>

namespace {

const char* const usage = "usage: holmik-testserver [--port N] [--seconds N] [--split BYTES] [--compressed] "
                          "[--old-layout] [--info-challenge] [--delay MS] [--hidden-names]";

bool number(const char* text, unsigned long& value)
{
    const std::string s = text ? text : "";
    auto [at, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    return !s.empty() && error == std::errc() && at == s.data() + s.size();
}

} // namespace

int main(int argc, char** argv)
{
    TestServer server;
    server.loadDemoContent();
    unsigned long port = 0, seconds = 0, value = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
        if (arg == "--port" && number(next, port) && port <= 65535) {
            ++i;
        } else if (arg == "--seconds" && number(next, seconds)) {
            ++i;
        } else if (arg == "--split" && number(next, value)) {
            server.setSplitSize(value);
            ++i;
        } else if (arg == "--delay" && number(next, value)) {
            server.setDelay(static_cast<std::uint32_t>(value));
            ++i;
        } else if (arg == "--compressed") {
            server.setCompressed(true);
        } else if (arg == "--old-layout") {
            server.setSplitLayout(TestServer::SplitLayout::Old);
        } else if (arg == "--hidden-names") {
            server.loadHiddenNamesDemoContent();
        } else if (arg == "--info-challenge") {
            server.setInfoChallenge(true);
        } else if (arg == "--help" || arg == "-h") {
            std::printf("%s\n", usage);
            return 0;
        } else {
            std::fprintf(stderr, "holmik-testserver: bad argument %s\n%s\n", arg.c_str(), usage);
            return 2;
        }
    }
    if (!server.start(static_cast<std::uint16_t>(port))) {
        std::fprintf(stderr, "holmik-testserver: cannot bind 127.0.0.1:%lu\n", port);
        return 1;
    }
    std::printf("%u\n", server.port());
    std::fflush(stdout);
    const std::uint32_t t0 = os::monotonicMilliseconds();
    while (seconds == 0 || os::monotonicMilliseconds() - t0 < seconds * 1000)
        os::sleepMilliseconds(100);
    return 0;
}
