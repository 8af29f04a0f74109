// The host window: the SDL screen surface that everything is drawn onto, the window's size
// and place on the desktop, dragging it with the left button that no widget took, its
// whole-window opacity or colour key, and the two mouse pointers. It hears every mouse event
// after all other mouse listeners. Under SDL's dummy video driver there is no desktop
// window: the object then works on SDL's surface alone and remembers its position itself.
// Main thread only.
#pragma once

#include "engine/EventHandler.h"
#include "engine/Singleton.h"
#include "engine/Surface.h"

#include <SDL.h>

#include <cstdint>

namespace Engine {

class Window : public Singleton<Window>, public Surface, public MouseListner {
public:
    enum CursorKind { Arrow = 1, Hand = 2 };

    ~Window() override;

    // One frame: dispatch every pending event, then present the whole screen surface when
    // something was drawn on it since the last present.
    void update();
    // Whoever draws on the screen surface says so; the next update() presents it.
    void markDrawn() { drawn = true; }
    // A new screen surface of that size; ignored while the window is dragged.
    void setSize(int width, int height);
    // Places the top-left corner at a screen point, trying up to 10 times 100 ms apart.
    void setPosition(int x, int y);
    void moveBy(int dx, int dy);
    int getX() const;
    int getY() const;
    // The desktop's size (a nominal 1024x768 without a desktop window).
    int getScreenWidth() const;
    int getScreenHeight() const;
    // The primary screen's width: the desktop's when the screens are not known.
    int getPrimaryScreenWidth() const;

    // Arrow or Hand; other values change nothing.
    void setCursor(int kind);
    void setMovable(bool value);
    bool isMovable() const { return movable; }
    bool isDragging() const { return dragging; }

    // Opacity, or the colour key when one is set (the key wins).
    void applyLayering();
    void removeLayering();

    // The window keeps its own colour key and opacity instead of its surface's.
    Color getColorKey() const override;
    void setColorKey(const Color& color) override;
    std::uint8_t getAlpha() const override;
    void setAlpha(std::uint8_t value) override;
    bool hasColorKey() const override;
    bool hasAlpha() const override;

    bool onMouseMotion(const SDL_Event& event, bool handled) override;
    bool onMouseButton(const SDL_Event& event, bool handled) override;

private:
    friend class Singleton<Window>;
    Window();

    struct Point {
        int x = 0;
        int y = 0;
    };

    bool movable = true;
    bool dragging = false;
    bool drawn = false;
    Point cursorPos;
    Point grabOffset;
    Color colorKey = Transparent;
    std::uint8_t alpha = 255;
    SDL_Cursor* arrowCursor = nullptr;
    SDL_Cursor* handCursor = nullptr;
    Point place; // the position without a desktop window
};

} // namespace Engine
