// A text with a small square box beside it (right of the text by default, left of it after
// setTextFirst(false)); a checked box shows both diagonals. The check box takes the size of
// its text and box; a left press inside flips it and tells the parent once.
#pragma once

#include "engine/Color.h"
#include "engine/EventHandler.h"
#include "engine/Surface.h"
#include "engine/gui/Control.h"

#include <string>

namespace Engine::Gui {

class CheckBox : public Control, public Engine::MouseListner {
public:
    static constexpr int Kind = 5;

    CheckBox(Control* parent, const std::string& name, const std::string& text, const std::string& fontName);
    ~CheckBox() override;

    // The size follows the text: the getters render first when something changed.
    int getWidth() const override;
    int getHeight() const override;
    void draw() override;

    bool onMouseMotion(const SDL_Event& event, bool handled) override;
    bool onMouseButton(const SDL_Event& event, bool handled) override;

    void setText(const std::string& value);
    void setFontName(const std::string& value);
    void setFontSize(int value);
    void setForegroundColor(const Color& value);
    void setBackgroundColor(const Color& value);
    void setChecked(bool value);
    void setTextFirst(bool value);
    const std::string& getText() const { return text; }
    const std::string& getFontName() const { return fontName; }
    int getFontSize() const { return fontSize; }
    const Color& getForegroundColor() const { return foregroundColor; }
    const Color& getBackgroundColor() const { return backgroundColor; }
    bool isChecked() const { return checked; }
    bool isTextFirst() const { return !boxFirst; }

private:
    void render();

    Engine::Surface canvas;
    std::string text;
    std::string fontName;
    int fontSize = 12;
    bool dirty = true;
    bool checked = false;
    bool boxFirst = false;
    Color foregroundColor = Black;
    Color backgroundColor = White;
};

} // namespace Engine::Gui
