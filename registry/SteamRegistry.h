// Where Steam records its install folder: the string value SteamPath under the current
// user's Software\Valve\Steam key.
#pragma once

#include <string>

namespace Registry {

inline constexpr const wchar_t* steamKeyPath = L"Software\\Valve\\Steam\\";
inline constexpr const wchar_t* steamPathValue = L"SteamPath";

// SteamPath as Steam wrote it (UTF-8, its own separators); "" and ok = false when the key
// does not open or the value cannot be read.
std::string readSteamPath(bool& ok);

} // namespace Registry
