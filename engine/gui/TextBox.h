// An editable text field, one line or several, with an optional length limit and an
// optional set of allowed characters. A left click inside gives it the keyboard; any other
// left click takes it away. While it has the keyboard it takes every key event, shows a
// blinking caret, and tells the parent after each change of its text.
//
// Keys: Return or keypad Enter break the line (several lines only), Backspace and Delete
// remove a character or join two lines, the arrows, Home, End, Page Up and Page Down move
// the caret; every other key types its character when it has one below 128. A key with no
// character (Shift, F1, ...) types nothing. The caret steps over whole UTF-8 characters of a
// text given by setText.
#pragma once

#include "engine/Color.h"
#include "engine/EventHandler.h"
#include "engine/Surface.h"
#include "engine/gui/Control.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Engine::Gui {

class TextBox : public Control, public Engine::KeyboardListner, public Engine::MouseListner {
public:
    static constexpr int Kind = 4;
    static constexpr std::uint32_t noLimit = 0xFFFFFFFF;

    TextBox(Control* parent, const std::string& name, const std::string& text, const std::string& fontName, bool multiLine);
    ~TextBox() override;

    void setWidth(int value) override;
    void setHeight(int value) override;
    void draw() override;

    bool onKeyboard(const SDL_Event& event, bool handled) override;
    bool onMouseMotion(const SDL_Event& event, bool handled) override;
    bool onMouseButton(const SDL_Event& event, bool handled) override;

    // Replaces the whole text: LF breaks lines, CR and backspace bytes are dropped, a NUL
    // ends it. Neither the filter nor the limit applies, and the parent is not told.
    void setText(const std::string& text);
    // The lines joined by LF CR.
    std::string getText() const;

    void setFontName(const std::string& value);
    void setFontSize(int value);
    void setTextColor(const Color& value);
    void setBackgroundColor(const Color& value);
    // Going to one line joins all lines without a separator.
    void setMultiLine(bool value);
    void setMaxLength(std::uint32_t value) { maxLength = value; }
    // An empty set allows every character.
    void setAllowedChars(const std::string& value) { allowedChars = value; }

    const std::string& getFontName() const { return fontName; }
    int getFontSize() const { return fontSize; }
    const Color& getTextColor() const { return textColor; }
    const Color& getBackgroundColor() const { return backgroundColor; }
    bool isMultiLine() const { return multiLine; }
    std::uint32_t getMaxLength() const { return maxLength; }
    const std::string& getAllowedChars() const { return allowedChars; }
    bool isFocused() const { return focused; }
    int getCaretLine() const { return caretLine; }
    int getCaretColumn() const { return caretColumn; }

private:
    bool onKeyDown(const SDL_keysym& key);
    bool insert(char c);
    bool newLine();
    bool joinWithPrevious();
    bool deleteBackwards();
    bool deleteForwards();
    void clampCaret();
    void render();
    void drawCaret();
    int caretOffset();

    Engine::Surface canvas;
    std::string fontName;
    int fontSize = 12;
    bool dirty = true;
    bool focused = false;
    bool mouseHeld = false;
    bool multiLine;
    Color textColor = Black;
    Color backgroundColor = White;
    int caretColumn = 0;
    int caretLine = 0;
    std::uint32_t maxLength = noLimit;
    std::uint32_t totalLength = 0;
    bool caretVisible = true;
    std::uint32_t lastBlinkTicks = 0;
    std::vector<Engine::Surface> lineSurfaces;
    std::vector<std::string> lines;
    std::string allowedChars;

    // The caret's x inside the box, measured once per caret place and text.
    int caretX = 0;
    int caretXLine = -1;
    int caretXColumn = -1;
};

} // namespace Engine::Gui
