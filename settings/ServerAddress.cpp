#include "settings/ServerAddress.h"

namespace ServerAddress {

Problem read(const std::string& text, std::string& host, std::uint16_t& port)
{
    if (text.find_first_of(" \t\r\n") != std::string::npos)
        return Problem::Spaces;
    const std::string::size_type colon = text.rfind(':');
    const std::string name = text.substr(0, colon);
    if (name.empty())
        return Problem::EmptyHost;
    std::uint16_t number = port;
    if (colon != std::string::npos) {
        const std::string digits = text.substr(colon + 1);
        if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos)
            return Problem::BadPort;
        const unsigned long value = std::stoul(digits);
        if (value < 1 || value > 65535)
            return Problem::BadPort;
        number = static_cast<std::uint16_t>(value);
    }
    host = name;
    port = number;
    return Problem::None;
}

std::string text(const std::string& host, std::uint16_t port)
{
    if (host.empty())
        return {};
    return port == defaultPort ? host : host + ":" + std::to_string(port);
}

const char* message(Problem problem)
{
    switch (problem) {
    case Problem::EmptyHost: return "The address needs a host";
    case Problem::BadPort: return "The port must be 1-65535";
    case Problem::Spaces: return "No spaces in an address";
    case Problem::None: break;
    }
    return "";
}

} // namespace ServerAddress
