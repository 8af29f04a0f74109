// Keys and values as the program sees them on every platform (our own per-user file on
// Linux, the real registry on Windows): open never creates, every kind survives a reopen, a
// value longer than the key recorded, shared keys, and odd names. Each test works below a
// key of its own in a temporary HOME.
#include "registry/RegKey.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>

using Registry::RegKey;
using Registry::RegValue;

namespace {

class Keys : public ::testing::Test {
protected:
    RegKey create(const std::wstring& sub = L"Values")
    {
        bool ok = false;
        RegKey key = RegKey::create(Registry::CurrentUser, path + sub, ok);
        EXPECT_TRUE(ok);
        return key;
    }
    RegKey open(const std::wstring& sub, bool writable, bool& ok)
    {
        return RegKey::open(Registry::CurrentUser, path + sub, ok, writable);
    }

    testing_support::TempHome home;
    const std::wstring path = L"Software\\HolmikZiviza Tests\\" + std::to_wstring(std::random_device()()) + L"\\";
    bool ok = false;
};

TEST_F(Keys, OpenNeverCreates)
{
    RegKey key = open(L"Missing", true, ok);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(key.isOpen());
    key.setValue(RegValue(L"a", L"b", false), ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(key.getValue(L"a", ok).getKind(), Registry::KindEmpty);
    EXPECT_FALSE(ok);
    key.deleteValue(L"a", ok);
    EXPECT_FALSE(ok);
    open(L"Missing", false, ok);
    EXPECT_FALSE(ok);
}

TEST_F(Keys, ValuesOfEveryKindSurviveAReopen)
{
    const std::uint32_t number = 0x01020304;
    const std::uint64_t big = 0x0102030405060708ull;
    const unsigned char bytes[] = {0, 1, 0xFF, '\n', '"'};
    const char16_t list[] = u"a\0bc\0"; // UTF-16 on every platform
    {
        RegKey key = create();
        for (const RegValue& value :
             {RegValue(L"Text", L"Hej p\u00e5 dig", false), RegValue(L"Expand", L"%HOLMIK_REGISTRY_TEST%/x", true),
              RegValue(L"Empty", L"", false), RegValue(L"Number", Registry::KindDword, &number, 4),
              RegValue(L"Big", Registry::KindQword, &big, 8), RegValue(L"Bytes", Registry::KindBinary, bytes, sizeof bytes),
              RegValue(L"List", Registry::KindMultiString, list, sizeof list)}) {
            key.setValue(value, ok);
            EXPECT_TRUE(ok);
        }
        EXPECT_EQ(key.getValueCount(), 7u);
        key.setValue(RegValue(L"", L"nameless", false), ok);
        EXPECT_FALSE(ok) << "a value without a name is never written";
        key.setValue(RegValue(), ok);
        EXPECT_FALSE(ok);
    }
    setenv("HOLMIK_REGISTRY_TEST", "here", 1);
    RegKey key = open(L"Values", false, ok);
    ASSERT_TRUE(ok);
    const RegValue text = key.getValue(L"text", ok); // names ignore case
    ASSERT_TRUE(ok);
    EXPECT_EQ(text.getKind(), Registry::KindString);
    EXPECT_EQ(text.getSize(), 2u * (10 + 1));
    EXPECT_EQ(text.asString(), "Hej p\xc3\xa5 dig");
    const RegValue expand = key.getValue(L"Expand", ok);
    EXPECT_EQ(expand.getKind(), Registry::KindExpandString);
    EXPECT_EQ(expand.asString(false), "%HOLMIK_REGISTRY_TEST%/x");
    EXPECT_EQ(expand.asString(true), "here/x");
    EXPECT_EQ(key.getValue(L"Empty", ok).getSize(), 2u);
    EXPECT_EQ(key.getValue(L"Empty", ok).asString(), "");
    const RegValue n = key.getValue(L"Number", ok);
    ASSERT_EQ(n.getKind(), Registry::KindDword);
    ASSERT_EQ(n.getSize(), 4u);
    EXPECT_EQ(n.asString(), "");
    EXPECT_EQ(std::memcmp(n.getData(), &number, 4), 0);
    const RegValue b = key.getValue(L"Big", ok);
    ASSERT_EQ(b.getSize(), 8u);
    EXPECT_EQ(std::memcmp(b.getData(), &big, 8), 0);
    const RegValue raw = key.getValue(L"Bytes", ok);
    EXPECT_EQ(raw.getKind(), Registry::KindBinary);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(raw.getData()), raw.getSize()), std::string("\0\1\xff\n\"", 5));
    EXPECT_EQ(key.getValue(L"List", ok).asStringList(), (std::vector<std::wstring>{L"a", L"bc"}));
    key.getValue(L"Missing", ok);
    EXPECT_FALSE(ok);
}

TEST_F(Keys, ReadOnlyKeysRefuseChangesAndDeletesReportMissingValues)
{
    RegKey writer = create();
    writer.setValue(RegValue(L"A", L"1", false), ok);
    RegKey reader = open(L"Values", false, ok);
    ASSERT_TRUE(ok);
    reader.setValue(RegValue(L"A", L"2", false), ok);
    EXPECT_FALSE(ok);
    reader.deleteValue(L"A", ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(reader.getValue(L"A", ok).asString(), "1");
    writer.deleteValue(L"a", ok);
    EXPECT_TRUE(ok);
    writer.deleteValue(L"A", ok);
    EXPECT_FALSE(ok) << "a second delete finds nothing";
    reader.getValue(L"A", ok);
    EXPECT_FALSE(ok);
}

TEST_F(Keys, AValueLongerThanTheKeyRecordedIsStillReadWhole)
{
    create().setValue(RegValue(L"Short", L"x", false), ok);
    RegKey reader = open(L"Values", false, ok);
    ASSERT_TRUE(ok);
    const std::uint32_t recorded = reader.getLongest();
    // Another copy of the program writes a long value after this key was opened.
    const std::wstring longText(5000, L'\u00e4');
    open(L"Values", true, ok).setValue(RegValue(L"Long", longText, false), ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(reader.getLongest(), recorded);
    const RegValue value = reader.getValue(L"Long", ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(value.asWideString(), longText);
    EXPECT_EQ(value.getSize(), 2u * 5001);
}

TEST_F(Keys, CopiesShareTheKeyAndTheLastOneClosesIt)
{
    RegKey first = create();
    {
        RegKey copy = first;
        RegKey assigned;
        assigned = copy;
        assigned.setValue(RegValue(L"v", L"from a copy", false), ok);
        EXPECT_TRUE(ok);
    }
    first = first;
    ASSERT_TRUE(first.isOpen());
    EXPECT_EQ(first.getValue(L"v", ok).asString(), "from a copy");
    EXPECT_TRUE(ok);
}

TEST_F(Keys, SubkeysAndNamesWithMarkupCharacters)
{
    create(L"A\\B");
    create(L"A\\C");
    RegKey parent = open(L"a", false, ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(parent.getSubkeyCount(), 2u);
    RegKey::open(Registry::LocalMachine, path + L"A", ok, false);
    EXPECT_FALSE(ok) << "each root keeps its own keys";

    const std::wstring odd = L"a\"b=c[d]%e\\f\ng";
    create(L"[odd]%=").setValue(RegValue(odd, L"v", false), ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(open(L"[ODD]%=", false, ok).getValue(odd, ok).asString(), "v");
    EXPECT_TRUE(ok);
}

} // namespace
