#include "app/Options.h"

#include <cstdlib>
#include <cstring>

bool splitHostPort(const std::string& text, std::string& host, std::uint16_t& port)
{
    const std::string::size_type colon = text.rfind(':');
    if (colon == std::string::npos) {
        host = text;
        return !host.empty();
    }
    const std::string digits = text.substr(colon + 1);
    if (colon == 0 || digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const long value = std::strtol(digits.c_str(), nullptr, 10);
    if (value < 1 || value > 65535)
        return false;
    host = text.substr(0, colon);
    port = static_cast<std::uint16_t>(value);
    return true;
}

Options parseOptions(int argc, char** argv, ServerHosts& hosts)
{
    Options options;
    for (int i = 1; i < argc && options.error.empty(); ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) {
                options.error = arg + " needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        std::string text;
        if (arg == "--demo") {
            options.demo = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--server" || arg == "--source-server") {
            if (!value(text))
                break;
            std::string& host = arg == "--server" ? hosts.csgoHost : hosts.cssHost;
            std::uint16_t& port = arg == "--server" ? hosts.csgoPort : hosts.cssPort;
            if (!splitHostPort(text, host, port))
                options.error = "bad host for " + arg + ": " + text;
        } else if (arg == "--update-host" || arg == "--map-host") {
            if (!value(text))
                break;
            std::string host;
            std::uint16_t port = 80;
            if (!splitHostPort(text, host, port))
                options.error = "bad host for " + arg + ": " + text;
            else
                (arg == "--update-host" ? hosts.updateHost : hosts.mapHost) = text; // the port stays in the text
        } else {
            options.error = "unknown option: " + arg;
        }
    }
    return options;
}

const char* optionsHelp()
{
    return "Usage: holmikziviza [OPTIONS]\n"
           "The status window of the community's Counter-Strike server.\n\n"
           "  --server HOST[:PORT]         the CS:Go server to watch\n"
           "  --source-server HOST[:PORT]  the CS:Source server\n"
           "  --update-host HOST[:PORT]    the web host of the update check\n"
           "  --map-host HOST[:PORT]       the web host of the map pictures\n"
           "  --demo                       watch a built-in test server on this machine\n"
           "  --version                    print the version and exit\n"
           "  --help                       print this help and exit\n\n"
           "Environment: HOLMIK_DIALOGS=stderr shows messages on standard error only;\n"
           "HOLMIK_DIALOG_ANSWER=yes|no answers yes/no questions then.\n";
}
