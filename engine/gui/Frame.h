// A control that builds and owns the widgets of one panel and gives them the panel's font.
// A panel derives from Frame, makes its widgets with the add... operations (positions
// relative to the frame), and hears each widget's click or change in onEvent(sender): it
// switches on sender->getKind() (Button::Kind, ...), casts with dynamic_cast and compares
// sender->getName().
//
// onEvent runs inside the widget's input handler. It may hide, move or delete any widget,
// the sender included, or the whole frame: the widget returns at once afterwards.
#pragma once

#include "engine/gui/Control.h"

#include <string>

namespace Engine {
class Surface;
}

namespace Engine::Gui {

class Button;
class CheckBox;
class ComboBox;
class ImageButton;
class Label;
class TextBox;

class Frame : public Control {
public:
    static constexpr int Kind = 0;

    Frame(const std::string& name, const std::string& fontName);
    // A frame inside another (a page of a panel): kept by the parent, placed relative to it,
    // shown and hidden with one call, its widgets' events heard by this frame.
    Frame(Frame* parent, const std::string& name);
    ~Frame() override;

    void onEvent(Control* sender) override;
    void draw() override;

    const std::string& getFontName() const { return fontName; }

    // Each makes the widget with this frame's font, gives it the frame's visibility (a
    // combo box stays visible), places it at (x, y) in the frame and keeps it.
    Button* addButton(const std::string& name, const std::string& text, int x, int y);
    ImageButton* addImageButton(const std::string& name, const Engine::Surface& normal, const Engine::Surface& pressed, int x, int y);
    Label* addLabel(const std::string& name, const std::string& text, int x, int y);
    // A multi-line box; setMultiLine(false) makes it one line.
    TextBox* addTextBox(const std::string& name, const std::string& text, int x, int y);
    CheckBox* addCheckBox(const std::string& name, const std::string& text, bool checked, int x, int y);
    ComboBox* addComboBox(const std::string& name, int x, int y);

private:
    template <typename T>
    T* adopt(T* widget, int x, int y, bool takeVisibility = true);

    std::string fontName;
};

} // namespace Engine::Gui
