// What the program does before its window on every platform: the options that only print,
// the folder it runs in, and the built-in test servers for --demo; then the engine's host
// start-up, which runs the application main. Each platform's entry tells problems its own way.
#pragma once

#include <string>

// Returns the process's exit code. `tell` shows a problem to the user: on the terminal, or
// in a message box where there is none.
int runProgram(int argc, char** argv, void (*tell)(const std::string& problem));
