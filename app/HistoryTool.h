// holmik-query --history HOST[:PORT] [--data DIR] [--json]: what the window's history holds
// of one server, read from History.sqlite in the data folder (the program's own by default):
// the last 24 hours by hour and the mean by weekday and hour, in local time.
#pragma once

namespace HistoryTool {

// True when the command line asks for --history.
bool wanted(int argc, char** argv);
// Exit code 0 when the history holds answers of the server, 1 when it holds none or cannot
// be read, 2 for bad arguments.
int run(int argc, char** argv);

} // namespace HistoryTool
