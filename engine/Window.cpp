#include "engine/Window.h"

#include "engine/Cursors.h"
#include "engine/Fatal.h"
#include "engine/WindowPosition.h"
#include "os/HostWindow.h"
#include "os/Screens.h"

#include <cstdio>
#include <vector>

namespace Engine {

namespace {

// Black and white from "X" and ".", a blank is transparent; 4 bytes a row, most
// significant bit first. The hot spot follows the 32 rows.
SDL_Cursor* cursorFromXpm(const char* const xpm[])
{
    int width = 0, height = 0, colours = 0, charsPerPixel = 0;
    std::sscanf(xpm[0], "%d %d %d %d", &width, &height, &colours, &charsPerPixel);
    std::vector<Uint8> data(static_cast<std::size_t>(width / 8 * height)), mask(data.size());
    int i = -1;
    for (int row = 0; row < height; ++row) {
        const char* line = xpm[1 + colours + row];
        for (int col = 0; col < width; ++col) {
            if (col % 8 == 0) {
                ++i;
            } else {
                data[i] <<= 1;
                mask[i] <<= 1;
            }
            if (line[col] == 'X') {
                data[i] |= 1;
                mask[i] |= 1;
            } else if (line[col] == '.') {
                mask[i] |= 1;
            }
        }
    }
    int hotX = 0, hotY = 0;
    std::sscanf(xpm[1 + colours + height], "%d,%d", &hotX, &hotY);
    return SDL_CreateCursor(data.data(), mask.data(), width, height, hotX, hotY);
}

} // namespace

Window::Window()
{
    setSize(200, 200);
    dragging = false;
    movable = true;
    handCursor = cursorFromXpm(handCursorXpm);
    arrowCursor = cursorFromXpm(arrowCursorXpm);
    // Heard after every other mouse listener, not among them.
    EventHandler::instance().removeMouseListener(this);
    EventHandler::instance().setWindowMouseListener(this);
    setWindowPositionReader([this](int& x, int& y) {
        x = getX();
        y = getY();
        return true;
    });
}

Window::~Window()
{
    setWindowPositionReader(nullptr);
    // SDL owns the screen surface and may be shut down already.
    setSurface(nullptr, false);
    if (SDL_WasInit(SDL_INIT_VIDEO)) {
        SDL_SetCursor(nullptr);
        if (arrowCursor)
            SDL_FreeCursor(arrowCursor);
        if (handCursor)
            SDL_FreeCursor(handCursor);
    }
}

void Window::update()
{
    EventHandler::instance().poll();
    if (!drawn)
        return;
    drawn = false;
    // The window goes on the screen with its first painted frame, never blank before it.
    os::showHostWindow();
    if (SDL_Surface* screen = getSDLSurface())
        SDL_UpdateRect(screen, 0, 0, static_cast<Uint32>(getWidth()), static_cast<Uint32>(getHeight()));
}

void Window::setSize(int width, int height)
{
    if (dragging)
        return;
    width = width < 1 ? 1 : width;
    height = height < 1 ? 1 : height;
    SDL_Surface* screen = SDL_SetVideoMode(width, height, 32, SDL_NOFRAME);
    if (!screen)
        fatal(SDL_GetError(), "Failed To Initialize The Engine");
    setSurface(screen, false);
    EventHandler::instance().requestRedraw(); // a new surface starts blank
    // SDL neither resizes a window it did not create nor selects its input.
    os::resizeHostWindow(width, height);
    os::attachHostWindowInput();
    moveBy(0, 0);
}

void Window::setPosition(int x, int y)
{
    if (!os::hasHostWindow()) {
        place = {x, y};
        return;
    }
    for (int attempt = 0; attempt < 10; ++attempt) {
        os::moveHostWindow(x, y);
        int nowX = 0, nowY = 0;
        if (os::hostWindowPosition(nowX, nowY) && nowX == x && nowY == y)
            return;
        SDL_Delay(100);
    }
}

void Window::moveBy(int dx, int dy) { setPosition(getX() + dx, getY() + dy); }

int Window::getX() const
{
    int x = 0, y = 0;
    if (!os::hasHostWindow())
        return place.x;
    return os::hostWindowPosition(x, y) ? x : 0;
}

int Window::getY() const
{
    int x = 0, y = 0;
    if (!os::hasHostWindow())
        return place.y;
    return os::hostWindowPosition(x, y) ? y : 0;
}

int Window::getScreenWidth() const { return os::hasHostWindow() ? os::screenWidth() : 1024; }

int Window::getScreenHeight() const { return os::hasHostWindow() ? os::screenHeight() : 768; }

int Window::getPrimaryScreenWidth() const
{
    const std::vector<os::ScreenArea> screens = os::hasHostWindow() ? os::screenAreas() : std::vector<os::ScreenArea>();
    return screens.empty() || screens.front().width <= 0 ? getScreenWidth() : screens.front().width;
}

void Window::setCursor(int kind)
{
    if (kind == Arrow)
        SDL_SetCursor(arrowCursor);
    else if (kind == Hand)
        SDL_SetCursor(handCursor);
}

void Window::setMovable(bool value)
{
    movable = value;
    if (!value) {
        dragging = false;
        applyLayering();
    }
}

void Window::applyLayering()
{
    if (hasColorKey())
        os::setHostWindowColorKey(colorKey.r(), colorKey.g(), colorKey.b());
    else
        os::setHostWindowOpacity(getAlpha());
}

void Window::removeLayering() { os::removeHostWindowLayering(); }

Color Window::getColorKey() const { return colorKey; }

void Window::setColorKey(const Color& color)
{
    colorKey = color;
    os::setHostWindowColorKey(color.r(), color.g(), color.b());
}

std::uint8_t Window::getAlpha() const { return alpha; }

void Window::setAlpha(std::uint8_t value)
{
    alpha = value;
    os::setHostWindowOpacity(value);
    Surface::setAlpha(value);
}

bool Window::hasColorKey() const { return colorKey != Transparent; }

bool Window::hasAlpha() const { return alpha < 255; }

bool Window::onMouseMotion(const SDL_Event& event, bool handled)
{
    if (handled)
        return false;
    setCursor(Arrow);
    if (movable && dragging) {
        // Where the pointer is on the screen; without a desktop window, the event's point.
        if (!os::pointerPosition(cursorPos.x, cursorPos.y))
            cursorPos = {getX() + event.motion.x, getY() + event.motion.y};
        setPosition(cursorPos.x - grabOffset.x, cursorPos.y - grabOffset.y);
    }
    return false;
}

bool Window::onMouseButton(const SDL_Event& event, bool handled)
{
    if (handled)
        return false;
    os::focusHostWindow();
    if (!movable)
        return false;
    if (event.button.button == SDL_BUTTON_LEFT) {
        if (event.type == SDL_MOUSEBUTTONDOWN) {
            dragging = true;
            grabOffset = {event.button.x, event.button.y};
            removeLayering(); // dragged unlayered
        } else {
            dragging = false;
            applyLayering();
        }
    }
    return true;
}

} // namespace Engine
