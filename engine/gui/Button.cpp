#include "engine/gui/Button.h"

#include "engine/gui/Canvas.h"

namespace Engine::Gui {

Button::Button(Control* parent, const std::string& name, const std::string& text, const std::string& fontName)
    : Control(parent, name, Kind), text(text), fontName(fontName)
{
    setBounds(0, 0, 100, 25);
}

Button::~Button() = default;

void Button::setWidth(int value)
{
    if (change(width, value))
        dirty = true;
}

void Button::setHeight(int value)
{
    if (change(height, value))
        dirty = true;
}

void Button::draw()
{
    if (!visible)
        return;
    if (dirty) {
        canvas = makeCanvas(getWidth(), getHeight(), backgroundColor);
        Engine::Surface label = renderText(text, fontName, fontSize, textColor);
        canvas.blit(canvas.getWidth() / 2 - label.getWidth() / 2, canvas.getHeight() / 2 - label.getHeight() / 2, label);
        drawBevel();
        dirty = false;
    } else if (borderDirty) {
        drawBevel();
    }
    screen().blit(getX(), getY(), canvas);
}

void Button::drawBevel()
{
    const int w = getWidth() - 1;
    const int h = getHeight() - 1;
    const Color& topLeft = press.isPressed() ? Black : White;
    const Color& bottomRight = press.isPressed() ? White : Black;
    canvas.drawLine(0, 0, w, 0, topLeft);
    canvas.drawLine(0, 0, 0, h, topLeft);
    canvas.drawLine(0, h, w, h, bottomRight);
    canvas.drawLine(w, h, w, 0, bottomRight);
    borderDirty = false;
}

bool Button::onMouseMotion(const SDL_Event& event, bool handled)
{
    if (!visible)
        return false;
    if (press.onMotion(contains(event.motion.x, event.motion.y), handled) != PressState::Change::None)
        borderDirty = true;
    return false;
}

bool Button::onMouseButton(const SDL_Event& event, bool handled)
{
    if (!visible)
        return false;
    PressState::Change outcome = press.onButton(event, contains(event.button.x, event.button.y), handled);
    if (outcome == PressState::Change::None)
        return false;
    borderDirty = true;
    if (outcome == PressState::Change::Dropped)
        return false;
    notifyParent(); // may delete this button
    return true;
}

void Button::setText(const std::string& value)
{
    if (change(text, value))
        dirty = true;
}

void Button::setFontName(const std::string& value)
{
    if (change(fontName, value))
        dirty = true;
}

void Button::setFontSize(int value)
{
    if (change(fontSize, value))
        dirty = true;
}

void Button::setTextColor(const Color& value)
{
    if (change(textColor, value))
        dirty = true;
}

void Button::setBackgroundColor(const Color& value)
{
    if (change(backgroundColor, value))
        dirty = true;
}

} // namespace Engine::Gui
