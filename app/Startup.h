// What the program does before its window on every platform: the options that only print,
// the folder it runs in, and the built-in test servers for --demo. Each platform's entry
// tells the problems its own way.
#pragma once

#include "app/DemoServers.h"
#include "app/Options.h"

#include <memory>

// Prints the help or the version when the options ask for it; true then (the program ends).
bool printInformation(const Options& options);
// Wherever it is started from, the program runs beside its data folder, as the launcher and
// a Windows shortcut start it. False, after a message box, when there is no such folder.
bool enterRunFolder();
// Starts the built-in test servers on loopback and points the columns at them; null when
// one could not start.
std::unique_ptr<DemoServers> startDemoServers(ServerHosts& hosts);
