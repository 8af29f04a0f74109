// An SDL surface shared by reference count: copies share the pixels, the last copy frees
// them. Drawing, blitting and picture loading; failures of SDL end the program.
#pragma once

#include "engine/Color.h"
#include "engine/RefCounter.h"

#include <cstdint>
#include <string>

struct SDL_Surface;

namespace Engine {

class Surface : public RefCounter {
public:
    Surface() = default;
    Surface(int width, int height);
    Surface(const Surface& other) = default;
    Surface& operator=(const Surface& other);
    ~Surface() override;

    // Takes over an SDL surface that nobody else frees (null gives an empty surface).
    static Surface adopt(SDL_Surface* surface);

    virtual Color getColorKey() const;
    virtual void setColorKey(const Color& color);
    virtual std::uint8_t getAlpha() const;
    virtual void setAlpha(std::uint8_t alpha);
    virtual bool hasColorKey() const;
    virtual bool hasAlpha() const;

    // quiet: a picture that cannot be loaded gives a 1×1 surface; otherwise a message and
    // exit code -1.
    static Surface load(const std::string& path, bool quiet);
    static Surface displayFormat(const Surface& source);
    // A copy of width × height pixels, each the mean of the pixels it covers (an empty
    // surface for an empty one or a size below 1).
    Surface scaled(int width, int height) const;

    int getWidth() const;
    int getHeight() const;
    bool isEmpty() const { return surface == nullptr; }
    SDL_Surface* getSDLSurface() const { return surface; }

    // Draws the source's clip rectangle with its top-left corner at (x, y).
    void blit(int x, int y, const Surface& source);
    void fill(const Color& color);
    void setClipRect(int x, int y, int width, int height);
    void resetClipRect();
    void drawPixel(int x, int y, const Color& color);
    void drawLine(int x1, int y1, int x2, int y2, const Color& color);
    // Corners are inclusive: a 10×10 rectangle covers 11×11 pixels.
    void drawRect(int x, int y, int width, int height, const Color& color, bool filled);
    // The colour of one pixel (for tests and pickers); Transparent outside the surface.
    Color getPixel(int x, int y) const;

protected:
    // The window swaps in the screen surface that SDL owns: it is never freed here.
    void setSurface(SDL_Surface* newSurface, bool owned);

private:
    void releaseSurface();

    SDL_Surface* surface = nullptr;
    bool owned = true;
};

} // namespace Engine
