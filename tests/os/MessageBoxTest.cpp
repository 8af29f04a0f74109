#include "os/MessageBox.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class HeadlessMessageBox : public ::testing::Test {
protected:
    void SetUp() override { setenv("HOLMIK_DIALOGS", "stderr", 1); unsetenv("HOLMIK_DIALOG_ANSWER"); }
    void TearDown() override { unsetenv("HOLMIK_DIALOG_ANSWER"); }
};

TEST_F(HeadlessMessageBox, WritesCaptionAndTextToStandardError)
{
    testing::internal::CaptureStderr();
    int answer = os::messageBox("Failed to set the working directory", "Fail", os::MessageBoxOk);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "Fail: Failed to set the working directory\n");
    EXPECT_EQ(answer, os::MessageBoxAnswerOk);
    testing::internal::CaptureStderr();
    EXPECT_EQ(os::messageBox("x", "ERROR", os::MessageBoxIconError), os::MessageBoxAnswerOk);
    testing::internal::GetCapturedStderr();
}

TEST_F(HeadlessMessageBox, YesNoAnswersFromTheEnvironment)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(os::messageBox("q", "Update Available", os::MessageBoxYesNo), os::MessageBoxAnswerNo);
    setenv("HOLMIK_DIALOG_ANSWER", "yes", 1);
    EXPECT_EQ(os::messageBox("q", "Update Available", os::MessageBoxYesNo), os::MessageBoxAnswerYes);
    setenv("HOLMIK_DIALOG_ANSWER", "no", 1);
    EXPECT_EQ(os::messageBox("q", "Update Available", os::MessageBoxYesNo), os::MessageBoxAnswerNo);
    testing::internal::GetCapturedStderr();
}

} // namespace
