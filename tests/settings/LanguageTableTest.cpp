// The language list and translation files: their format, the 2048-byte blocks, ISO-8859-1
// to UTF-8, and the shipped languages against the texts the program translates.
#include "settings/LanguageTable.h"
#include "settings/TranslatedTexts.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

using testing_support::readFile;
using testing_support::ScopedCurrentDirectory;
using testing_support::TempDir;

namespace {

class Languages : public ::testing::Test {
protected:
    Languages() : inData(data.path()) {}
    TempDir data;
    ScopedCurrentDirectory inData;
    LanguageTable table;
};

TEST_F(Languages, ListLinesNameALanguageAndItsFile)
{
    data.write("Languages.langmaster", "Svenska=svenska.lang\r\nno equals sign here\nDeutsch=sub/de=x.lang");
    data.write("svenska.lang", "Save=Spara\r\nMap=Karta\nDefaults=\r\nA=b=c\r\n");
    data.write("sub/de=x.lang", "Save=Speichern");
    table.load("Languages.langmaster");
    ASSERT_EQ(table.count(), 2);
    EXPECT_EQ(table.name(0), "Svenska");
    EXPECT_EQ(table.language(0)->getFile(), "svenska.lang");
    EXPECT_EQ(table.name(1), "Deutsch");
    EXPECT_EQ(table.language(1)->getFile(), "sub/de=x.lang");
    EXPECT_EQ(table.name(2), "");
    EXPECT_EQ(table.name(-1), "");

    EXPECT_EQ(table.translate("Save", 0), "Spara");       // CR LF
    EXPECT_EQ(table.translate("Map", 0), "Karta");        // LF alone
    EXPECT_EQ(table.translate("Defaults", 0), "Defaults"); // empty: untranslated
    EXPECT_EQ(table.translate("A", 0), "b=c");             // the first "=" splits
    EXPECT_EQ(table.translate("Nothing", 0), "Nothing");
    EXPECT_EQ(table.translate("Save", 1), "Speichern");   // last line without a line end
    EXPECT_EQ(table.translate("Save", -1), "Save");
    EXPECT_EQ(table.translate("Save", 2), "Save");
}

TEST_F(Languages, TranslationsAreIso88591AndTheLaterLineWins)
{
    data.write("Languages.langmaster", "X=x.lang\n");
    data.write("x.lang", "Colors=F\xe4rger\r\nSave=first\r\nSave=sist \xe5\xe4\xf6 \r\nkey with spaces = value \r\n");
    table.load("Languages.langmaster");
    EXPECT_EQ(table.translate("Colors", 0), "F\xc3\xa4rger");
    EXPECT_EQ(table.translate("Save", 0), "sist \xc3\xa5\xc3\xa4\xc3\xb6 "); // no trimming
    EXPECT_EQ(table.translate("key with spaces ", 0), " value ");
}

TEST_F(Languages, AZeroByteEndsTheTextOfItsBlockOnly)
{
    std::string first = "Save=Spara\n";
    first += '\0';
    first += "Map=dropped\n";
    first.resize(2048, 'z');
    data.write("Languages.langmaster", "X=x.lang\n");
    data.write("x.lang", first + "Map=Karta\n");
    table.load("Languages.langmaster");
    EXPECT_EQ(table.translate("Save", 0), "Spara");
    EXPECT_EQ(table.translate("Map", 0), "Karta");
    EXPECT_EQ(table.language(0)->getTranslations().size(), 2u);
}

TEST_F(Languages, MissingFilesGiveEnglishAndAReloadReplacesTheList)
{
    table.load("Languages.langmaster");
    EXPECT_EQ(table.count(), 0);
    EXPECT_EQ(table.translate("Save", 0), "Save");
    data.write("Languages.langmaster", "Svenska=gone.lang\nB=b.lang\n");
    table.load("Languages.langmaster");
    table.load("Languages.langmaster");
    ASSERT_EQ(table.count(), 2);
    EXPECT_TRUE(table.language(0)->getTranslations().empty());
    EXPECT_EQ(table.translate("Save", 0), "Save");
    data.write("Languages.langmaster", "C=c.lang\n");
    table.load("Languages.langmaster");
    ASSERT_EQ(table.count(), 1);
    EXPECT_EQ(table.name(0), "C");
}

TEST_F(Languages, ListLinesLongerThan1023CharactersAreSkipped)
{
    const std::string fits = "N=" + std::string(1021, 'f');      // 1023 characters
    const std::string tooLong = "L=" + std::string(1022, 'g');   // 1024
    const std::string huge = "H=" + std::string(100000, 'h') + "=tail";
    data.write("Languages.langmaster", fits + "\r\n" + tooLong + "\n" + huge + "\nLast=last.lang\n");
    table.load("Languages.langmaster");
    ASSERT_EQ(table.count(), 2);
    EXPECT_EQ(table.name(0), "N");
    EXPECT_EQ(table.language(0)->getFile().size(), 1021u);
    EXPECT_EQ(table.name(1), "Last");
}

// The languages in data/files, as the program reads them from its data folder.
class ShippedLanguages : public ::testing::Test {
protected:
    ShippedLanguages() : inData(std::string(HOLMIK_SOURCE_DIR) + "/data/files") { table.load("Languages.langmaster"); }
    ScopedCurrentDirectory inData;
    LanguageTable table;
};

TEST_F(ShippedLanguages, EveryLanguageTranslatesEveryTextAndNothingElse)
{
    const std::set<std::string> texts(std::begin(TranslatedTexts::all), std::end(TranslatedTexts::all));
    EXPECT_EQ(texts.size(), static_cast<std::size_t>(TranslatedTexts::count)) << "a text is listed twice";
    ASSERT_EQ(table.count(), 3);
    EXPECT_EQ(table.name(0) + table.name(1) + table.name(2), "EnglishSvenskaDeutsch");
    EXPECT_EQ(table.translate("Font Size 5-16", 2), "Schriftgr\xc3\xb6\xc3\x9f" "e 5-16");
    for (int i = 0; i < table.count(); ++i) {
        const auto& translations = table.language(i)->getTranslations();
        for (const std::string& text : texts) {
            const auto it = translations.find(text);
            EXPECT_TRUE(it != translations.end() && !it->second.empty()) << table.name(i) << " lacks \"" << text << "\"";
        }
        for (const auto& entry : translations)
            EXPECT_TRUE(texts.count(entry.first)) << table.name(i) << " translates \"" << entry.first << "\", which nothing shows";
        const std::string bytes = readFile(table.language(i)->getFile());
        EXPECT_EQ(bytes.find('\0'), std::string::npos) << table.name(i);
    }
}

TEST(TranslatedTexts, EveryTranslatedLiteralInTheCodeIsListed)
{
    const std::set<std::string> texts(std::begin(TranslatedTexts::all), std::end(TranslatedTexts::all));
    const std::regex call(R"(translate\s*\(\s*"((?:[^"\\]|\\.)*)\")");
    int seen = 0;
    for (const char* folder : {"app", "panel", "settings", "engine", "query", "http"}) {
        const std::filesystem::path root = std::filesystem::path(HOLMIK_SOURCE_DIR) / folder;
        if (!std::filesystem::exists(root))
            continue;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".cpp" && ext != ".h")
                continue;
            const std::string code = readFile(entry.path().string());
            for (std::sregex_iterator it(code.begin(), code.end(), call), end; it != end; ++it) {
                ++seen;
                EXPECT_TRUE(texts.count((*it)[1].str()))
                    << entry.path() << " translates \"" << (*it)[1].str() << "\": add it to settings/TranslatedTexts.h and the .lang files";
            }
        }
    }
    RecordProperty("translateCalls", seen);
}

} // namespace
