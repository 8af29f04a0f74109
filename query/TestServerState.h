// What a TestServer serves, as a JSON object a person or a test writes into a file:
//
//     {"name": "Holmik test", "map": "de_nuke", "maxPlayers": 2,
//      "players": [{"name": "Zien", "score": 12, "time": 600}],
//      "rules": {"sv_gravity": "800"}, "password": false, "silent": false}
//
// Every key is optional; TestServer::serveState says what a key left out means. `time` is in
// seconds; `silent` answers nothing.
#pragma once

#include "query/Player.h"
#include "query/Rule.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TestServerState {
    std::optional<std::string> name, map, game;
    std::optional<std::uint16_t> appId;
    std::optional<std::uint8_t> maxPlayers, bots;
    std::optional<bool> password, vac, silent;
    std::optional<std::vector<Player>> players;
    std::optional<std::vector<Rule>> rules;

    // False, with what is wrong and where, for text that is no JSON object, an unknown key
    // or a value of the wrong kind or out of range; `state` is then left as it was.
    static bool read(const std::string& text, TestServerState& state, std::string& problem);
};
