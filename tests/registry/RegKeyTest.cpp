// Keys and values as the program sees them on every platform (our own per-user file on
// Linux, the real registry on Windows). Each test works below a key of its own in a
// temporary HOME.
#include "registry/RegKey.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>

using Registry::RegKey;
using Registry::RegValue;

namespace {

class Keys : public ::testing::Test {
protected:
    RegKey create(const std::wstring& sub = L"Values") { return RegKey::create(Registry::CurrentUser, path + sub, ok); }
    RegKey open(const std::wstring& sub, bool w = false)
    {
        return RegKey::open(Registry::CurrentUser, path + sub, ok, w);
    }
    static std::string bytes(const RegValue& v) { return { reinterpret_cast<const char*>(v.getData()), v.getSize() }; }

    testing_support::TempHome home;
    const std::wstring path = L"Software\\HolmikZiviza Tests\\" + std::to_wstring(std::random_device()()) + L"\\";
    bool ok = false;
};

TEST_F(Keys, OpenNeverCreatesAndAKeyThatDidNotOpenRefusesAll)
{
    RegKey key = open(L"Missing", true);
    EXPECT_FALSE(ok || key.isOpen());
    key.setValue(RegValue(L"a", L"b", false), ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(key.getValue(L"a", ok).getKind(), Registry::KindEmpty);
    EXPECT_FALSE(ok);
    key.deleteValue(L"a", ok);
    EXPECT_FALSE(ok);
    open(L"Missing");
    EXPECT_FALSE(ok);
}

TEST_F(Keys, ValuesOfEveryKindSurviveAReopen)
{
    const std::uint32_t number = 0x01020304;
    const std::uint64_t big = 0x0102030405060708ull;
    const unsigned char raw[] = { 0, 1, 0xFF, '\n', '"' };
    const char16_t list[] = u"a\0bc\0"; // UTF-16 on every platform
    const RegValue values[]
        = { RegValue(L"Text", L"Hej p\u00e5 dig", false), RegValue(L"Expand", L"%HOLMIK_REGISTRY_TEST%/x", true),
              RegValue(L"Empty", L"", false), RegValue(L"Number", Registry::KindDword, &number, 4),
              RegValue(L"Big", Registry::KindQword, &big, 8), RegValue(L"Bytes", Registry::KindBinary, raw, sizeof raw),
              RegValue(L"List", Registry::KindMultiString, list, sizeof list) };
    RegKey writer = create();
    for (const RegValue& value : values) {
        writer.setValue(value, ok);
        EXPECT_TRUE(ok);
    }
    for (const RegValue& refused : { RegValue(L"", L"nameless", false), RegValue() }) {
        writer.setValue(refused, ok);
        EXPECT_FALSE(ok);
    }
    setenv("HOLMIK_REGISTRY_TEST", "here", 1);
    RegKey key = open(L"VALUES"); // names ignore case
    ASSERT_TRUE(ok);
    EXPECT_EQ(key.getValueCount(), 7u);
    for (const RegValue& value : values) {
        const RegValue back = key.getValue(value.getName(), ok);
        EXPECT_TRUE(ok);
        EXPECT_EQ(back.getKind(), value.getKind());
        EXPECT_EQ(bytes(back), bytes(value));
    }
    EXPECT_EQ(key.getValue(L"text", ok).asString(), "Hej p\xc3\xa5 dig");
    EXPECT_EQ(key.getValue(L"Expand", ok).asString(false), "%HOLMIK_REGISTRY_TEST%/x");
    EXPECT_EQ(key.getValue(L"Expand", ok).asString(true), "here/x");
    EXPECT_EQ(key.getValue(L"List", ok).asStringList(), (std::vector<std::wstring> { L"a", L"bc" }));
    EXPECT_EQ(key.getValue(L"Number", ok).asString(), "") << "not a string";

    // A read-only key refuses changes; a value deleted is gone for every key.
    key.setValue(RegValue(L"Text", L"2", false), ok);
    EXPECT_FALSE(ok);
    key.deleteValue(L"Text", ok);
    EXPECT_FALSE(ok);
    writer.deleteValue(L"text", ok);
    EXPECT_TRUE(ok);
    writer.deleteValue(L"Text", ok);
    EXPECT_FALSE(ok);
    key.getValue(L"Text", ok);
    EXPECT_FALSE(ok);
}

TEST_F(Keys, AValueLongerThanTheKeyRecordedIsStillReadWhole)
{
    create().setValue(RegValue(L"Short", L"x", false), ok);
    const RegKey reader = open(L"Values");
    // Another copy of the program writes a long value after this key was opened.
    const std::wstring longText(5000, L'\u00e4');
    open(L"Values", true).setValue(RegValue(L"Long", longText, false), ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(reader.getValue(L"Long", ok).asWideString(), longText);
    EXPECT_TRUE(ok);
}

TEST_F(Keys, CopiesShareTheKeySubkeysAndOddNames)
{
    RegKey first = create(L"A\\B");
    {
        RegKey assigned;
        assigned = RegKey(first);
        assigned.setValue(RegValue(L"v", L"from a copy", false), ok);
    }
    first = first;
    EXPECT_EQ(first.getValue(L"v", ok).asString(), "from a copy");
    create(L"A\\C");
    EXPECT_EQ(open(L"a").getSubkeyCount(), 2u);
    RegKey::open(Registry::LocalMachine, path + L"A", ok, false);
    EXPECT_FALSE(ok) << "each root keeps its own keys";

    const std::wstring odd = L"a\"b=c[d]%e\\f\ng";
    create(L"[odd]%=").setValue(RegValue(odd, L"v", false), ok);
    EXPECT_EQ(open(L"[ODD]%=").getValue(odd, ok).asString(), "v");
    EXPECT_TRUE(ok);
}

} // namespace
