// One line of text that has to fit a width (a column of the panel, a name in the player
// list): drawn at its size when it fits, else at the largest smaller size that fits, down to
// a smallest size, and what still does not fit is cut at the end with "…".
#pragma once

#include "engine/Color.h"
#include "engine/Surface.h"

#include <string>

namespace FittedText {

// The longest start of text (whole characters) that, with "…" after it, is no wider than
// width; the whole text when it fits as it is, empty when not even "…" fits.
std::string cut(const std::string& text, int width, const std::string& font, int size);

// The text drawn no wider than width, at a size between smallest and size.
Engine::Surface row(const std::string& text, int width, const std::string& font, int size, int smallest,
                    const Color& color);

} // namespace FittedText
