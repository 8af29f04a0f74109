// A game server's address as the user writes it: "host" or "host:port". The same rules
// hold for the command line, Settings.xml and the settings panel's text boxes.
#pragma once

#include <cstdint>
#include <string>

namespace ServerAddress {

inline constexpr std::uint16_t defaultPort = 27015;

enum class Problem { None, EmptyHost, BadPort, Spaces };

// Splits "host[:port]"; port keeps the value it had when the text names none. On a
// problem host and port are left as they were.
Problem read(const std::string& text, std::string& host, std::uint16_t& port);

// "host", or "host:port" when the port is not the default one; "" for an empty host.
std::string text(const std::string& host, std::uint16_t port);

// What the settings panel says about a problem, in English (it goes through translate).
const char* message(Problem problem);

} // namespace ServerAddress
