#include "engine/StringConversion.h"

#include "os/TextConversion.h"

std::wstring toWide(const std::string& text) { return os::utf8ToUtf16(text); }

std::string toNarrow(const std::wstring& text) { return os::utf16ToUtf8(text); }
