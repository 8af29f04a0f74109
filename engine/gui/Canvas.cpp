#include "engine/gui/Canvas.h"

#include "engine/TextSurface.h"

namespace Engine::Gui {

Engine::Surface makeCanvas(int width, int height, const Color& fill)
{
    if (width <= 0 || height <= 0)
        return Engine::Surface();
    Engine::Surface canvas(width, height);
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
