#include "settings/Language.h"

#include "engine/StringConversion.h"

#include <cstdio>

namespace {
const std::size_t blockSize = 2048;
// Nothing that is a translation file is this big (a device file would never end).
const std::size_t largestFile = 64u << 20;
} // namespace

void Language::loadTranslations()
{
    std::FILE* in = std::fopen(file.c_str(), "rb");
    if (!in)
        return;
    // Each byte is the character of the same code; a block counts up to its first zero.
    std::wstring text;
    unsigned char block[blockSize];
    std::size_t total = 0;
    for (;;) {
        const std::size_t n = std::fread(block, 1, blockSize, in);
        for (std::size_t i = 0; i < n && block[i] != 0; ++i)
            text.push_back(static_cast<wchar_t>(block[i]));
        total += n;
        if (n < blockSize || total >= largestFile)
            break;
    }
    std::fclose(in);
    addTranslations(toNarrow(text));
}

void Language::addTranslations(const std::string& utf8Text)
{
    std::string::size_type start = 0;
    while (start < utf8Text.size()) {
        std::string::size_type end = utf8Text.find('\n', start);
        const bool last = end == std::string::npos;
        if (last)
            end = utf8Text.size();
        std::string line = utf8Text.substr(start, end - start);
        if (!last && !line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string::size_type equals = line.find('=');
        if (equals != std::string::npos)
            translations[line.substr(0, equals)] = line.substr(equals + 1);
        start = end + 1;
    }
}
