// Message box dialogs on Linux: zenity, kdialog or xmessage, when a display exists.
#include "os/MessageBox.h"

#include "os/Shell.h"
#include "os/linux/Spawn.h"

#include <cstdlib>

namespace os {

namespace {

// The dialog on the screen is known while it is open, so that a signal that ends the
// program takes it along.
int waitForDialog(pid_t pid)
{
    if (pid <= 0)
        return -1;
    linux_backend::openDialog.store(pid);
    const int status = linux_backend::waitForExit(pid);
    linux_backend::openDialog.store(0);
    return status;
}

} // namespace

int showDialog(const std::string& text, const std::string& caption, unsigned style)
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return 0;
    const bool yesNo = (style & 0xF) == MessageBoxYesNo;
    const bool error = (style & MessageBoxIconError) != 0;
    int status = -1;
    if (!findOnSearchPath("zenity").empty()) {
        std::vector<std::string> args = {yesNo ? "--question" : (error ? "--error" : "--info"),
                                         "--title=" + caption, "--text=" + text, "--no-markup"};
        status = waitForDialog(linux_backend::spawnProcess("zenity", args, "", false));
        if (status >= 0)
            return yesNo ? (status == 0 ? MessageBoxAnswerYes : MessageBoxAnswerNo) : MessageBoxAnswerOk;
    }
    if (!findOnSearchPath("kdialog").empty()) {
        std::vector<std::string> args = {"--title", caption, yesNo ? "--yesno" : (error ? "--error" : "--msgbox"), text};
        status = waitForDialog(linux_backend::spawnProcess("kdialog", args, "", false));
        if (status >= 0)
            return yesNo ? (status == 0 ? MessageBoxAnswerYes : MessageBoxAnswerNo) : MessageBoxAnswerOk;
    }
    if (!findOnSearchPath("xmessage").empty()) {
        std::vector<std::string> args = {"-center", "-title", caption, "-buttons",
                                         yesNo ? "Yes:6,No:7" : "OK:1", "-default", yesNo ? "No" : "OK",
                                         caption + "\n\n" + text};
        status = waitForDialog(linux_backend::spawnProcess("xmessage", args, "", false));
        if (status == MessageBoxAnswerYes || status == MessageBoxAnswerNo || status == MessageBoxAnswerOk)
            return status;
        if (status >= 0)
            return yesNo ? MessageBoxAnswerNo : MessageBoxAnswerOk;
    }
    return 0;
}

} // namespace os
