// holmik-query HOST[:PORT]... [--rules] [--json]: one quiet query of each server, all at the
// same time, then each status as text or JSON whose keys are the ServerStatus field names.
#include "app/QueryTool.h"

#include "BuildConfig.h"
#include "app/HistoryTool.h"
#include "settings/ServerAddress.h"

#include <cstdio>
#include <string>

namespace {

using namespace QueryTool;

const char* const usage = "usage: holmik-query HOST[:PORT]... [--rules] [--json] | --history HOST[:PORT] [--data DIR] [--json]\n"
                          "       | --version | --help";

const char* const help = "Asks game servers for their state with the Source Engine query protocol (UDP,\n"
                         "port 27015 unless given), all at the same time, and prints each.\n\n"
                         "  --rules    also ask for the servers' rules\n"
                         "  --json     print JSON whose keys are the ServerStatus field names (an array\n"
                         "             for several servers)\n"
                         "  --history  print the window's history of one server instead: its last 24\n"
                         "             hours by hour and its mean by weekday and hour, in local time\n"
                         "  --data DIR the data folder whose History.sqlite --history reads (the\n"
                         "             program's own by default)\n"
                         "  --version  print the version\n"
                         "  --help     show this text\n\n"
                         "Exit codes:\n"
                         "  0  every server answered\n"
                         "  1  a server did not answer\n"
                         "  2  bad usage\n"
                         "  3  a server's host name could not be looked up\n"
                         "With several servers, the code of the first one that failed.\n";

bool parse(int argc, char** argv, Options& options, std::string& problem)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--rules") {
            options.rules = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (!arg.empty() && arg[0] == '-') {
            problem = "unknown option " + arg;
            return false;
        } else {
            Server server{std::string(), ServerAddress::defaultPort};
            const ServerAddress::Problem fault = ServerAddress::read(arg, server.host, server.port);
            if (fault != ServerAddress::Problem::None) {
                problem = arg + ": " + ServerAddress::message(fault);
                return false;
            }
            options.servers.push_back(server);
        }
    }
    if (options.servers.empty() && !options.help && !options.version) {
        problem = "no server given";
        return false;
    }
    return true;
}

int run(const Options& options)
{
    if (options.help) {
        std::printf("%s\n\n%s", usage, help);
        return Answered;
    }
    if (options.version) {
        std::printf("holmik-query %s\n", BuildConfig::version);
        return Answered;
    }
    return queryServers(options);
}

} // namespace

int main(int argc, char** argv)
{
    if (HistoryTool::wanted(argc, argv))
        return HistoryTool::run(argc, argv);
    Options options;
    std::string problem;
    if (!parse(argc, argv, options, problem)) {
        std::fprintf(stderr, "holmik-query: %s\n%s\n", problem.c_str(), usage);
        return BadUsage;
    }
    return run(options);
}
