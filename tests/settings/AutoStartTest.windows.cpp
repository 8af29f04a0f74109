// Autostart in the real registry (Wine's prefix): the value "HolmikZiviza" under the current
// user's Run key holds the data folder's path and "\HolmikZiviza.lnk", exactly as the folder
// is named; off removes it, and a second off complains.
#include "os/FileSystem.h"
#include "registry/RegKey.h"
#include "settings/AutoStart.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using testing_support::TempDir;

namespace {

template <typename F>
std::string stderrOf(F f)
{
    testing::internal::CaptureStderr();
    f();
    return testing::internal::GetCapturedStderr();
}

Registry::RegValue runValue(bool& ok)
{
    Registry::RegKey run = Registry::RegKey::open(Registry::CurrentUser, AutoStart::runKeyPath, ok, false);
    return ok ? run.getValue(AutoStart::valueName, ok) : Registry::RegValue();
}

TEST(WindowsAutoStart, OnWritesTheRunValueOffRemovesItAndASecondOffComplains)
{
    bool ok = false;
    // A fresh Windows has the Run key; make sure this prefix does too.
    Registry::RegKey::create(Registry::CurrentUser, AutoStart::runKeyPath, ok);
    ASSERT_TRUE(ok);
    TempDir app;
    // A user name with a non-ASCII letter and a space.
    const std::string user = app.file("\xc3\x85sa Holm");
    ASSERT_TRUE(os::createDirectory(user));
    ASSERT_TRUE(os::createDirectory(user + "\\data"));
    const std::string before = os::currentDirectory();
    ASSERT_TRUE(os::setCurrentDirectory(user + "\\data"));
    const std::string data = os::currentDirectory();

    EXPECT_EQ(stderrOf([] { AutoStart::enable(true); }), "");
    EXPECT_TRUE(AutoStart::isEnabled());
    Registry::RegValue value = runValue(ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(value.getKind(), Registry::KindString);
    EXPECT_EQ(value.asString(), AutoStart::launcherPath());
    EXPECT_EQ(value.asString(), data + "\\HolmikZiviza.lnk");
    EXPECT_NE(data.find("\xc3\x85sa Holm\\data"), std::string::npos) << data;

    EXPECT_EQ(stderrOf([] { AutoStart::enable(false); }), "");
    EXPECT_FALSE(AutoStart::isEnabled());
    runValue(ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(stderrOf([] { AutoStart::enable(false); }), "ERROR: Faild to delete Registry Value\n");
    os::setCurrentDirectory(before);
}

} // namespace
