// The message box as every platform shows it: the line on standard error, then the
// platform's dialog unless the environment asks for none or the dialog cannot be shown.
#include "os/MessageBox.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace os {

int messageBox(const std::string& text, const std::string& caption, unsigned style)
{
    static std::mutex lineLock; // keeps lines from two threads apart
    {
        std::lock_guard<std::mutex> hold(lineLock);
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        std::fflush(stderr);
    }
    const char* mode = std::getenv("HOLMIK_DIALOGS");
    const int answer = mode && std::strcmp(mode, "stderr") == 0 ? 0 : showDialog(text, caption, style);
    if (answer != 0)
        return answer;
    if ((style & 0xF) != MessageBoxYesNo)
        return MessageBoxAnswerOk;
    const char* preset = std::getenv("HOLMIK_DIALOG_ANSWER");
    return preset && std::strcmp(preset, "yes") == 0 ? MessageBoxAnswerYes : MessageBoxAnswerNo;
}

} // namespace os
