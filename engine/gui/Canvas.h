// Small drawing helpers that the widgets share.
#pragma once

#include "engine/Color.h"
#include "engine/Surface.h"

#include <string>

namespace Engine::Gui {

// A new opaque surface of the given size, in the screen's format, filled with a colour; an
// empty surface (which draws nothing) when either side is not positive.
Engine::Surface makeCanvas(int width, int height, const Color& fill);

// One line of text rendered blended; an empty surface for an empty text, which the font
// cannot render.
Engine::Surface renderText(const std::string& text, const std::string& fontName, int size, const Color& color);

} // namespace Engine::Gui
