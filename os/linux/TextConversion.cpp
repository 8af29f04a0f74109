// UTF-8 <-> UTF-16 on Linux: our own converter (Windows uses MultiByteToWideChar 65001).
// wchar_t is 32 bits here; each element holds one UTF-16 code unit.
#include "os/TextConversion.h"

#include "os/Utf.h"

namespace os {

std::wstring utf8ToUtf16(const std::string& text)
{
    std::u16string units = utf::utf8ToUtf16(text);
    return std::wstring(units.begin(), units.end());
}

std::string utf16ToUtf8(const std::wstring& text)
{
    std::u16string units;
    units.reserve(text.size());
    for (wchar_t c : text) {
        if (c == 0)
            break;
        units.push_back(static_cast<char16_t>(static_cast<unsigned>(c) > 0xFFFF ? 0xFFFD : c));
    }
    return utf::utf16ToUtf8(units);
}

bool looksLikeUtf16(const unsigned char* bytes, std::size_t count)
{
    if (count < 2)
        return false;
    if ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))
        return true;
    std::size_t pairs = count / 2, evenZero = 0, oddZero = 0;
    for (std::size_t i = 0; i + 1 < count; i += 2) {
        if (bytes[i] == 0)
            ++evenZero;
        if (bytes[i + 1] == 0)
            ++oddZero;
    }
    // Text in UTF-16 has one zero byte in most pairs (ASCII-range characters); 8-bit text
    // has none before its end.
    return pairs >= 1 && (oddZero * 2 > pairs || evenZero * 2 > pairs) && !(oddZero == pairs && evenZero == pairs);
}

bool utf16BytesToNarrow(const unsigned char* bytes, std::size_t count, bool toUtf8, std::string& out)
{
    out.clear();
    const std::u16string units = utf::utf16BytesToUnits(bytes, count);
    if (toUtf8) {
        out = utf::utf16ToUtf8(units);
        return true;
    }
    out.reserve(units.size());
    for (char16_t unit : units)
        out.push_back(unit <= 0xFF ? static_cast<char>(unit) : '?');
    return true;
}

} // namespace os
