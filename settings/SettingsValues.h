// How Settings.xml writes and reads its values, for the settings and the settings panel.
#pragma once

#include "engine/Color.h"

#include <string>
#include <vector>

namespace SettingsValues {

// The numbers that the settings panel's "Change" buttons set, and the range each is kept in,
// by the panel and by the loader alike.
enum class Number { Alpha, Width, FontSize, PlayerFontSize };
struct Range {
    int lowest;
    int highest;
};
inline constexpr Range ranges[] = {
    {15, 255},  // Alpha
    {100, 9999}, // Width
    {5, 16},    // FontSize
    {5, 16},    // PlayerFontSize
};
// The settings panel's width: the window is the main panel's Width plus this while it is open.
inline constexpr int settingsPanelWidth = 250;

// The number's range. Given the primary screen's width (> 0), Width goes no further than
// leaves room for the settings panel beside it on that screen (but never below its lowest).
Range rangeOf(Number number, int screenWidth = 0);
int clampNumber(Number number, int value, int screenWidth = 0);
// The custom name's text box takes this many bytes; a longer name cannot be drawn.
inline constexpr unsigned maxCustomNameLength = 255;

// The text cut to at most `length` bytes, never inside a UTF-8 character.
std::string cutText(const std::string& text, std::size_t length);

// "RRGGBB" in upper-case hexadecimal (the alpha is not written).
std::string colorToText(const Color& color);
// Fewer than 6 characters: black. Otherwise characters 1-2, 3-4 and 5-6 give r, g and b,
// each read as hexadecimal in either case; a pair whose first character is no hexadecimal
// digit reads as 0, one whose second is not reads as its first digit; further characters
// are ignored. Alpha is 255.
Color colorFromText(const std::string& text);

// A decimal integer after leading white space, with an optional sign, up to the first
// non-digit ("250px" is 250); beyond the 32-bit range it stops at the nearest bound.
// False (value untouched) when there are no digits at all.
bool readInteger(const std::string& text, int& value);
// An integer that is 0 or 1; false (value untouched) for anything else.
bool readFlag(const std::string& text, bool& value);

// The friends box: names separated by commas, the blanks around each dropped, empty ones
// left out; written back joined by ", ".
std::vector<std::string> namesFromText(const std::string& text);
std::string namesToText(const std::vector<std::string>& names);

} // namespace SettingsValues
