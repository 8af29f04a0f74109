// holmik-query's parts: its command line (QueryTool.cpp), the servers it asks
// (QueryToolServers.cpp) and the records it prints (QueryToolRecord.cpp). Another mode is a
// function of its own file, an option or two in `parse` and one line in `run`.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class ServerStatus;

namespace QueryTool {

// The exit codes, as --help and the man page list them.
enum Exit : int {
    Answered = 0,     // every server answered
    NoAnswer = 1,     // a server did not answer
    BadUsage = 2,     // the command line could not be read
    LookUpFailed = 3, // a server's host name has no address
};

struct Server {
    std::string host;
    std::uint16_t port = 0;
};

struct Options {
    std::vector<Server> servers;
    bool rules = false;
    bool json = false;
    bool help = false;
    bool version = false;
};

// Asks every server at the same time and prints their records in the order given (a JSON
// array when there are several); the exit code of the first server that failed, else Answered.
int queryServers(const Options& options);

// How one server fared: its status when it answered, else what went wrong.
struct Outcome {
    Exit exit = NoAnswer;
    std::string error; // "no answer from HOST:PORT", "cannot resolve HOST"
};

// The record of one server: its status when it answered, else the error alone.
std::string textRecord(const ServerStatus& status, const Outcome& outcome, bool withRules);
std::string jsonRecord(const ServerStatus& status, const Outcome& outcome, int indent);

// "HOST:PORT", the port always written.
std::string addressText(const std::string& host, std::uint16_t port);
// What a server sent, as valid UTF-8; for the terminal also with control characters as '?'.
std::string validUtf8(const std::string& raw);
std::string plainText(const std::string& raw);

} // namespace QueryTool
