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

} // namespace os
