// Steam's key in the real Windows registry (advapi32, here in Wine's prefix), where the
// program finds it.
#include "registry/RegKey.h"
#include "registry/SteamRegistry.h"

#include <gtest/gtest.h>

TEST(WindowsRegistry, SteamPathIsReadFromValvesKey)
{
    bool ok = false;
    Registry::RegKey steam = Registry::RegKey::create(Registry::CurrentUser, Registry::steamKeyPath, ok);
    steam.setValue(Registry::RegValue(Registry::steamPathValue, L"c:/games/steam", false), ok);
    ASSERT_TRUE(ok) << "a key that did not open refuses the value";
    EXPECT_EQ(Registry::readSteamPath(ok), "c:/games/steam");
    EXPECT_TRUE(ok);
    steam.deleteValue(Registry::steamPathValue, ok);
    EXPECT_EQ(Registry::readSteamPath(ok), "");
    EXPECT_FALSE(ok);
}
