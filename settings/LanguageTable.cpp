#include "settings/LanguageTable.h"

#include <algorithm>
#include <cstdio>

const std::string LanguageTable::empty;

namespace {
const std::size_t longestLine = 1023;
} // namespace

void LanguageTable::load(const std::string& listPath)
{
    languages.clear();
    if (std::FILE* in = std::fopen(listPath.c_str(), "rb")) {
        std::string line;
        bool tooLong = false;
        auto finish = [&] {
            if (!line.empty() && line.back() == '\r') // as text mode reads CR LF
                line.pop_back();
            tooLong = tooLong || line.size() > longestLine;
            line.resize(std::min(line.size(), line.find('\0')));
            const std::string::size_type equals = line.find('=');
            if (!tooLong && equals != std::string::npos)
                languages.emplace_back(line.substr(0, equals), line.substr(equals + 1));
            line.clear();
            tooLong = false;
        };
        for (int c = std::fgetc(in); c != EOF; c = std::fgetc(in)) {
            if (c == '\n')
                finish();
            else if (line.size() <= longestLine + 1)
                line.push_back(static_cast<char>(c));
            else
                tooLong = true;
        }
        if (!line.empty())
            finish();
        std::fclose(in);
    }
    for (Language& language : languages)
        language.loadTranslations();
}

const std::string& LanguageTable::name(int index) const
{
    const Language* found = language(index);
    return found ? found->getName() : empty;
}

const std::string& LanguageTable::translate(const std::string& key, int index) const
{
    const Language* found = language(index);
    if (!found)
        return key;
    const auto& translations = found->getTranslations();
    const auto it = translations.find(key);
    if (it == translations.end() || it->second.empty())
        return key;
    return it->second;
}

const Language* LanguageTable::language(int index) const
{
    if (index < 0 || index >= count())
        return nullptr;
    return &languages[static_cast<std::size_t>(index)];
}
