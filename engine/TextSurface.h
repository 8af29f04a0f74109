// One line of UTF-8 text rendered blended (anti-aliased, per-pixel alpha on a transparent
// background) in the display's format.
#pragma once

#include "engine/Surface.h"

#include <string>

namespace Engine {

class TextSurface : public Surface {
public:
    // Text that cannot be rendered (an empty text, for one) ends the program with an
    // error box. The colour's alpha is not used.
    TextSurface(const std::string& text, const std::string& fontName, int size, const Color& color);
    ~TextSurface() override = default;

    // The height of one line of text in that font.
    static int lineSkip(const std::string& fontName, int size);
    // The width in pixels of the text's bytes measured as Latin-1.
    static int textWidth(const std::string& text, const std::string& fontName, int size);
};

} // namespace Engine
