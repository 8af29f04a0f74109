// Without dialogs a message box is its line on standard error, and a yes/no box answers what
// the environment says (no by default).
#include "os/MessageBox.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(HeadlessMessageBox, WritesTheLineAndAnswersFromTheEnvironment)
{
    setenv("HOLMIK_DIALOGS", "stderr", 1);
    const struct {
        unsigned style;
        const char* preset;
        int answer;
    } cases[] = {{os::MessageBoxOk, "yes", os::MessageBoxAnswerOk},
                 {os::MessageBoxIconError, nullptr, os::MessageBoxAnswerOk},
                 {os::MessageBoxYesNo, nullptr, os::MessageBoxAnswerNo},
                 {os::MessageBoxYesNo, "yes", os::MessageBoxAnswerYes},
                 {os::MessageBoxYesNo, "no", os::MessageBoxAnswerNo}};
    for (const auto& c : cases) {
        if (c.preset)
            setenv("HOLMIK_DIALOG_ANSWER", c.preset, 1);
        else
            unsetenv("HOLMIK_DIALOG_ANSWER");
        testing::internal::CaptureStderr();
        EXPECT_EQ(os::messageBox("Failed to set the working directory", "Fail", c.style), c.answer) << c.style;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "Fail: Failed to set the working directory\n");
    }
    unsetenv("HOLMIK_DIALOG_ANSWER");
}
