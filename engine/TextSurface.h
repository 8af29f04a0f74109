// One line of UTF-8 text rendered anti-aliased onto a transparent background.
#pragma once

#include "engine/Surface.h"

namespace Engine {

class TextSurface : public Surface {
public:
    TextSurface(const std::string& text, const std::string& fontName, int size, const Color& color);
    ~TextSurface() override = default;

    // The height of one text line of the font.
    static int lineSkip(const std::string& fontName, int size);
    // The width in pixels of text (its bytes measured as Latin-1).
    static int textWidth(const std::string& text, const std::string& fontName, int size);
    // The width in pixels of UTF-8 text, as the constructor draws it.
    static int utf8Width(const std::string& text, const std::string& fontName, int size);
};

} // namespace Engine
