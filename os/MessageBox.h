// Message box facility of the OS seam.
#pragma once

#include <string>

namespace os {

// Styles and answers with the values of the Windows message box.
enum MessageBoxStyle : unsigned {
    MessageBoxOk = 0,
    MessageBoxYesNo = 4,
    MessageBoxIconError = 16,
    MessageBoxTopmost = 0x40000,
};
enum MessageBoxAnswer : int {
    MessageBoxAnswerOk = 1,
    MessageBoxAnswerYes = 6,
    MessageBoxAnswerNo = 7,
};

// Shows a modal box (text and caption in UTF-8) and returns the answer.
// Linux: always one line "caption: text" on standard error; then a dialog when a display
// and a dialog tool exist. HOLMIK_DIALOGS=stderr shows no dialog, and a yes/no box then
// answers HOLMIK_DIALOG_ANSWER ("yes" or "no", no by default).
int messageBox(const std::string& text, const std::string& caption, unsigned style);

// What each backend provides for messageBox (os/MessageBoxCommon.cpp): the platform's
// dialog and its answer, or 0 when it could show none.
int showDialog(const std::string& text, const std::string& caption, unsigned style);

} // namespace os
