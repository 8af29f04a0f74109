#include "engine/gui/Canvas.h"

#include "engine/TextSurface.h"

namespace Engine::Gui {

Engine::Surface makeCanvas(int width, int height, const Color& fill)
{
    if (width <= 0 || height <= 0)
        return Engine::Surface();
    // In the screen's own format the canvas is opaque: each frame's blit is a plain copy,
    // with neither per-pixel blending nor conversion (and no rounding of the colours).
    Engine::Surface canvas = Engine::Surface::displayFormat(Engine::Surface(width, height));
    if (canvas.isEmpty())
        canvas = Engine::Surface(width, height);
    canvas.fill(fill);
    return canvas;
}

Engine::Surface renderText(const std::string& text, const std::string& fontName, int size, const Color& color)
{
    if (text.empty())
        return Engine::Surface();
    return Engine::TextSurface(text, fontName, size, color);
}

} // namespace Engine::Gui
