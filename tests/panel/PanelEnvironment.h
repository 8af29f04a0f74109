// A headless program for the panel tests: SDL's dummy video driver, the engine window, a
// temporary home and a temporary copy of the data folder as the working directory.
#pragma once

#include <string>

namespace panel_testing {

// Idempotent; returns the data folder the process now runs in.
const std::string& enterProgram();

} // namespace panel_testing
