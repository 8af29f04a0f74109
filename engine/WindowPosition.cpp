#include "engine/WindowPosition.h"

namespace Engine {

namespace {
WindowPositionReader& reader()
{
    static WindowPositionReader theReader;
    return theReader;
}
} // namespace

void setWindowPositionReader(WindowPositionReader newReader) { reader() = std::move(newReader); }

bool readWindowPosition(int& x, int& y)
{
    if (!reader())
        return false;
    int readX = x;
    int readY = y;
    if (!reader()(readX, readY))
        return false;
    x = readX;
    y = readY;
    return true;
}

} // namespace Engine
