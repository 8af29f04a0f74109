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

class Keys : public ::testing::Test {
protected:
    RegKey create(const std::wstring& s = L"Values") { return RegKey::create(Registry::CurrentUser, path + s, ok); }
    RegKey open(const std::wstring& s, bool w = false) { return RegKey::open(Registry::CurrentUser, path + s, ok, w); }
    // Whether setting, deleting or reading went through.
    bool set(RegKey& key, const RegValue& value) { return key.setValue(value, ok), ok; }
    bool remove(RegKey& key, const std::wstring& name) { return key.deleteValue(name, ok), ok; }
    bool has(const RegKey& key, const std::wstring& name) { return key.getValue(name, ok), ok; }
    static std::string bytes(const RegValue& v) { return { reinterpret_cast<const char*>(v.getData()), v.getSize() }; }

    testing_support::TempHome home;
    const std::wstring path = L"Software\\HolmikZiviza Tests\\" + std::to_wstring(std::random_device()()) + L"\\";
    bool ok = false;
};

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
    for (const RegValue& value : values)
        EXPECT_TRUE(set(writer, value));
    EXPECT_FALSE(set(writer, RegValue(L"", L"nameless", false)) || set(writer, RegValue()));
    setenv("HOLMIK_REGISTRY_TEST", "here", 1);
    RegKey key = open(L"VALUES"); // names ignore case
    EXPECT_EQ(key.getValueCount(), 7u);
    for (const RegValue& v : values)
        EXPECT_TRUE(has(key, v.getName()) && key.getValue(v.getName(), ok).getKind() == v.getKind()
            && bytes(key.getValue(v.getName(), ok)) == bytes(v));
    EXPECT_EQ(key.getValue(L"text", ok).asString(), "Hej p\xc3\xa5 dig");
    EXPECT_EQ(key.getValue(L"Expand", ok).asString(false), "%HOLMIK_REGISTRY_TEST%/x");
    EXPECT_EQ(key.getValue(L"Expand", ok).asString(true), "here/x");
    EXPECT_EQ(key.getValue(L"List", ok).asStringList(), (std::vector<std::wstring> { L"a", L"bc" }));
    EXPECT_EQ(key.getValue(L"Number", ok).asString(), "") << "not a string";

    // A read-only key refuses changes; a value deleted is gone for every key.
    EXPECT_FALSE(set(key, RegValue(L"Text", L"2", false)) || remove(key, L"Text"));
    EXPECT_TRUE(remove(writer, L"text") && !remove(writer, L"Text"));
    EXPECT_FALSE(has(key, L"Text"));
}

TEST_F(Keys, OpenNeverCreatesAndAKeyThatDidNotOpenRefusesAll)
{
    RegKey key = open(L"Missing", true);
    EXPECT_FALSE(ok || key.isOpen() || open(L"Missing").isOpen() || set(key, RegValue(L"a", L"b", false))
        || remove(key, L"a") || has(key, L"a"));
}

TEST_F(Keys, CopiesShareTheKeySubkeysAndOddNames)
{
    RegKey first = create(L"A\\B");
    {
        RegKey assigned;
        assigned = RegKey(first);
        set(assigned, RegValue(L"v", L"from a copy", false));
    }
    first = first;
    EXPECT_EQ(first.getValue(L"v", ok).asString(), "from a copy");
    create(L"A\\C");
    EXPECT_EQ(open(L"a").getSubkeyCount(), 2u);
    EXPECT_FALSE(RegKey::open(Registry::LocalMachine, path + L"A", ok).isOpen()) << "each root keeps its own keys";

    const std::wstring odd = L"a\"b=c[d]%e\\f\ng";
    create(L"[odd]%=").setValue(RegValue(odd, L"v", false), ok);
    EXPECT_EQ(open(L"[ODD]%=").getValue(odd, ok).asString(), "v");
}
