// Where the program looks: the two game servers and the two web hosts. Built-in constants
// of the program's configuration, which the command line, Settings.xml and the settings
// panel may replace.
#pragma once

#include <cstdint>
#include <string>

class Settings;

struct ServerHosts {
    std::string csgoHost;
    std::uint16_t csgoPort = 27015;
    std::string cssHost; // empty: no CS:Source server is watched
    std::uint16_t cssPort = 27015;
    std::string updateHost;
    std::string mapHost;
    // Given on the command line (or by --demo): wins over Settings.xml for this run.
    bool csgoGiven = false;
    bool cssGiven = false;
};

// The hosts of this run. The main thread writes the game servers' (a poller keeps its own
// copy of its address); the web hosts are fixed before start-up and only read after.
ServerHosts& serverHosts();

// The servers of Settings.xml for the columns the command line left alone: an empty CS:Go
// entry is the built-in host, an empty CS:Source entry no CS:Source server. The CS:Source
// column is shown exactly when there is a CS:Source server.
void takeServersFromSettings(ServerHosts& hosts, Settings& settings);
