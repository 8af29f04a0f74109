// holmik-testserver [--port N] [--seconds N] [--split N] [--compressed] [--old-layout]
// [--info-challenge] [--delay MS] [--hidden-names] [--state FILE]: the project's own game server on
// 127.0.0.1 with the demo content (a CS:Source server, or with --hidden-names a Counter-Strike 2
// server that hides its players' names), for looking at holmik-query, qstat or the window without
// a real server. With --state, what it serves comes from a JSON file, read again when it changes.
// Prints the port it got, then serves until the time is up (or for ever).
#include "os/Clock.h"
#include "query/TestServer.h"
#include "query/TestServerState.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

const char* const usage = "usage: holmik-testserver [--port N] [--seconds N] [--split BYTES] [--compressed] "
                          "[--old-layout] [--info-challenge] [--delay MS] [--hidden-names] [--state FILE]";
constexpr std::uint32_t stateCheckMs = 200;

bool number(const char* text, unsigned long& value)
{
    const std::string s = text ? text : "";
    auto [at, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    return !s.empty() && error == std::errc() && at == s.data() + s.size();
}

// The state file as the server serves it: read again whenever its bytes change. A file
// that cannot be read, or one caught half written, leaves the last good state served.
class StateFile {
public:
    explicit StateFile(std::string path) : path(std::move(path)) {}

    // False with the problem said when the file holds no good state.
    bool serveIfChanged(TestServer& server)
    {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        if (!file || bytes.str() == seen)
            return true;
        seen = bytes.str();
        TestServerState state;
        std::string problem;
        if (!TestServerState::read(seen, state, problem)) {
            std::fprintf(stderr, "holmik-testserver: %s: %s\n", path.c_str(), problem.c_str());
            return false;
        }
        server.serveState(state);
        std::fprintf(stderr, "holmik-testserver: serving %s\n", path.c_str());
        return true;
    }
    bool wasRead() const { return !seen.empty(); }

private:
    std::string path;
    std::string seen;
};

} // namespace

int main(int argc, char** argv)
{
    TestServer server;
    server.loadDemoContent();
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--hidden-names")
            server.loadHiddenNamesDemoContent();
    unsigned long port = 0, seconds = 0, value = 0;
    std::string statePath;
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
        } else if (arg == "--state" && next && *next) {
            statePath = next;
            ++i;
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
    server.keepAsBase();
    StateFile state(statePath);
    if (!statePath.empty()) {
        if (!state.serveIfChanged(server))
            return 2;
        if (!state.wasRead()) {
            std::fprintf(stderr, "holmik-testserver: cannot read %s\n", statePath.c_str());
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
    while (seconds == 0 || os::monotonicMilliseconds() - t0 < seconds * 1000) {
        os::sleepMilliseconds(stateCheckMs);
        if (!statePath.empty())
            state.serveIfChanged(server);
    }
    return 0;
}
