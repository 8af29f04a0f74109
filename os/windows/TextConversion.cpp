// UTF-8 <-> UTF-16 on Windows: MultiByteToWideChar and WideCharToMultiByte with code page
// 65001 (CP_UTF8). Without MB_ERR_INVALID_CHARS the system puts U+FFFD for bad input.
#include "os/TextConversion.h"

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

} // namespace os
