// A rectangle with virtual accessors; every control is one. Both edges count as inside.
#pragma once

namespace Engine {

class Box {
public:
    Box() = default;
    virtual ~Box() = default;

    virtual int getX() const { return x; }
    virtual void setX(int value) { x = value; }
    virtual int getY() const { return y; }
    virtual void setY(int value) { y = value; }
    virtual int getWidth() const { return width; }
    virtual void setWidth(int value) { width = value; }
    virtual int getHeight() const { return height; }
    virtual void setHeight(int value) { height = value; }

    // getX() <= px <= getX() + getWidth(), the same in y, through the virtual getters.
    virtual bool contains(int px, int py) const;
    // Touching edges intersect.
    virtual bool intersects(const Box& other) const;

protected:
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

} // namespace Engine
