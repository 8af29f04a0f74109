#include "engine/Fatal.h"

#include "os/MessageBox.h"

#include <cstdlib>

namespace Engine {

void fatal(const std::string& text, const std::string& caption)
{
    os::messageBox(text, caption, os::MessageBoxIconError);
    std::exit(-1);
}

} // namespace Engine
