// Portable UTF-8 / UTF-16 transcoding used by the backends that have no system converter.
#pragma once

#include <cstddef>
#include <string>

namespace os::utf {

// Stops at the first NUL. Malformed input (bad lead bytes, cut sequences, overlong forms,
// surrogates, values above U+10FFFF) becomes U+FFFD per maximal bad subsequence.
std::u16string utf8ToUtf16(const std::string& text);
// Stops at the first NUL; an unpaired surrogate becomes U+FFFD.
std::string utf16ToUtf8(const std::u16string& text);
// Raw UTF-16 bytes to code units, up to the first NUL unit: little-endian after FF FE,
// big-endian after FE FF; without a mark, the order in which the zero bytes of ASCII-range
// characters stand decides.
std::u16string utf16BytesToUnits(const unsigned char* bytes, std::size_t count);

} // namespace os::utf
