#include "panel/FittedText.h"

#include "engine/TextSurface.h"

#include <algorithm>

namespace FittedText {

namespace {

const std::string ellipsis = "\xE2\x80\xA6"; // …

bool continuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

} // namespace

std::string cut(const std::string& text, int width, const std::string& font, int size)
{
    using Engine::TextSurface;
    if (TextSurface::utf8Width(text, font, size) <= width)
        return text;
    if (TextSurface::utf8Width(ellipsis, font, size) > width)
        return std::string();
    // The widths of the starts grow with their length: the longest one that fits is found
    // by halving, never inside a character.
    std::size_t good = 0, bad = text.size();
    while (bad - good > 1) {
        std::size_t middle = good + (bad - good) / 2;
        while (middle > good && continuationByte(text[middle]))
            --middle;
        if (middle == good) {
            middle = good + (bad - good) / 2;
            while (middle < bad && continuationByte(text[middle]))
                ++middle;
            if (middle == bad)
                break;
        }
        if (TextSurface::utf8Width(text.substr(0, middle) + ellipsis, font, size) <= width)
            good = middle;
        else
            bad = middle;
    }
    std::string start = text.substr(0, good);
    while (!start.empty() && start.back() == ' ')
        start.pop_back();
    return start + ellipsis;
}

Engine::Surface row(const std::string& text, int width, const std::string& font, int size, int smallest,
                    const Color& color)
{
    using Engine::TextSurface;
    smallest = std::min(smallest, size);
    for (int at = size; at >= smallest && at > 0; --at)
        if (TextSurface::utf8Width(text, font, at) <= width)
            return TextSurface(text, font, at, color);
    const std::string shown = cut(text, width, font, smallest);
    if (shown.empty())
        return Engine::Surface();
    return TextSurface(shown, font, smallest, color);
}

} // namespace FittedText
