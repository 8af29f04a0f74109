#include "engine/gui/CheckBox.h"

#include "engine/TextSurface.h"
#include "engine/gui/Canvas.h"

#include <algorithm>

namespace Engine::Gui {

CheckBox::CheckBox(Control* parent, const std::string& name, const std::string& text, const std::string& fontName)
    : Control(parent, name, Kind), text(text), fontName(fontName)
{
    setBounds(0, 0, 100, 25);
    render();
}

CheckBox::~CheckBox() = default;

int CheckBox::getWidth() const
{
    if (dirty)
        const_cast<CheckBox*>(this)->render();
    return width;
}

int CheckBox::getHeight() const
{
    if (dirty)
        const_cast<CheckBox*>(this)->render();
    return height;
}

void CheckBox::render()
{
    Engine::Surface label = renderText(text, fontName, fontSize, foregroundColor);
    const int textWidth = label.getWidth();
    const int textHeight = text.empty() ? Engine::TextSurface::lineSkip(fontName, fontSize) : label.getHeight();
    const int b = std::max(textHeight, 10) - 2;
    width = textWidth + b + 2;
    height = b;
    // The picture holds the caption whole, descenders included; they reach into the gap
    // below the box's height, where the next row does not start.
    canvas = makeCanvas(width, std::max(b, textHeight), backgroundColor);

    // The box spans 1..s on both axes, after the text or before it.
    const int s = b - 2;
    const int left = boxFirst ? 0 : textWidth;
    canvas.blit(boxFirst ? b + 1 : 0, 0, label);
    canvas.drawLine(left + 1, 1, left + s, 1, foregroundColor);
    canvas.drawLine(left + s, 1, left + s, s, foregroundColor);
    canvas.drawLine(left + s, s, left + 1, s, foregroundColor);
    canvas.drawLine(left + 1, s, left + 1, 1, foregroundColor);
    if (checked) {
        canvas.drawLine(left + 1, 1, left + s, s, foregroundColor);
        canvas.drawLine(left + 1, s, left + s, 1, foregroundColor);
    }
    dirty = false;
}

void CheckBox::draw()
{
    if (!visible)
        return;
    if (dirty)
        render();
    screen().blit(getX(), getY(), canvas);
}

bool CheckBox::onMouseMotion(const SDL_Event&, bool)
{
    return false;
}

bool CheckBox::onMouseButton(const SDL_Event& event, bool handled)
{
    if (!visible || handled || event.type != SDL_MOUSEBUTTONDOWN || event.button.button != SDL_BUTTON_LEFT
        || !contains(event.button.x, event.button.y))
        return false;
    checked = !checked;
    dirty = true;
    notifyParent(); // may delete this check box
    return true;
}

void CheckBox::setText(const std::string& value)
{
    if (change(text, value))
        dirty = true;
}

void CheckBox::setFontName(const std::string& value)
{
    if (change(fontName, value))
        dirty = true;
}

void CheckBox::setFontSize(int value)
{
    if (change(fontSize, value))
        dirty = true;
}

void CheckBox::setForegroundColor(const Color& value)
{
    if (change(foregroundColor, value))
        dirty = true;
}

void CheckBox::setBackgroundColor(const Color& value)
{
    if (change(backgroundColor, value))
        dirty = true;
}

void CheckBox::setChecked(bool value)
{
    if (change(checked, value))
        dirty = true;
}

void CheckBox::setTextFirst(bool value)
{
    if (change(boxFirst, !value))
        dirty = true;
}

} // namespace Engine::Gui
