// A failure the program cannot go on from: an error box, then the process ends with the
// given code.
#pragma once

#include <string>

namespace Engine {

[[noreturn]] void fatalError(const std::string& text, const std::string& caption, int exitCode = -1);

} // namespace Engine
