// Text conversion facility of the OS seam: UTF-8 <-> UTF-16.
// A wide string holds UTF-16 code units on every platform (one per wchar_t), so the
// program sees the same lengths as the Windows wide functions do.
#pragma once

#include <string>

namespace os {

// Converts up to the first NUL; invalid sequences become U+FFFD, never an over-read.
std::wstring utf8ToUtf16(const std::string& text);
// Converts up to the first NUL; an unpaired surrogate becomes U+FFFD.
std::string utf16ToUtf8(const std::wstring& text);

} // namespace os
