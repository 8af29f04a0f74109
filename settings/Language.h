// One language of the list: its name as the user sees it, the file that holds its
// translations, and the translations themselves (English text -> text in UTF-8).
#pragma once

#include <map>
#include <string>

class Language {
public:
    Language(std::string name, std::string file) : name(std::move(name)), file(std::move(file)) {}
    virtual ~Language() = default;

    const std::string& getName() const { return name; }
    const std::string& getFile() const { return file; }
    const std::map<std::string, std::string>& getTranslations() const { return translations; }

    // Reads the translation file: single-byte text (ISO-8859-1), key=value lines ending in
    // CR LF or LF. A file that does not open leaves no translations.
    void loadTranslations();
    // The lines of a translation file's text, already in UTF-8, into the translations.
    void addTranslations(const std::string& utf8Text);

private:
    std::string name;
    std::string file;
    std::map<std::string, std::string> translations;
};
