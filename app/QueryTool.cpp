// holmik-query HOST[:PORT] [--rules] [--json]: one quiet query, then the server's status as
// text or as JSON whose keys are the ServerStatus field names. Exit code 0 when the server
// answered, 1 when it did not, 2 for bad arguments.
#include "BuildConfig.h"
#include "os/Utf.h"
#include "query/ServerQuery.h"
#include "query/ServerStatus.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr std::uint16_t defaultPort = 27015;
const char* const usage = "usage: holmik-query HOST[:PORT] [--rules] [--json] | --version | --help";

struct Options {
    std::string host;
    std::uint16_t port = defaultPort;
    bool rules = false;
    bool json = false;
    bool help = false;
    bool version = false;
};

bool parsePort(const std::string& text, std::uint16_t& port)
{
    unsigned value = 0;
    const char* end = text.data() + text.size();
    auto [at, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || at != end || value == 0 || value > 65535)
        return false;
    port = static_cast<std::uint16_t>(value);
    return true;
}

bool parse(int argc, char** argv, Options& options, std::string& problem)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--rules") {
            options.rules = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (!arg.empty() && arg[0] == '-') {
            problem = "unknown option " + arg;
            return false;
        } else if (!options.host.empty()) {
            problem = "one server at a time";
            return false;
        } else {
            const std::size_t colon = arg.rfind(':');
            options.host = arg.substr(0, colon);
            if (colon != std::string::npos && !parsePort(arg.substr(colon + 1), options.port)) {
                problem = "bad port in " + arg;
                return false;
            }
            if (options.host.empty()) {
                problem = "no host in " + arg;
                return false;
            }
        }
    }
    if (options.host.empty() && !options.help && !options.version) {
        problem = "no server given";
        return false;
    }
    return true;
}

// Servers send any bytes: JSON gets valid UTF-8 with every control character escaped.
std::string jsonText(const std::string& raw)
{
    const std::string text = os::utf::utf16ToUtf8(os::utf::utf8ToUtf16(raw));
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

// For the terminal: control characters shown as '?'.
std::string plainText(const std::string& raw)
{
    std::string text = os::utf::utf16ToUtf8(os::utf::utf8ToUtf16(raw));
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return text;
}

std::string number(float value)
{
    if (!std::isfinite(value))
        return "null";
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string byteText(std::uint8_t value)
{
    if (value >= 0x21 && value < 0x7F)
        return std::string(1, static_cast<char>(value));
    return std::to_string(value);
}

void printJson(const ServerStatus& s)
{
    std::string out = "{\n";
    auto field = [&out](const char* key, const std::string& value) {
        out += "  \"";
        out += key;
        out += "\": " + value + ",\n";
    };
    field("host", jsonText(s.getHost()));
    field("port", std::to_string(s.getPort()));
    field("protocol", std::to_string(s.getProtocol()));
    field("name", jsonText(s.getName()));
    field("map", jsonText(s.getMap()));
    field("folder", jsonText(s.getFolder()));
    field("game", jsonText(s.getGame()));
    field("appId", std::to_string(s.getAppId()));
    field("players", std::to_string(s.getPlayers()));
    field("maxPlayers", std::to_string(s.getMaxPlayers()));
    field("bots", std::to_string(s.getBots()));
    field("serverType", std::to_string(s.getServerType()));
    field("environment", std::to_string(s.getEnvironment()));
    field("visibility", std::to_string(s.getVisibility()));
    field("vac", std::to_string(s.getVac()));
    field("ping", std::to_string(s.getPing()));
    field("version", jsonText(s.getVersion()));
    std::string list = "[";
    for (const Player& p : s.getPlayerList()) {
        list += list.size() > 1 ? ",\n    " : "\n    ";
        list += "{\"index\": " + std::to_string(p.getIndex()) + ", \"name\": " + jsonText(p.getName())
            + ", \"score\": " + std::to_string(p.getScore()) + ", \"duration\": " + number(p.getDuration()) + "}";
    }
    list += list.size() > 1 ? "\n  ]" : "]";
    field("playerList", list);
    std::string rules = "[";
    for (const Rule& r : s.getRules()) {
        rules += rules.size() > 1 ? ",\n    " : "\n    ";
        rules += "{\"name\": " + jsonText(r.getName()) + ", \"value\": " + jsonText(r.getValue()) + "}";
    }
    rules += rules.size() > 1 ? "\n  ]" : "]";
    out += "  \"rules\": " + rules + "\n}\n";
    std::fputs(out.c_str(), stdout);
}

void printText(const ServerStatus& s, bool withRules)
{
    std::printf("host: %s\nport: %u\n", plainText(s.getHost()).c_str(), s.getPort());
    if (s.getPing() >= 0)
        std::printf("ping: %d ms\n", s.getPing());
    else
        std::printf("ping: no answer\n");
    std::printf("protocol: %u\nname: %s\nmap: %s\nfolder: %s\ngame: %s\nappId: %u\n", s.getProtocol(),
                plainText(s.getName()).c_str(), plainText(s.getMap()).c_str(), plainText(s.getFolder()).c_str(),
                plainText(s.getGame()).c_str(), s.getAppId());
    std::printf("players: %u\nmaxPlayers: %u\nbots: %u\n", s.getPlayers(), s.getMaxPlayers(), s.getBots());
    std::printf("serverType: %s\nenvironment: %s\n", byteText(s.getServerType()).c_str(),
                byteText(s.getEnvironment()).c_str());
    std::printf("visibility: %u (%s)\nvac: %u (%s)\nversion: %s\n", s.getVisibility(),
                s.getVisibility() ? "password" : "no password", s.getVac(), s.getVac() ? "secured" : "not secured",
                plainText(s.getVersion()).c_str());
    std::printf("playerList: %zu\n", s.getPlayerList().size());
    for (const Player& p : s.getPlayerList())
        std::printf("  %3u  %6d  %8s s  %s\n", p.getIndex(), p.getScore(), number(std::floor(p.getDuration())).c_str(),
                    plainText(p.getName()).c_str());
    if (withRules) {
        std::printf("rules: %zu\n", s.getRules().size());
        for (const Rule& r : s.getRules())
            std::printf("  %s = %s\n", plainText(r.getName()).c_str(), plainText(r.getValue()).c_str());
    }
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    std::string problem;
    if (!parse(argc, argv, options, problem)) {
        std::fprintf(stderr, "holmik-query: %s\n%s\n", problem.c_str(), usage);
        return 2;
    }
    if (options.help) {
        std::printf("%s\n\nAsks a game server for its state with the Source Engine query protocol (UDP,\n"
                    "port %u unless given) and prints it.\n\n"
                    "  --rules    also ask for the server's rules\n"
                    "  --json     print JSON whose keys are the ServerStatus field names\n"
                    "  --version  print the version\n"
                    "  --help     show this text\n\n"
                    "Exit code: 0 when the server answered, 1 when it did not, 2 for bad arguments.\n",
                    usage, defaultPort);
        return 0;
    }
    if (options.version) {
        std::printf("holmik-query %s\n", BuildConfig::version);
        return 0;
    }
    ServerStatus status(options.host, options.port);
    ServerQuery query;
    query.query(status, true, options.rules, true);
    if (options.json)
        printJson(status);
    else
        printText(status, options.rules);
    if (!status.isAnswered()) {
        std::fprintf(stderr, "holmik-query: no answer from %s:%u\n", options.host.c_str(), options.port);
        return 1;
    }
    return 0;
}
