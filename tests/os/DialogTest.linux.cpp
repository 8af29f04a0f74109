// The dialog a Linux message box starts with a display: the first of zenity, kdialog and
// xmessage on the search path, asked with the box's text, its exit status the answer.
#include "os/MessageBox.h"
#include "os/Shell.h"
#include "tests/support/RecordingCommand.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(LinuxDialog, ZenityFromTheSearchPathAsks)
{
    testing_support::RecordingCommand zenity("zenity");
    EXPECT_EQ(os::findOnSearchPath("zenity"), zenity.folder() + "/zenity");
    EXPECT_EQ(os::findOnSearchPath("/bin/sh"), "/bin/sh");
    EXPECT_EQ(os::findOnSearchPath("holmik-no-such-program"), "");

    unsetenv("HOLMIK_DIALOGS");
    setenv("DISPLAY", ":99", 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(os::messageBox("Install it?", "Update", os::MessageBoxYesNo), os::MessageBoxAnswerYes);
    EXPECT_EQ(os::messageBox("Broken", "ERROR", os::MessageBoxIconError), os::MessageBoxAnswerOk);
    testing::internal::GetCapturedStderr();
    setenv("HOLMIK_DIALOGS", "stderr", 1);
    ASSERT_TRUE(zenity.waitForCalls(2));
    EXPECT_EQ(zenity.calls()[0], (std::vector<std::string>{"--question", "--title=Update", "--text=Install it?", "--no-markup"}));
    EXPECT_EQ(zenity.calls()[1][0], "--error");
    // Without dialogs a yes/no box answers what the environment says, no by default.
    unsetenv("HOLMIK_DIALOG_ANSWER");
    EXPECT_EQ(os::messageBox("Install it?", "Update", os::MessageBoxYesNo), os::MessageBoxAnswerNo);
}

} // namespace
