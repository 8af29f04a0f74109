// The base of every widget: a box with a name, a kind code, a visibility flag, a parent
// that hears its clicks and changes, and the child controls it owns.
//
// Positions are stored relative to the parent; getX()/getY() walk the parent chain, so
// moving a frame moves everything in it. A control deletes its children when it goes, and a
// child that goes removes itself from its parent's list.
#pragma once

#include "engine/gui/Box.h"

#include <string>
#include <vector>

namespace Engine {
class Surface;
}

namespace Engine::Gui {

class Control : public Engine::Box {
public:
    Control(Control* parent, const std::string& name, int kind);
    ~Control() override;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Absolute coordinates: the parent's plus the relative ones.
    int getX() const override;
    void setX(int value) override;
    int getY() const override;
    void setY(int value) override;
    int getWidth() const override;
    void setWidth(int value) override;
    int getHeight() const override;
    void setHeight(int value) override;

    // Hides or shows this control and its whole subtree.
    virtual void setVisible(bool value);
    // What a frame overrides to hear its widgets; sender is the widget that changed.
    virtual void onEvent(Control* sender);
    // Draws the children, in creation order, when visible.
    virtual void draw();

    // Stores x and y as they are and goes through the virtual size setters.
    void setBounds(int x, int y, int width, int height);

    const std::string& getName() const { return name; }
    int getKind() const { return kind; }
    bool isVisible() const { return visible; }
    Control* getParent() const { return parent; }
    const std::vector<Control*>& getChildren() const { return children; }
    int getRelativeX() const { return x; }
    int getRelativeY() const { return y; }

    // Tells the parent (parent->onEvent(this)). The parent may delete this control in
    // there, so a widget calls it last and touches none of its members afterwards.
    void notifyParent();
    void addChild(Control* child);
    void removeChild(Control* child);

protected:
    // The host window's screen surface, onto which every widget draws.
    static Engine::Surface& screen();

    // Stores value in field when it differs; tells whether it did.
    template <typename T>
    static bool change(T& field, const T& value)
    {
        if (field == value)
            return false;
        field = value;
        return true;
    }

    std::string name;
    int kind;
    bool visible = true;
    Control* parent;
    std::vector<Control*> children;
};

} // namespace Engine::Gui
