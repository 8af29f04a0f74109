// A fatal failure of the engine: the message box, then exit code -1.
#pragma once

#include <string>

namespace Engine {

[[noreturn]] void fatal(const std::string& text, const std::string& caption);

} // namespace Engine
