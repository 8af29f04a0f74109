// UTF-8 (the program's strings) to UTF-16 (the system's wide strings) and back.
#pragma once

#include <string>

std::wstring toWide(const std::string& text);
std::string toNarrow(const std::wstring& text);
