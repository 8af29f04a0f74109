#include "engine/gui/Label.h"

#include "engine/TextSurface.h"
#include "engine/gui/Canvas.h"

namespace Engine::Gui {

Label::Label(Control* parent, const std::string& name, const std::string& text, const std::string& fontName)
    : Control(parent, name, Kind), text(text), fontName(fontName)
{
    setBounds(0, 0, 100, 25);
    render();
}

Label::~Label() = default;

int Label::getWidth() const
{
    if (dirty && autoSize)
        const_cast<Label*>(this)->render();
    return width;
}

void Label::setWidth(int value)
{
    if (change(width, value))
        dirty = true;
}

int Label::getHeight() const
{
    if (dirty && autoSize)
        const_cast<Label*>(this)->render();
    return height;
}

void Label::setHeight(int value)
{
    if (change(height, value))
        dirty = true;
}

void Label::render()
{
    Engine::Surface rendered = renderText(text, fontName, fontSize, textColor);
    if (autoSize) {
        // An empty text keeps the height of a line, so rows of labels keep their spacing.
        width = rendered.getWidth();
        height = text.empty() ? Engine::TextSurface::lineSkip(fontName, fontSize) : rendered.getHeight();
    }
    canvas = makeCanvas(width, height, backgroundColor);
    canvas.blit(0, 0, rendered);
    dirty = false;
}

void Label::draw()
{
    if (!visible)
        return;
    if (dirty)
        render();
    screen().blit(getX(), getY(), canvas);
}

void Label::setText(const std::string& value)
{
    if (change(text, value))
        dirty = true;
}

void Label::setFontName(const std::string& value)
{
    if (change(fontName, value))
        dirty = true;
}

void Label::setFontSize(int value)
{
    if (change(fontSize, value))
        dirty = true;
}

void Label::setTextColor(const Color& value)
{
    if (change(textColor, value))
        dirty = true;
}

void Label::setBackgroundColor(const Color& value)
{
    if (change(backgroundColor, value))
        dirty = true;
}

void Label::setAutoSize(bool value)
{
    autoSize = value;
    dirty = true;
}

} // namespace Engine::Gui
