// Autostart in the real registry (Wine's prefix): the value "HolmikZiviza" under the current
// user's Run key holds the data folder's path and "\HolmikZiviza.lnk", exactly as the folder
// is named; off removes it, and a second off complains.
#include "os/FileSystem.h"
#include "registry/RegKey.h"
#include "settings/AutoStart.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowsAutoStart, OnWritesTheRunValueOffRemovesItAndASecondOffComplains)
{
    bool ok = false;
    // A fresh Windows has the Run key; make sure this prefix does too.
    Registry::RegKey::create(Registry::CurrentUser, AutoStart::runKeyPath, ok);
    ASSERT_TRUE(ok);
    const auto runValue = [&] {
        Registry::RegKey run = Registry::RegKey::open(Registry::CurrentUser, AutoStart::runKeyPath, ok, false);
        return ok ? run.getValue(AutoStart::valueName, ok) : Registry::RegValue();
    };
    testing_support::TempDir app;
    const std::string user = app.file("\xc3\x85sa Holm"); // a user name with a non-ASCII letter and a space
    ASSERT_TRUE(os::createDirectory(user) && os::createDirectory(user + "\\data"));
    const std::string before = os::currentDirectory();
    ASSERT_TRUE(os::setCurrentDirectory(user + "\\data"));
    const std::string data = os::currentDirectory();

    AutoStart::enable(true);
    EXPECT_TRUE(AutoStart::isEnabled());
    const Registry::RegValue value = runValue();
    ASSERT_TRUE(ok);
    EXPECT_TRUE(value.getKind() == Registry::KindString && value.asString() == data + "\\HolmikZiviza.lnk") << value.asString();

    AutoStart::enable(false);
    EXPECT_FALSE(AutoStart::isEnabled());
    runValue();
    EXPECT_FALSE(ok);
    testing::internal::CaptureStderr();
    AutoStart::enable(false);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "ERROR: Faild to delete Registry Value\n");
    os::setCurrentDirectory(before);
}

} // namespace
