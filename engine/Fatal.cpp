#include "engine/Fatal.h"

#include "os/MessageBox.h"

#include <cstdlib>

namespace Engine {

void fatalError(const std::string& text, const std::string& caption, int exitCode)
{
    os::messageBox(text, caption, os::MessageBoxIconError);
    std::exit(exitCode);
}

} // namespace Engine
