// The registry layer on the real Windows registry (advapi32, here in Wine's prefix): open
// never creates, every kind round-trips, the doubling read buffer, shared keys, the Run key
// and Steam's key where the program finds them. Each run works below a key of its own.
#include "registry/RegKey.h"
#include "registry/SteamRegistry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using Registry::RegKey;
using Registry::RegValue;

namespace {

const std::wstring& scratchPath()
{
    static const std::wstring path = [] {
        std::random_device random;
        return L"Software\\HolmikZiviza Tests\\" + std::to_wstring(random()) + L"\\";
    }();
    return path;
}

TEST(WindowsRegistry, OpenNeverCreatesAKey)
{
    const std::wstring missing = scratchPath() + L"Missing\\";
    bool ok = true;
    RegKey key = RegKey::open(Registry::CurrentUser, missing, ok, true);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(key.isOpen());
    key.setValue(RegValue(L"a", L"b", false), ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(key.getValue(L"a", ok).getKind(), Registry::KindEmpty);
    EXPECT_FALSE(ok);
    key.deleteValue(L"a", ok);
    EXPECT_FALSE(ok);
    RegKey::open(Registry::CurrentUser, missing, ok, false);
    EXPECT_FALSE(ok);
}

TEST(WindowsRegistry, ValuesOfEveryKindSurviveAReopen)
{
    bool ok = false;
    {
        RegKey key = RegKey::create(Registry::CurrentUser, scratchPath() + L"Values", ok);
        ASSERT_TRUE(ok);
        key.setValue(RegValue(L"Text", L"Hej p\u00e5 dig", false), ok);
        EXPECT_TRUE(ok);
        key.setValue(RegValue(L"Expand", L"%HOLMIK_REGISTRY_TEST%\\x", true), ok);
        EXPECT_TRUE(ok);
        key.setValue(RegValue(L"Empty", L"", false), ok);
        EXPECT_TRUE(ok);
        const std::uint32_t number = 0x01020304;
        key.setValue(RegValue(L"Number", Registry::KindDword, &number, 4), ok);
        EXPECT_TRUE(ok);
        const std::uint64_t big = 0x0102030405060708ull;
        key.setValue(RegValue(L"Big", Registry::KindQword, &big, 8), ok);
        EXPECT_TRUE(ok);
        const unsigned char bytes[] = {0, 1, 2, 0xFF};
        key.setValue(RegValue(L"Bytes", Registry::KindBinary, bytes, sizeof bytes), ok);
        EXPECT_TRUE(ok);
        const wchar_t list[] = L"one\0two\0";
        key.setValue(RegValue(L"List", Registry::KindMultiString, list, sizeof list), ok);
        EXPECT_TRUE(ok);
        EXPECT_EQ(key.getValueCount(), 7u);
        key.setValue(RegValue(L"", L"no name", false), ok);
        EXPECT_FALSE(ok) << "a value without a name is never written";
    }
    _putenv_s("HOLMIK_REGISTRY_TEST", "C:\\here");
    RegKey key = RegKey::open(Registry::CurrentUser, scratchPath() + L"Values", ok, false);
    ASSERT_TRUE(ok);
    RegValue text = key.getValue(L"Text", ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(text.getKind(), Registry::KindString);
    EXPECT_EQ(text.asString(), "Hej p\xc3\xa5 dig");
    EXPECT_EQ(text.getSize(), 2u * (10 + 1));
    RegValue expand = key.getValue(L"Expand", ok);
    EXPECT_EQ(expand.getKind(), Registry::KindExpandString);
    EXPECT_EQ(expand.asString(false), "%HOLMIK_REGISTRY_TEST%\\x");
    EXPECT_EQ(expand.asString(true), "C:\\here\\x");
    RegValue empty = key.getValue(L"Empty", ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(empty.getSize(), 2u);
    EXPECT_EQ(empty.asString(), "");
    EXPECT_EQ(key.getValue(L"Number", ok).getKind(), Registry::KindDword);
    std::uint32_t number = 0;
    std::memcpy(&number, key.getValue(L"Number", ok).getData(), 4);
    EXPECT_EQ(number, 0x01020304u);
    std::uint64_t big = 0;
    std::memcpy(&big, key.getValue(L"Big", ok).getData(), 8);
    EXPECT_EQ(big, 0x0102030405060708ull);
    EXPECT_EQ(key.getValue(L"Bytes", ok).getKind(), Registry::KindBinary);
    EXPECT_EQ(key.getValue(L"Bytes", ok).getSize(), 4u);
    EXPECT_EQ(key.getValue(L"List", ok).asStringList(), (std::vector<std::wstring>{L"one", L"two"}));
}

TEST(WindowsRegistry, ReadOnlyKeysRefuseChangesAndMissingValuesFail)
{
    bool ok = false;
    RegKey::create(Registry::CurrentUser, scratchPath() + L"ReadOnly", ok).setValue(RegValue(L"v", L"1", false), ok);
    ASSERT_TRUE(ok);
    RegKey key = RegKey::open(Registry::CurrentUser, scratchPath() + L"ReadOnly", ok, false);
    ASSERT_TRUE(ok);
    key.setValue(RegValue(L"v", L"2", false), ok);
    EXPECT_FALSE(ok);
    key.deleteValue(L"v", ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(key.getValue(L"v", ok).asString(), "1");
    RegValue missing = key.getValue(L"no such value", ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(missing.getKind(), Registry::KindEmpty);
    RegKey writable = RegKey::open(Registry::CurrentUser, scratchPath() + L"ReadOnly", ok, true);
    writable.deleteValue(L"v", ok);
    EXPECT_TRUE(ok);
    writable.deleteValue(L"v", ok);
    EXPECT_FALSE(ok) << "a second delete finds nothing";
}

TEST(WindowsRegistry, AValueLongerThanTheKeyRecordedIsStillReadWhole)
{
    bool ok = false;
    RegKey reader = RegKey::create(Registry::CurrentUser, scratchPath() + L"Long", ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(reader.getLongest(), 0u);
    // Another handle writes it, so the first one's recorded longest size stays 0.
    const std::wstring text(5000, L'x');
    RegKey::open(Registry::CurrentUser, scratchPath() + L"Long", ok, true).setValue(RegValue(L"long", text, false), ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(reader.getValue(L"long", ok).asWideString(), text);
    EXPECT_TRUE(ok);
}

TEST(WindowsRegistry, CopiesShareTheKeyAndTheLastOneClosesIt)
{
    bool ok = false;
    RegKey first = RegKey::create(Registry::CurrentUser, scratchPath() + L"Shared", ok);
    ASSERT_TRUE(ok);
    {
        RegKey copy = first;
        copy.setValue(RegValue(L"v", L"from the copy", false), ok);
        EXPECT_TRUE(ok);
    }
    EXPECT_TRUE(first.isOpen());
    EXPECT_EQ(first.getValue(L"v", ok).asString(), "from the copy");
    EXPECT_TRUE(ok);
}

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
