// Steam's key in the real Windows registry (advapi32, here in Wine's prefix), where the
// program finds it.
#include "registry/RegKey.h"
#include "registry/SteamRegistry.h"

#include <gtest/gtest.h>

#include <string>

using Registry::RegKey;
using Registry::RegValue;

namespace {

TEST(WindowsRegistry, SteamPathIsReadFromValvesKey)
{
    bool ok = false;
    RegKey steam = RegKey::create(Registry::CurrentUser, Registry::steamKeyPath, ok);
    ASSERT_TRUE(ok);
    steam.setValue(RegValue(Registry::steamPathValue, L"c:/games/steam", false), ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(Registry::readSteamPath(ok), "c:/games/steam");
    EXPECT_TRUE(ok);
    steam.deleteValue(Registry::steamPathValue, ok);
    EXPECT_EQ(Registry::readSteamPath(ok), "");
    EXPECT_FALSE(ok);
}

} // namespace
