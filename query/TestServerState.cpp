#include "query/TestServerState.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>

namespace {

using Json = nlohmann::json;

// Each reader takes one value or says what it should have been.
struct Reader {
    std::string problem;

    bool fail(const std::string& key, const char* wanted)
    {
        problem = "\"" + key + "\" must be " + wanted;
        return false;
    }
    bool text(const Json& value, const std::string& key, std::optional<std::string>& out)
    {
        if (!value.is_string())
            return fail(key, "a text");
        out = value.get<std::string>();
        return true;
    }
    bool flag(const Json& value, const std::string& key, std::optional<bool>& out)
    {
        if (!value.is_boolean())
            return fail(key, "true or false");
        out = value.get<bool>();
        return true;
    }
    template <typename Number>
    bool whole(const Json& value, const std::string& key, Number& out, long long low, long long high,
               const char* wanted)
    {
        if (!value.is_number_integer() || value.get<long long>() < low || value.get<long long>() > high)
            return fail(key, wanted);
        out = static_cast<Number>(value.get<long long>());
        return true;
    }
    bool player(const Json& value, std::size_t index, std::vector<Player>& out)
    {
        const std::string key = "players[" + std::to_string(index) + "]";
        if (!value.is_object() || !value.contains("name"))
            return fail(key, "an object with a \"name\"");
        Player p;
        p.setIndex(static_cast<std::uint8_t>(index));
        std::optional<std::string> name;
        std::int32_t score = 0;
        for (const auto& [field, item] : value.items()) {
            if (field == "name") {
                if (!text(item, key + ".name", name))
                    return false;
            } else if (field == "score") {
                if (!whole(item, key + ".score", score, std::numeric_limits<std::int32_t>::min(),
                           std::numeric_limits<std::int32_t>::max(), "a whole number"))
                    return false;
            } else if (field == "time") {
                if (!item.is_number() || !(item.get<double>() >= 0) || !std::isfinite(item.get<double>()))
                    return fail(key + ".time", "seconds, 0 or more");
                p.setDuration(item.get<float>());
            } else {
                return fail(key + "." + field, "one of name, score, time");
            }
        }
        p.setName(*name);
        p.setScore(score);
        out.push_back(p);
        return true;
    }
};

} // namespace

bool TestServerState::read(const std::string& text, TestServerState& state, std::string& problem)
{
    const Json all = Json::parse(text, nullptr, false);
    if (all.is_discarded() || !all.is_object()) {
        problem = "not a JSON object";
        return false;
    }
    TestServerState next;
    Reader r;
    for (const auto& [key, value] : all.items()) {
        bool ok = false;
        if (key == "name")
            ok = r.text(value, key, next.name);
        else if (key == "map")
            ok = r.text(value, key, next.map);
        else if (key == "game")
            ok = r.text(value, key, next.game);
        else if (key == "appId")
            ok = r.whole(value, key, next.appId, 0, 65535, "a number 0-65535");
        else if (key == "maxPlayers")
            ok = r.whole(value, key, next.maxPlayers, 0, 255, "a number 0-255");
        else if (key == "bots")
            ok = r.whole(value, key, next.bots, 0, 255, "a number 0-255");
        else if (key == "password")
            ok = r.flag(value, key, next.password);
        else if (key == "vac")
            ok = r.flag(value, key, next.vac);
        else if (key == "silent")
            ok = r.flag(value, key, next.silent);
        else if (key == "players") {
            ok = value.is_array() || r.fail(key, "a list");
            next.players.emplace();
            for (std::size_t i = 0; ok && i < value.size(); ++i)
                ok = r.player(value[i], i, *next.players);
        } else if (key == "rules") {
            ok = value.is_object() || r.fail(key, "an object of names and values");
            next.rules.emplace();
            for (const auto& [name, item] : value.items()) {
                if (!ok)
                    break;
                std::optional<std::string> ruleValue;
                ok = item.is_number() ? (ruleValue = item.dump(), true) : r.text(item, "rules." + name, ruleValue);
                if (ok)
                    next.rules->emplace_back(name, *ruleValue);
            }
        } else {
            problem = "unknown key \"" + key + "\"";
            return false;
        }
        if (!ok) {
            problem = r.problem;
            return false;
        }
    }
    state = std::move(next);
    return true;
}
