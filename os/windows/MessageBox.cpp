// Message boxes on Windows: MessageBoxW with the UTF-8 text and caption converted to UTF-16
// (what MessageBoxA shows for ASCII text), no owner window. The same line "caption: text"
// goes to standard error first. HOLMIK_DIALOGS=stderr (tests, scripts) shows no box: a
// yes/no box then answers HOLMIK_DIALOG_ANSWER ("yes" or "no", no by default).
#include "os/MessageBox.h"

#include "os/TextConversion.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <windows.h>

namespace os {

namespace {

int presetAnswer(unsigned style)
{
    if ((style & 0xF) != MessageBoxYesNo)
        return MessageBoxAnswerOk;
    const char* answer = std::getenv("HOLMIK_DIALOG_ANSWER");
    return answer && std::strcmp(answer, "yes") == 0 ? MessageBoxAnswerYes : MessageBoxAnswerNo;
}

} // namespace

int messageBox(const std::string& text, const std::string& caption, unsigned style)
{
    static std::mutex lineLock; // keeps lines from two threads apart
    {
        std::lock_guard<std::mutex> hold(lineLock);
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        std::fflush(stderr);
    }
    const char* mode = std::getenv("HOLMIK_DIALOGS");
    if (mode && std::strcmp(mode, "stderr") == 0)
        return presetAnswer(style);
    const int answer = MessageBoxW(nullptr, utf8ToUtf16(text).c_str(), utf8ToUtf16(caption).c_str(), style);
    return answer == 0 ? presetAnswer(style) : answer;
}

} // namespace os
