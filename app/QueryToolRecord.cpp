// One server's record as holmik-query prints it. A server that did not answer has no
// record: only its address and what went wrong, so that no zero reads as a value.
#include "app/QueryTool.h"

#include "os/Utf.h"
#include "query/ServerStatus.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace QueryTool {

namespace {

using Json = nlohmann::ordered_json;

// A float written as its shortest text reads back as the double with that text, so that
// 2450.5 does not turn into 2450.5000000000001 and 0.1 stays 0.1.
Json number(float value)
{
    if (!std::isfinite(value))
        return nullptr;
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::stod(std::string(buffer, result.ptr));
}

// A one-letter code as the server sent it ('d', 'l'); a byte that is no letter as its number.
std::string letter(std::uint8_t value)
{
    if (value >= 0x21 && value < 0x7F)
        return std::string(1, static_cast<char>(value));
    return std::to_string(value);
}

Json json(const ServerStatus& s)
{
    Json j;
    j["host"] = validUtf8(s.getHost());
    j["port"] = s.getPort();
    j["protocol"] = s.getProtocol();
    j["name"] = validUtf8(s.getName());
    j["map"] = validUtf8(s.getMap());
    j["folder"] = validUtf8(s.getFolder());
    j["game"] = validUtf8(s.getGame());
    j["appId"] = s.getAppId();
    j["players"] = s.getPlayers();
    j["maxPlayers"] = s.getMaxPlayers();
    j["bots"] = s.getBots();
    j["serverType"] = letter(s.getServerType());
    j["environment"] = letter(s.getEnvironment());
    j["visibility"] = s.getVisibility();
    j["vac"] = s.getVac();
    j["ping"] = s.getPing();
    j["version"] = validUtf8(s.getVersion());
    j["namesHidden"] = s.getHiddenNames() > 0;
    j["playerList"] = Json::array();
    for (const Player& p : s.getPlayerList())
        j["playerList"].push_back({{"index", p.getIndex()},
                                   {"name", validUtf8(p.getName())},
                                   {"score", p.getScore()},
                                   {"duration", number(p.getDuration())}});
    j["rules"] = Json::array();
    for (const Rule& r : s.getRules())
        j["rules"].push_back({{"name", validUtf8(r.getName())}, {"value", validUtf8(r.getValue())}});
    return j;
}

std::string yesNo(std::uint8_t value, const char* yes, const char* no)
{
    return std::to_string(value) + " (" + (value ? yes : no) + ")";
}

std::string playerLine(const Player& p)
{
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "  %3u  %6d  %8.0f s  ", p.getIndex(), p.getScore(),
                  std::floor(p.getDuration()));
    return numbers + plainText(p.getName()) + "\n";
}

} // namespace

std::string addressText(const std::string& host, std::uint16_t port) { return host + ":" + std::to_string(port); }

std::string validUtf8(const std::string& raw) { return os::utf::utf16ToUtf8(os::utf::utf8ToUtf16(raw)); }

std::string plainText(const std::string& raw)
{
    std::string text = validUtf8(raw);
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return text;
}

std::string jsonRecord(const ServerStatus& status, const Outcome& outcome, int indent)
{
    Json j;
    j["address"] = validUtf8(addressText(status.getHost(), status.getPort()));
    j["answered"] = outcome.exit == Answered;
    if (outcome.exit == Answered)
        j.update(json(status));
    else
        j["error"] = validUtf8(outcome.error);
    const std::string margin(static_cast<std::size_t>(indent), ' ');
    std::string out = margin;
    for (char c : j.dump(2))
        out += c == '\n' ? "\n" + margin : std::string(1, c);
    return out;
}

std::string textRecord(const ServerStatus& s, const Outcome& outcome, bool withRules)
{
    if (outcome.exit != Answered)
        return plainText(outcome.error) + "\n";
    std::string out;
    auto line = [&out](const char* key, const std::string& value) { out += key + (": " + value) + "\n"; };
    line("host", plainText(s.getHost()));
    line("port", std::to_string(s.getPort()));
    line("ping", std::to_string(s.getPing()) + " ms");
    line("protocol", std::to_string(s.getProtocol()));
    line("name", plainText(s.getName()));
    line("map", plainText(s.getMap()));
    line("folder", plainText(s.getFolder()));
    line("game", plainText(s.getGame()));
    line("appId", std::to_string(s.getAppId()));
    line("players", std::to_string(s.getPlayers()));
    line("maxPlayers", std::to_string(s.getMaxPlayers()));
    line("bots", std::to_string(s.getBots()));
    line("serverType", letter(s.getServerType()));
    line("environment", letter(s.getEnvironment()));
    line("visibility", yesNo(s.getVisibility(), "password", "no password"));
    line("vac", yesNo(s.getVac(), "secured", "not secured"));
    line("version", plainText(s.getVersion()));
    line("playerList", std::to_string(s.getPlayerList().size()));
    for (const Player& p : s.getPlayerList())
        out += playerLine(p);
    if (s.getHiddenNames() > 0)
        out += "  " + std::to_string(s.getHiddenNames()) + " players (names hidden by the server)\n";
    if (withRules) {
        line("rules", std::to_string(s.getRules().size()));
        for (const Rule& r : s.getRules())
            out += "  " + plainText(r.getName()) + " = " + plainText(r.getValue()) + "\n";
    }
    return out;
}

} // namespace QueryTool
