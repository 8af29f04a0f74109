// What the program does before its window on every platform: the options that only print,
// the folder it runs in, and the built-in test server for --demo. Each platform's entry
// tells the problems its own way.
#pragma once

#include "app/Options.h"
#include "panel/ServerHosts.h"
#include "query/TestServer.h"

#include <memory>

// Prints the help or the version when the options ask for it; true then (the program ends).
bool printInformation(const Options& options);
// Wherever it is started from, the program runs beside its data folder, as the launcher and
// a Windows shortcut start it. False, after a message box, when there is no such folder.
bool enterRunFolder();
// Starts the built-in test server on loopback and points the community's server at it;
// null when it could not start.
std::unique_ptr<TestServer> startDemoServer(ServerHosts& hosts);
