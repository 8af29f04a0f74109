// Starting the program at log-in: the value "HolmikZiviza" in the current user's Run key,
// whose text is the launcher HolmikZiviza.lnk in the data folder (the working directory).
// On Linux the Run key is the autostart folder, so the entry is
// ~/.config/autostart/HolmikZiviza.desktop, which starts that launcher.
#pragma once

#include <string>

namespace AutoStart {

inline constexpr const wchar_t* runKeyPath = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run\\";
inline constexpr const wchar_t* valueName = L"HolmikZiviza";
inline constexpr const char* launcherName = "HolmikZiviza.lnk";

// True when the entry can be read.
bool isEnabled();
// Writes (on) or deletes (off) the entry at once and tells the user, in a box captioned
// "ERROR", when that fails. Never creates the Run key.
void enable(bool on);
// The entry's text: the working directory's path and the launcher's name.
std::string launcherPath();

} // namespace AutoStart
