// The program's command line, the same on Linux and Windows: other hosts, the
// built-in demo server, help.
#pragma once

#include "panel/ServerHosts.h"

#include <string>

struct Options {
    bool demo = false;
    bool help = false;
    bool version = false;
    std::string error; // set when the command line could not be read
};

// Reads argv into `hosts` (left as they are where no option says otherwise).
Options parseOptions(int argc, char** argv, ServerHosts& hosts);

const char* optionsHelp();
