#include "engine/gui/Box.h"

namespace Engine {

bool Box::contains(int px, int py) const
{
    return getX() <= px && px <= getX() + getWidth() && getY() <= py && py <= getY() + getHeight();
}

bool Box::intersects(const Box& other) const
{
    if (other.getX() + other.getWidth() < getX() || other.getX() > getX() + getWidth())
        return false;
    if (other.getY() + other.getHeight() < getY() || other.getY() > getY() + getHeight())
        return false;
    return true;
}

} // namespace Engine
