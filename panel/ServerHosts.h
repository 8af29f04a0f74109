// Where the program looks: the two game servers and the two web hosts. Built-in constants
// of the program's configuration, which the command line may replace before start-up.
#pragma once

#include <cstdint>
#include <string>

struct ServerHosts {
    std::string csgoHost;
    std::uint16_t csgoPort = 27015;
    std::string cssHost;
    std::uint16_t cssPort = 27015;
    std::string updateHost;
    std::string mapHost;
};

// The hosts of this run (main thread writes them before the poller starts; read-only after).
ServerHosts& serverHosts();
