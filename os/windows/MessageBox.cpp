// Message box dialogs on Windows: MessageBoxW with the UTF-8 text and caption converted to
// UTF-16 (what MessageBoxA shows for ASCII text), no owner window; 0 when it fails.
#include "os/MessageBox.h"

#include "os/TextConversion.h"

#include <windows.h>

namespace os {

int showDialog(const std::string& text, const std::string& caption, unsigned style)
{
    return MessageBoxW(nullptr, utf8ToUtf16(text).c_str(), utf8ToUtf16(caption).c_str(), style);
}

} // namespace os
