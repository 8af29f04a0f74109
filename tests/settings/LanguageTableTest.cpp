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

namespace {

class Languages : public ::testing::Test {
protected:
    Languages() : inData(data.path()) {}
    testing_support::TempDir data;
    testing_support::ScopedCurrentDirectory inData;
    LanguageTable table;
};

TEST_F(Languages, ListAndTranslationLines)
{
    // List lines longer than 1023 characters are skipped, and lines without "=".
    data.write("Languages.langmaster", "Svenska=svenska.lang\r\nno equals sign here\nDeutsch=sub/de=x.lang\n" + ("L=" + std::string(1022, 'g')) +
                                           "\nH=" + std::string(100000, 'h') + "=tail\n" + ("N=" + std::string(1021, 'f')) + "\r\nGone=gone.lang\nZ=z.lang");
    data.write("svenska.lang", "Save=Spara\r\nMap=Karta\nDefaults=\r\nA=b=c\r\nColors=F\xe4rger\r\nX=first\r\n"
                               "X=sist \xe5\xe4\xf6 \r\nkey with spaces = value \r\n");
    data.write("sub/de=x.lang", "Save=Speichern");
    // Files are read in blocks of 2048 bytes: a zero byte ends the text of its block only.
    data.write("z.lang", ("Save=Spara\n" + std::string(1, '\0') + "Map=dropped\n").append(2048 - 24, 'z') + "Map=Karta\n");
    table.load("Languages.langmaster");
    table.load("Languages.langmaster"); // a reload replaces the list
    ASSERT_EQ(table.count(), 5);
    EXPECT_EQ(table.name(0) + "|" + table.name(1) + "|" + table.name(3), "Svenska|Deutsch|Gone");
    EXPECT_EQ(table.name(5) + table.name(-1), "");
    EXPECT_EQ(table.language(4)->getTranslations().size(), 2u);
    const struct {
        const char* text;
        int language;
        const char* translated;
    } cases[] = {
        {"Save", 0, "Spara"},      {"Map", 0, "Karta"},        {"Defaults", 0, "Defaults"}, {"A", 0, "b=c"},
        {"Nothing", 0, "Nothing"}, {"Save", 1, "Speichern"},   {"Save", -1, "Save"},        {"Save", 5, "Save"},
        {"Save", 3, "Save"},       {"Colors", 0, "F\xc3\xa4rger"}, {"X", 0, "sist \xc3\xa5\xc3\xa4\xc3\xb6 "},
        {"key with spaces ", 0, " value "}, {"Save", 4, "Spara"}, {"Map", 4, "Karta"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(table.translate(c.text, c.language), c.translated) << c.text << " in " << c.language;
}

TEST(ShippedLanguages, EveryLanguageTranslatesEveryTextTheCodeTranslatesAndNothingElse)
{
    const std::set<std::string> texts(std::begin(TranslatedTexts::all), std::end(TranslatedTexts::all));
    EXPECT_EQ(texts.size(), static_cast<std::size_t>(TranslatedTexts::count)) << "a text is listed twice";
    const std::regex call(R"(translate\s*\(\s*"((?:[^"\\]|\\.)*)\")");
    for (const char* folder : {"app", "panel", "settings", "engine", "query", "http"})
        for (const auto& entry : std::filesystem::recursive_directory_iterator(std::string(HOLMIK_SOURCE_DIR) + "/" + folder)) {
            const std::string code = readFile(entry.path().string());
            for (std::sregex_iterator it(code.begin(), code.end(), call), end; it != end; ++it)
                EXPECT_TRUE(texts.count((*it)[1].str())) << entry.path() << " translates \"" << (*it)[1].str() << "\": list it in settings/TranslatedTexts.h";
        }

    testing_support::ScopedCurrentDirectory inData(std::string(HOLMIK_SOURCE_DIR) + "/data/files");
    LanguageTable table;
    table.load("Languages.langmaster");
    ASSERT_EQ(table.count(), 3);
    EXPECT_EQ(table.name(0) + table.name(1) + table.name(2), "EnglishSvenskaDeutsch");
    for (int i = 0; i < table.count(); ++i) {
        const auto& translations = table.language(i)->getTranslations();
        for (const std::string& text : texts)
            EXPECT_FALSE(translations.count(text) == 0 || translations.at(text).empty()) << table.name(i) << " lacks \"" << text << "\"";
        for (const auto& entry : translations)
            EXPECT_TRUE(texts.count(entry.first)) << table.name(i) << " translates \"" << entry.first << "\", which nothing shows";
        EXPECT_EQ(readFile(table.language(i)->getFile()).find('\0'), std::string::npos) << table.name(i);
    }
}

} // namespace
