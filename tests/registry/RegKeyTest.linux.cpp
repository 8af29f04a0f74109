// Keys and values in our own per-root file: open never creates, round trips of every
// kind, the doubling read buffer, shared keys, and a corrupt file left alone.
#include "registry/RegKey.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>

using Registry::RegKey;
using Registry::RegValue;
using testing_support::TempHome;

namespace {

const std::wstring keyPath = L"Software\\HolmikZiviza Tests\\Values\\";

std::string hiveFile(const TempHome& home) { return home.path() + "/.config/holmikziviza/HKEY_CURRENT_USER.registry"; }

TEST(RegKey, OpenNeverCreates)
{
    TempHome home;
    bool ok = true;
    RegKey key = RegKey::open(Registry::CurrentUser, keyPath, ok, true);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(key.isOpen());
    EXPECT_FALSE(std::filesystem::exists(hiveFile(home)));
    key.setValue(RegValue(L"a", L"b", false), ok);
    EXPECT_FALSE(ok);
    RegValue value = key.getValue(L"a", ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(value.getKind(), Registry::KindEmpty);
    key.deleteValue(L"a", ok);
    EXPECT_FALSE(ok);
    RegKey::open(Registry::CurrentUser, keyPath, ok, false);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(std::filesystem::exists(hiveFile(home)));
}

TEST(RegKey, ValuesOfEveryKindSurviveAReopen)
{
    TempHome home;
    bool ok = false;
    {
        RegKey key = RegKey::create(Registry::CurrentUser, keyPath, ok);
        ASSERT_TRUE(ok);
        key.setValue(RegValue(L"Text", L"Hej p\u00e5 dig", false), ok);
        EXPECT_TRUE(ok);
        key.setValue(RegValue(L"Expand", L"%HOME%/x", true), ok);
        EXPECT_TRUE(ok);
        key.setValue(RegValue(L"Empty", L"", false), ok);
        EXPECT_TRUE(ok);
        const std::uint32_t number = 0x01020304;
        key.setValue(RegValue(L"Number", Registry::KindDword, &number, 4), ok);
        EXPECT_TRUE(ok);
        const std::uint64_t big = 0x0102030405060708ull;
        key.setValue(RegValue(L"Big", Registry::KindQword, &big, 8), ok);
        EXPECT_TRUE(ok);
        const unsigned char bytes[] = {0, 1, 0xFF, '\n', '"'};
        key.setValue(RegValue(L"Bytes", Registry::KindBinary, bytes, sizeof bytes), ok);
        EXPECT_TRUE(ok);
        const unsigned char list[] = {'a', 0, 0, 0, 'b', 0, 'c', 0, 0, 0, 0, 0};
        key.setValue(RegValue(L"List", Registry::KindMultiString, list, sizeof list), ok);
        EXPECT_TRUE(ok);
        EXPECT_EQ(key.getValueCount(), 7u);
        key.setValue(RegValue(L"", L"nameless", false), ok);
        EXPECT_FALSE(ok);
        key.setValue(RegValue(), ok);
        EXPECT_FALSE(ok);
    }
    RegKey key = RegKey::open(Registry::CurrentUser, keyPath, ok, false);
    ASSERT_TRUE(ok);
    RegValue text = key.getValue(L"text", ok); // names ignore case
    ASSERT_TRUE(ok);
    EXPECT_EQ(text.getKind(), Registry::KindString);
    EXPECT_EQ(text.getSize(), 2u * (10 + 1));
    EXPECT_EQ(text.asString(), "Hej p\xc3\xa5 dig");
    EXPECT_EQ(text.asWideString(), L"Hej p\u00e5 dig");

    RegValue expand = key.getValue(L"Expand", ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(expand.getKind(), Registry::KindExpandString);
    EXPECT_EQ(expand.asString(false), "%HOME%/x");
    EXPECT_EQ(expand.asString(true), home.path() + "/x");

    RegValue empty = key.getValue(L"Empty", ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(empty.getSize(), 2u);
    EXPECT_EQ(empty.asString(), "");

    RegValue number = key.getValue(L"Number", ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(number.getKind(), Registry::KindDword);
    ASSERT_EQ(number.getSize(), 4u);
    EXPECT_EQ(number.asString(), "");
    std::uint32_t n = 0;
    std::memcpy(&n, number.getData(), 4);
    EXPECT_EQ(n, 0x01020304u);

    EXPECT_EQ(key.getValue(L"Big", ok).getKind(), Registry::KindQword);
    RegValue bytes = key.getValue(L"Bytes", ok);
    EXPECT_EQ(bytes.getKind(), Registry::KindBinary);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.getData()), bytes.getSize()), std::string("\0\1\xff\n\"", 5));
    RegValue list = key.getValue(L"List", ok);
    EXPECT_EQ(list.getKind(), Registry::KindMultiString);
    EXPECT_EQ(list.asStringList(), (std::vector<std::wstring>{L"a", L"bc"}));

    key.getValue(L"Missing", ok);
    EXPECT_FALSE(ok);
}

TEST(RegKey, ReadOnlyKeysRefuseChangesAndDeletesReportMissingValues)
{
    TempHome home;
    bool ok = false;
    RegKey writer = RegKey::create(Registry::CurrentUser, keyPath, ok);
    writer.setValue(RegValue(L"A", L"1", false), ok);
    RegKey reader = RegKey::open(Registry::CurrentUser, keyPath, ok, false);
    ASSERT_TRUE(ok);
    reader.setValue(RegValue(L"A", L"2", false), ok);
    EXPECT_FALSE(ok);
    reader.deleteValue(L"A", ok);
    EXPECT_FALSE(ok);
    writer.deleteValue(L"a", ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(writer.getValueCount(), 0u);
    writer.deleteValue(L"A", ok);
    EXPECT_FALSE(ok);
    reader.getValue(L"A", ok);
    EXPECT_FALSE(ok);
}

TEST(RegKey, AValueLongerThanTheKeyRecordedIsStillReadWhole)
{
    TempHome home;
    bool ok = false;
    RegKey first = RegKey::create(Registry::CurrentUser, keyPath, ok);
    first.setValue(RegValue(L"Short", L"x", false), ok);
    RegKey reader = RegKey::open(Registry::CurrentUser, keyPath, ok, false);
    ASSERT_TRUE(ok);
    const std::uint32_t recorded = reader.getLongest();
    // Another copy of the program writes a long value after this key was opened.
    RegKey other = RegKey::open(Registry::CurrentUser, keyPath, ok, true);
    const std::wstring longText(5000, L'\u00e4');
    other.setValue(RegValue(L"Long", longText, false), ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(reader.getLongest(), recorded);
    RegValue value = reader.getValue(L"Long", ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(value.asWideString(), longText);
    EXPECT_EQ(value.getSize(), 2u * 5001);
}

TEST(RegKey, CopiesShareTheKeyAndTheLastOneClosesIt)
{
    TempHome home;
    bool ok = false;
    RegKey first = RegKey::create(Registry::CurrentUser, keyPath, ok);
    first.setValue(RegValue(L"A", L"1", false), ok);
    {
        RegKey copy = first;
        EXPECT_EQ(first.useCount(), 2u);
        RegKey assigned;
        assigned = copy;
        EXPECT_EQ(first.useCount(), 3u);
        assigned = RegKey();
        EXPECT_EQ(first.useCount(), 2u);
    }
    EXPECT_EQ(first.useCount(), 1u);
    ASSERT_TRUE(first.isOpen());
    EXPECT_EQ(first.getValue(L"A", ok).asString(), "1");
    EXPECT_TRUE(ok);
    first = first;
    EXPECT_TRUE(first.isOpen());
}

TEST(RegKey, KeysAboveAStoredKeyExistAndCountTheirSubkeys)
{
    TempHome home;
    bool ok = false;
    RegKey::create(Registry::CurrentUser, L"Software\\A\\B", ok);
    RegKey::create(Registry::CurrentUser, L"Software\\A\\C", ok);
    RegKey parent = RegKey::open(Registry::CurrentUser, L"software\\a", ok, false);
    ASSERT_TRUE(ok);
    EXPECT_EQ(parent.getSubkeyCount(), 2u);
    RegKey::open(Registry::LocalMachine, L"Software\\A", ok, false);
    EXPECT_FALSE(ok) << "each root keeps its own keys";
}

TEST(RegKey, ACorruptFileOpensNothingAndIsNeverOverwritten)
{
    TempHome home;
    bool ok = false;
    RegKey::create(Registry::CurrentUser, keyPath, ok);
    ASSERT_TRUE(ok);
    const std::string garbage = std::string("HolmikZiviza registry 1\n[Software\\x]\n\"a\"=1:4\x00\xff", 40);
    testing_support::writeFile(hiveFile(home), garbage);
    RegKey key = RegKey::open(Registry::CurrentUser, L"Software\\x", ok, true);
    EXPECT_FALSE(ok);
    RegKey::create(Registry::CurrentUser, L"Software\\y", ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(testing_support::readFile(hiveFile(home)), garbage);
    testing_support::writeFile(hiveFile(home), "");
    RegKey::open(Registry::CurrentUser, L"Software", ok, false);
    EXPECT_FALSE(ok);
}

TEST(RegKey, NamesWithMarkupCharactersRoundTrip)
{
    TempHome home;
    bool ok = false;
    const std::wstring odd = L"a\"b=c[d]%e\\f\ng";
    RegKey key = RegKey::create(Registry::CurrentUser, L"Software\\[odd]%=", ok);
    ASSERT_TRUE(ok);
    key.setValue(RegValue(odd, L"v", false), ok);
    ASSERT_TRUE(ok);
    RegKey again = RegKey::open(Registry::CurrentUser, L"Software\\[ODD]%=", ok, false);
    ASSERT_TRUE(ok);
    EXPECT_EQ(again.getValue(odd, ok).asString(), "v");
    EXPECT_TRUE(ok);
}

} // namespace
