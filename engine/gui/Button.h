// A push button with centred text and a bevel: raised (white top and left, black bottom
// and right) or, while held down, sunken.
//
// A click tells the parent twice: at the press with isPressed() true and at the release
// with isPressed() false. Moving off a held button, or a click that another widget took,
// lets it go without telling anyone.
#pragma once

#include "engine/Color.h"
#include "engine/EventHandler.h"
#include "engine/Surface.h"
#include "engine/gui/Control.h"
#include "engine/gui/PressState.h"

#include <string>

namespace Engine::Gui {

class Button : public Control, public Engine::MouseListner {
public:
    static constexpr int Kind = 1;

    Button(Control* parent, const std::string& name, const std::string& text, const std::string& fontName);
    ~Button() override;

    void setWidth(int value) override;
    void setHeight(int value) override;
    void draw() override;

    bool onMouseMotion(const SDL_Event& event, bool handled) override;
    bool onMouseButton(const SDL_Event& event, bool handled) override;

    void setText(const std::string& value);
    void setFontName(const std::string& value);
    void setFontSize(int value);
    void setTextColor(const Color& value);
    void setBackgroundColor(const Color& value);
    const std::string& getText() const { return text; }
    const std::string& getFontName() const { return fontName; }
    int getFontSize() const { return fontSize; }
    const Color& getTextColor() const { return textColor; }
    const Color& getBackgroundColor() const { return backgroundColor; }
    bool isPressed() const { return press.isPressed(); }

private:
    void drawBevel();

    Engine::Surface canvas;
    std::string text;
    std::string fontName;
    int fontSize = 12;
    Color textColor = Black;
    Color backgroundColor = Gray;
    bool dirty = true;
    bool borderDirty = false;
    PressState press;
};

} // namespace Engine::Gui
