// One line of text on a background. With auto size (the default) the label takes the size
// of its text; without, it keeps its box and cuts the text at its edges. The text is
// rendered once per change, not per frame.
#pragma once

#include "engine/Color.h"
#include "engine/Surface.h"
#include "engine/gui/Control.h"

#include <string>

namespace Engine::Gui {

class Label : public Control {
public:
    static constexpr int Kind = 3;

    Label(Control* parent, const std::string& name, const std::string& text, const std::string& fontName);
    ~Label() override;

    // The size is known as soon as the label is made or changed: the getters render first
    // when they must.
    int getWidth() const override;
    void setWidth(int value) override;
    int getHeight() const override;
    void setHeight(int value) override;
    void draw() override;

    void setText(const std::string& value);
    void setFontName(const std::string& value);
    void setFontSize(int value);
    void setTextColor(const Color& value);
    void setBackgroundColor(const Color& value);
    void setAutoSize(bool value);
    const std::string& getText() const { return text; }
    const std::string& getFontName() const { return fontName; }
    int getFontSize() const { return fontSize; }
    const Color& getTextColor() const { return textColor; }
    const Color& getBackgroundColor() const { return backgroundColor; }
    bool isAutoSize() const { return autoSize; }

private:
    void render();

    bool autoSize = true;
    Engine::Surface canvas;
    std::string text;
    std::string fontName;
    int fontSize = 12;
    bool dirty = true;
    Color textColor = Black;
    Color backgroundColor = White;
};

} // namespace Engine::Gui
