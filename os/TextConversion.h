// Text conversion facility of the OS seam: UTF-8 <-> UTF-16.
// A wide string holds UTF-16 code units on every platform (one per wchar_t), so the
// program sees the same lengths as the Windows wide functions do.
#pragma once

#include <cstddef>
#include <string>

namespace os {

// Converts up to the first NUL; invalid sequences become U+FFFD, never an over-read.
std::wstring utf8ToUtf16(const std::string& text);
// Converts up to the first NUL; an unpaired surrogate becomes U+FFFD.
std::string utf16ToUtf8(const std::wstring& text);

// IsTextUnicode: whether raw bytes look like UTF-16 text (a byte-order mark, or most of
// the odd or the even bytes zero).
bool looksLikeUtf16(const unsigned char* bytes, std::size_t count);
// Raw UTF-16 bytes (little-endian, or big-endian after FE FF) to UTF-8, or to the legacy
// single-byte code page when toUtf8 is false (characters it lacks become '?').
// False when the bytes are not convertible.
bool utf16BytesToNarrow(const unsigned char* bytes, std::size_t count, bool toUtf8, std::string& out);

} // namespace os
