#include "app/Options.h"

#include "settings/ServerAddress.h"

namespace {

// The problem with an address option in the words the settings panel and holmik-query use.
std::string readAddress(const std::string& option, const std::string& text, std::string& host, std::uint16_t& port)
{
    const ServerAddress::Problem problem = ServerAddress::read(text, host, port);
    return problem == ServerAddress::Problem::None ? std::string()
                                                   : option + " " + text + ": " + ServerAddress::message(problem);
}

} // namespace

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
            options.error = readAddress(arg, text, host, port);
            (arg == "--server" ? hosts.csgoGiven : hosts.cssGiven) = true; // wins over Settings.xml
        } else if (arg == "--update-host" || arg == "--map-host") {
            if (!value(text))
                break;
            std::string host;
            std::uint16_t port = 80;
            options.error = readAddress(arg, text, host, port);
            if (options.error.empty())
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
