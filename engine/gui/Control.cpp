#include "engine/gui/Control.h"

#include "engine/Window.h"

#include <algorithm>

namespace Engine::Gui {

Control::Control(Control* parent, const std::string& name, int kind) : name(name), kind(kind), parent(parent)
{
    setBounds(0, 0, 0, 0);
}

Control::~Control()
{
    // Unlink each child before deleting it, so a child that never learnt its parent (or a
    // subclass that went astray) cannot keep this loop spinning.
    while (!children.empty()) {
        Control* child = children.front();
        children.erase(children.begin());
        delete child;
    }
    if (parent)
        parent->removeChild(this);
}

int Control::getX() const
{
    return parent ? parent->getX() + x : x;
}

void Control::setX(int value)
{
    x = value;
}

int Control::getY() const
{
    return parent ? parent->getY() + y : y;
}

void Control::setY(int value)
{
    y = value;
}

int Control::getWidth() const
{
    return width;
}

void Control::setWidth(int value)
{
    width = value;
}

int Control::getHeight() const
{
    return height;
}

void Control::setHeight(int value)
{
    height = value;
}

void Control::setVisible(bool value)
{
    visible = value;
    for (Control* child : children)
        child->setVisible(value);
}

void Control::onEvent(Control*)
{
}

void Control::draw()
{
    if (!visible)
        return;
    for (Control* child : children)
        child->draw();
}

void Control::setBounds(int newX, int newY, int newWidth, int newHeight)
{
    x = newX;
    y = newY;
    setWidth(newWidth);
    setHeight(newHeight);
}

void Control::notifyParent()
{
    if (parent)
        parent->onEvent(this);
}

void Control::addChild(Control* child)
{
    children.push_back(child);
}

void Control::removeChild(Control* child)
{
    auto it = std::find(children.begin(), children.end(), child);
    if (it != children.end())
        children.erase(it);
}

Engine::Surface& Control::screen()
{
    return Engine::Window::instance();
}

} // namespace Engine::Gui
