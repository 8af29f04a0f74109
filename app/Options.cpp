#include "app/Options.h"

#include "settings/ServerAddress.h"

bool splitHostPort(const std::string& text, std::string& host, std::uint16_t& port)
{
    return ServerAddress::read(text, host, port) == ServerAddress::Problem::None;
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
            (arg == "--server" ? hosts.csgoGiven : hosts.cssGiven) = true; // wins over Settings.xml
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
           "  --source-server HOST[:PORT]  also watch this CS:Source server\n"
           "  --update-host HOST[:PORT]    the web host of the update check\n"
           "  --map-host HOST[:PORT]       the web host of the map pictures\n"
           "  --demo                       watch two built-in test servers on this machine\n"
           "  --version                    print the version and exit\n"
           "  --help                       print this help and exit\n\n"
           "Environment: HOLMIK_DIALOGS=stderr shows messages on standard error only;\n"
           "HOLMIK_DIALOG_ANSWER=yes|no answers yes/no questions then.\n";
}
