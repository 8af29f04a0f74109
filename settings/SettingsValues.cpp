#include "settings/SettingsValues.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace SettingsValues {

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::uint8_t pair(char high, char low)
{
    const int h = hexDigit(high);
    if (h < 0)
        return 0;
    const int l = hexDigit(low);
    return static_cast<std::uint8_t>(l < 0 ? h : h * 16 + l);
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

} // namespace

Range rangeOf(Number number, int screenWidth)
{
    Range range = ranges[static_cast<int>(number)];
    if (number == Number::Width && screenWidth > 0)
        range.highest = std::clamp(screenWidth - settingsPanelWidth, range.lowest, range.highest);
    return range;
}

int clampNumber(Number number, int value, int screenWidth)
{
    const Range range = rangeOf(number, screenWidth);
    return std::clamp(value, range.lowest, range.highest);
}

std::string colorToText(const Color& color)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (std::uint8_t part : {color.r(), color.g(), color.b()}) {
        text.push_back(digits[part >> 4]);
        text.push_back(digits[part & 15]);
    }
    return text;
}

Color colorFromText(const std::string& text)
{
    if (text.size() < 6)
        return Color(0, 0, 0, 255);
    return Color(pair(text[0], text[1]), pair(text[2], text[3]), pair(text[4], text[5]), 255);
}

bool readInteger(const std::string& text, int& value)
{
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size() || text[i] < '0' || text[i] > '9')
        return false;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (magnitude <= std::int64_t(INT_MAX) + 1)
            magnitude = magnitude * 10 + (text[i] - '0');
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    value = signedValue > INT_MAX ? INT_MAX : signedValue < INT_MIN ? INT_MIN : static_cast<int>(signedValue);
    return true;
}

bool readFlag(const std::string& text, bool& value)
{
    int number = 0;
    if (!readInteger(text, number) || (number != 0 && number != 1))
        return false;
    value = number == 1;
    return true;
}

std::string cutText(const std::string& text, std::size_t length)
{
    if (text.size() <= length)
        return text;
    std::size_t end = length;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end; // text[end] continues the character that starts before it
    return text.substr(0, end);
}

std::vector<std::string> namesFromText(const std::string& text)
{
    std::vector<std::string> names;
    std::string::size_type start = 0;
    while (start <= text.size()) {
        std::string::size_type end = text.find(',', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string::size_type first = text.find_first_not_of(" \t", start);
        if (first != std::string::npos && first < end) {
            const std::string::size_type last = text.find_last_not_of(" \t", end - 1);
            names.push_back(text.substr(first, last - first + 1));
        }
        start = end + 1;
    }
    return names;
}

std::string namesToText(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

} // namespace SettingsValues
