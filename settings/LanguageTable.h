// The languages of Languages.langmaster, in the order of its lines, and the lookup of an
// English text in one of them. Not guarded: Settings keeps other threads away from a reload.
#pragma once

#include "settings/Language.h"

#include <string>
#include <vector>

class LanguageTable {
public:
    LanguageTable() = default;
    virtual ~LanguageTable() = default;

    // Replaces the list with the one in the list file (name=file per line, at most 1023
    // characters; longer lines and lines without "=" are skipped) and reads every
    // language's translations. A missing list file leaves no languages.
    void load(const std::string& listPath);

    int count() const { return static_cast<int>(languages.size()); }
    // The language's name, or an empty text for an index out of range.
    const std::string& name(int index) const;
    // The translation, or the key itself when the index is out of range or the language
    // has no (or an empty) translation for it.
    const std::string& translate(const std::string& key, int index) const;
    // Null for an index out of range.
    const Language* language(int index) const;

private:
    std::vector<Language> languages;
    static const std::string empty;
};
