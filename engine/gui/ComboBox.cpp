#include "engine/gui/ComboBox.h"

#include "engine/TextSurface.h"
#include "engine/gui/Canvas.h"

#include <algorithm>

namespace Engine::Gui {
namespace {

// The button at the right end of the top row and the scroll column below it.
constexpr int buttonWidth = 15;
// Where an arrow's right end stands, from the right edge, and its top from the row's bottom.
constexpr int arrowInset = 6;
constexpr int arrowRise = 7;

} // namespace

ComboBox::ComboBox(Control* parent, const std::string& name, const std::string& fontName)
    : Control(parent, name, Kind), fontName(fontName)
{
    setBounds(0, 0, 100, Engine::TextSurface::lineSkip(fontName, 12));
}

ComboBox::~ComboBox() = default;

int ComboBox::lineHeight() const
{
    return Engine::TextSurface::lineSkip(fontName, fontSize);
}

int ComboBox::rowCount() const
{
    return std::min(static_cast<int>(items.size()), visibleRows);
}

int ComboBox::pictureHeight() const
{
    return lineHeight() + 2 + (open ? lineHeight() * rowCount() : 0);
}

Engine::Surface ComboBox::itemPicture(const std::string& text) const
{
    Engine::Surface picture = makeCanvas(getWidth(), lineHeight(), backgroundColor);
    picture.blit(0, 0, renderText(text, fontName, fontSize, textColor));
    return picture;
}

void ComboBox::addItem(const std::string& text)
{
    items.push_back(text);
    // While the style is dirty the next draw renders every entry anyway.
    itemSurfaces.push_back(styleDirty ? Engine::Surface() : itemPicture(text));
}

void ComboBox::clear()
{
    items.clear();
    itemSurfaces.clear();
    selectedIndex = -1;
    scrollOffset = 0;
    redraw = true;
}

void ComboBox::setSelectedIndex(int index)
{
    if (index == selectedIndex)
        return;
    selectedIndex = std::clamp(index, -1, static_cast<int>(items.size()) - 1);
    redraw = true;
}

void ComboBox::setFontName(const std::string& value)
{
    if (change(fontName, value))
        styleDirty = true;
}

void ComboBox::setFontSize(int value)
{
    if (change(fontSize, value))
        styleDirty = true;
}

void ComboBox::setTextColor(const Color& value)
{
    if (change(textColor, value))
        styleDirty = true;
}

void ComboBox::setBackgroundColor(const Color& value)
{
    if (change(backgroundColor, value))
        styleDirty = true;
}

void ComboBox::drawArrow(int x, int y, bool down)
{
    for (int row = 0; row < 3; ++row) {
        const int inset = down ? row : 2 - row;
        canvas.drawLine(x - 5 + inset, y + row, x - inset, y + row, backgroundColor);
    }
}

void ComboBox::draw()
{
    if (!visible)
        return;
    if (styleDirty) {
        for (std::size_t i = 0; i < items.size(); ++i)
            itemSurfaces[i] = itemPicture(items[i]);
        styleDirty = false;
    }
    if (redraw) {
        const int lineH = lineHeight();
        const int count = static_cast<int>(items.size());
        const int n = open ? rowCount() : 0;
        canvas = makeCanvas(getWidth(), pictureHeight(), backgroundColor);
        const int w = canvas.getWidth();
        const int h = canvas.getHeight();
        if (selectedIndex >= 0 && selectedIndex < count)
            canvas.blit(0, 0, itemSurfaces[selectedIndex]);
        if (open) {
            for (int row = 0; row < n && scrollOffset + row < count; ++row)
                canvas.blit(0, lineH * (row + 1), itemSurfaces[scrollOffset + row]);
            canvas.drawRect(0, 0, w - 1, lineH, textColor, false);
            canvas.drawRect(0, 0, w - 1, h - 1, textColor, false);
            canvas.drawRect(w - buttonWidth, lineH, buttonWidth, lineH * n, textColor, true);
            if (scrollOffset > 0)
                drawArrow(w - arrowInset, 2 * lineH - arrowRise, false);
            if (scrollOffset + n < count)
                drawArrow(w - arrowInset, h - arrowRise, true);
        } else {
            canvas.drawRect(0, 0, w - 1, h - 1, textColor, false);
            canvas.drawRect(w - buttonWidth, 0, buttonWidth, lineH, textColor, true);
            drawArrow(w - arrowInset, lineH - arrowRise, true);
        }
        setHeight(h);
        redraw = false;
    }
    screen().blit(getX(), getY(), canvas);
}

void ComboBox::setOpen(bool value)
{
    if (open == value)
        return;
    open = value;
    redraw = true;
    // Hit tests see the new height at once, not only after the next draw.
    setHeight(pictureHeight());
}

bool ComboBox::onMouseMotion(const SDL_Event&, bool)
{
    return false;
}

bool ComboBox::onMouseButton(const SDL_Event& event, bool)
{
    if (!visible)
        return false;
    const int mouseX = event.button.x;
    const int mouseY = event.button.y;
    const bool inside = contains(mouseX, mouseY);
    if (event.type == SDL_MOUSEBUTTONDOWN) {
        // The press is taken so that it cannot drag the window; a press elsewhere closes.
        if (!inside)
            setOpen(false);
        return inside;
    }
    if (event.button.button != SDL_BUTTON_LEFT)
        return false;
    if (!inside) {
        setOpen(false);
        return false;
    }

    const int lineH = lineHeight();
    int row = 0;
    for (int y = getY() + lineH; y < getY() + getHeight() - 2 && mouseY >= y; y += lineH)
        ++row;
    const bool inScrollColumn = mouseX > getX() + getWidth() - buttonWidth;
    const int n = rowCount();
    const int count = static_cast<int>(items.size());

    if (row == 0) {
        if (open)
            setOpen(false);
        else if (inScrollColumn)
            setOpen(true);
        return true;
    }
    if (row == 1 && inScrollColumn) {
        if (scrollOffset > 0) {
            --scrollOffset;
            redraw = true;
        }
        return true;
    }
    if (row == n && n > 1 && inScrollColumn) {
        if (scrollOffset + n < count) {
            ++scrollOffset;
            redraw = true;
        }
        return true;
    }
    return select(scrollOffset + row - 1);
}

bool ComboBox::select(int index)
{
    if (index < 0 || index >= static_cast<int>(items.size()))
        return true;
    selectedIndex = index;
    scrollOffset = 0;
    setOpen(false);
    redraw = true;
    notifyParent(); // may delete this box
    return true;
}

} // namespace Engine::Gui
