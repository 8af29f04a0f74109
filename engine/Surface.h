// An SDL surface shared by reference count: copies are cheap and share the pixels, the
// colour key and the alpha; the last copy frees the SDL surface. Drawing takes 16-bit
// coordinates, as SDL 1.2 and SDL_gfx do.
#pragma once

#include "engine/Color.h"
#include "engine/RefCounter.h"

#include <SDL.h>

#include <string>

namespace Engine {

class Surface : public RefCounter {
public:
    // No SDL surface: every operation does nothing and getters return their defaults.
    Surface();
    // A 32-bit software surface whose bytes in memory are R, G, B, A.
    Surface(int width, int height);
    // Takes over an SDL surface (null for none); the last copy frees it.
    explicit Surface(SDL_Surface* adopted);
    Surface(const Surface& other);
    Surface& operator=(const Surface& other);
    ~Surface() override;

    virtual Color getColorKey() const;
    virtual void setColorKey(const Color& color);
    virtual std::uint8_t getAlpha() const;
    virtual void setAlpha(std::uint8_t alpha);
    virtual bool hasColorKey() const;
    virtual bool hasAlpha() const;

    // Loads a picture in the display's format. When it fails: quiet gives a 1x1 surface,
    // otherwise an error box and the end of the program.
    static Surface load(const std::string& path, bool quiet);
    static Surface displayFormat(const Surface& source);

    int getWidth() const;
    int getHeight() const;
    bool isEmpty() const { return surface == nullptr; }
    SDL_Surface* getSDLSurface() const { return surface; }

    // Draws the source's clip rectangle with its top-left corner at (x, y).
    void blit(int x, int y, const Surface& source);
    // The whole surface in one colour; alpha is ignored.
    void fill(const Color& color);
    void setClipRect(int x, int y, int width, int height);
    void resetClipRect();

    void drawPixel(int x, int y, const Color& color);
    // Anti-aliased, both end points drawn, with the colour's alpha.
    void drawLine(int x1, int y1, int x2, int y2, const Color& color);
    // Corners (x, y) and (x + width, y + height) inclusive: width + 1 by height + 1 pixels.
    void drawRect(int x, int y, int width, int height, const Color& color, bool filled);

protected:
    // Lets the last holder go: frees the SDL surface when this was its last reference.
    void releaseSurface();

    SDL_Surface* surface = nullptr;
};

} // namespace Engine
