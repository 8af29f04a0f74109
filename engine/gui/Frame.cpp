#include "engine/gui/Frame.h"

#include "engine/gui/Button.h"
#include "engine/gui/CheckBox.h"
#include "engine/gui/ComboBox.h"
#include "engine/gui/ImageButton.h"
#include "engine/gui/Label.h"
#include "engine/gui/TextBox.h"

namespace Engine::Gui {

Frame::Frame(const std::string& name, const std::string& fontName) : Control(nullptr, name, Kind), fontName(fontName)
{
}

Frame::Frame(Frame* parent, const std::string& name) : Control(parent, name, Kind), fontName(parent->getFontName())
{
    parent->adopt(this, 0, 0);
}

Frame::~Frame() = default;

void Frame::onEvent(Control*)
{
}

void Frame::draw()
{
    if (visible)
        Control::draw();
}

template <typename T>
T* Frame::adopt(T* widget, int x, int y, bool takeVisibility)
{
    if (takeVisibility)
        widget->setVisible(visible);
    widget->setX(x);
    widget->setY(y);
    addChild(widget);
    return widget;
}

Button* Frame::addButton(const std::string& name, const std::string& text, int x, int y)
{
    return adopt(new Button(this, name, text, fontName), x, y);
}

ImageButton* Frame::addImageButton(const std::string& name, const Engine::Surface& normal, const Engine::Surface& pressed, int x, int y)
{
    return adopt(new ImageButton(this, name, normal, pressed), x, y);
}

Label* Frame::addLabel(const std::string& name, const std::string& text, int x, int y)
{
    return adopt(new Label(this, name, text, fontName), x, y);
}

TextBox* Frame::addTextBox(const std::string& name, const std::string& text, int x, int y)
{
    return adopt(new TextBox(this, name, text, fontName, true), x, y);
}

CheckBox* Frame::addCheckBox(const std::string& name, const std::string& text, bool checked, int x, int y)
{
    CheckBox* box = adopt(new CheckBox(this, name, text, fontName), x, y);
    box->setChecked(checked);
    return box;
}

ComboBox* Frame::addComboBox(const std::string& name, int x, int y)
{
    return adopt(new ComboBox(this, name, fontName), x, y, false);
}

} // namespace Engine::Gui
