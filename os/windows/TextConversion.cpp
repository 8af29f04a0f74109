// UTF-8 <-> UTF-16 on Windows: MultiByteToWideChar and WideCharToMultiByte with code page
// 65001 (CP_UTF8). Without MB_ERR_INVALID_CHARS the system puts U+FFFD for bad input.
// Raw UTF-16 is told apart with IsTextUnicode (in either byte order) and narrowed with
// WideCharToMultiByte to UTF-8 or to the ANSI code page (CP_ACP, '?' for what it lacks).
#include "os/TextConversion.h"

#include "os/Utf.h"

#include <windows.h>

namespace os {

std::wstring utf8ToUtf16(const std::string& text)
{
    const std::string::size_type end = text.find('\0');
    const int length = static_cast<int>(end == std::string::npos ? text.size() : end);
    if (length == 0)
        return {};
    const int needed = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    if (needed <= 0)
        return {};
    std::wstring out(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), length, out.data(), needed);
    return out;
}

std::string utf16ToUtf8(const std::wstring& text)
{
    const std::wstring::size_type end = text.find(L'\0');
    const int length = static_cast<int>(end == std::wstring::npos ? text.size() : end);
    if (length == 0)
        return {};
    const int needed = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return {};
    std::string out(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, out.data(), needed, nullptr, nullptr);
    return out;
}

bool looksLikeUtf16(const unsigned char* bytes, std::size_t count)
{
    if (count < 2 || count > 0x7FFFFFFF)
        return false;
    // Every test, in both byte orders; the answer says which of them passed.
    INT tests = IS_TEXT_UNICODE_UNICODE_MASK | IS_TEXT_UNICODE_REVERSE_MASK | IS_TEXT_UNICODE_NOT_UNICODE_MASK |
                IS_TEXT_UNICODE_NOT_ASCII_MASK;
    if (IsTextUnicode(bytes, static_cast<int>(count), &tests))
        return true;
    return (tests & IS_TEXT_UNICODE_REVERSE_MASK) != 0 && (tests & IS_TEXT_UNICODE_NOT_UNICODE_MASK) == 0;
}

bool utf16BytesToNarrow(const unsigned char* bytes, std::size_t count, bool toUtf8, std::string& out)
{
    out.clear();
    const std::u16string text = utf::utf16BytesToUnits(bytes, count);
    const std::wstring units(text.begin(), text.end());
    if (units.empty())
        return true;
    const UINT codePage = toUtf8 ? CP_UTF8 : CP_ACP;
    const char* fallback = toUtf8 ? nullptr : "?";
    const int length = static_cast<int>(units.size());
    const int needed = WideCharToMultiByte(codePage, 0, units.data(), length, nullptr, 0, fallback, nullptr);
    if (needed <= 0)
        return false;
    out.assign(static_cast<std::size_t>(needed), '\0');
    return WideCharToMultiByte(codePage, 0, units.data(), length, out.data(), needed, fallback, nullptr) == needed;
}

} // namespace os
