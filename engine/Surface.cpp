#include "engine/Surface.h"

#include "engine/Fatal.h"

#include <SDL_gfxPrimitives.h>
#include <SDL_image.h>

namespace Engine {

namespace {

Sint16 coord(int value) { return static_cast<Sint16>(value); }

} // namespace

Surface::Surface() = default;

Surface::Surface(int width, int height)
    : surface(SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000))
{
}

Surface::Surface(SDL_Surface* adopted) : surface(adopted) {}

Surface::Surface(const Surface& other) : RefCounter(other), surface(other.surface) {}

Surface& Surface::operator=(const Surface& other)
{
    if (this == &other || surface == other.surface)
        return *this;
    releaseSurface();
    RefCounter::operator=(other);
    surface = other.surface;
    return *this;
}

Surface::~Surface() { releaseSurface(); }

void Surface::releaseSurface()
{
    if (surface && isUnique())
        SDL_FreeSurface(surface);
    surface = nullptr;
}

Color Surface::getColorKey() const
{
    if (!surface)
        return Black;
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(surface->format->colorkey, surface->format, &r, &g, &b);
    return Color(r, g, b, 255);
}

void Surface::setColorKey(const Color& color)
{
    if (surface)
        SDL_SetColorKey(surface, SDL_SRCCOLORKEY, SDL_MapRGB(surface->format, color.r(), color.g(), color.b()));
}

std::uint8_t Surface::getAlpha() const { return surface ? surface->format->alpha : 255; }

void Surface::setAlpha(std::uint8_t alpha)
{
    if (surface)
        SDL_SetAlpha(surface, SDL_SRCALPHA, alpha);
}

bool Surface::hasColorKey() const { return surface && (surface->flags & SDL_SRCCOLORKEY) != 0; }

bool Surface::hasAlpha() const { return surface && (surface->flags & SDL_SRCALPHA) != 0; }

Surface Surface::load(const std::string& path, bool quiet)
{
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (!loaded) {
        if (quiet)
            return Surface(1, 1);
        fatalError("ERROR, Faild To Load Image", SDL_GetError());
    }
    // Converted once, so that later blits need no conversion; without a screen yet the
    // picture stays as it was loaded.
    if (SDL_GetVideoSurface()) {
        if (SDL_Surface* converted = SDL_DisplayFormat(loaded)) {
            SDL_FreeSurface(loaded);
            return Surface(converted);
        }
    }
    return Surface(loaded);
}

Surface Surface::displayFormat(const Surface& source)
{
    if (!source.surface || !SDL_GetVideoSurface())
        return Surface();
    return Surface(SDL_DisplayFormat(source.surface));
}

int Surface::getWidth() const { return surface ? surface->w : 0; }

int Surface::getHeight() const { return surface ? surface->h : 0; }

void Surface::blit(int x, int y, const Surface& source)
{
    if (!surface || !source.surface)
        return;
    SDL_Rect target = {coord(x), coord(y), 0, 0};
    if (SDL_UpperBlit(source.surface, &source.surface->clip_rect, surface, &target) == -1)
        fatalError(SDL_GetError(), "ERROR, Blit Surface Filed");
}

void Surface::fill(const Color& color)
{
    if (surface)
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, color.r(), color.g(), color.b()));
}

void Surface::setClipRect(int x, int y, int width, int height)
{
    if (!surface)
        return;
    SDL_Rect clip = {coord(x), coord(y), static_cast<Uint16>(width), static_cast<Uint16>(height)};
    SDL_SetClipRect(surface, &clip);
}

void Surface::resetClipRect()
{
    if (surface)
        SDL_SetClipRect(surface, nullptr);
}

void Surface::drawPixel(int x, int y, const Color& color)
{
    if (surface)
        pixelRGBA(surface, coord(x), coord(y), color.r(), color.g(), color.b(), color.a());
}

void Surface::drawLine(int x1, int y1, int x2, int y2, const Color& color)
{
    if (surface)
        aalineRGBA(surface, coord(x1), coord(y1), coord(x2), coord(y2), color.r(), color.g(), color.b(), color.a());
}

void Surface::drawRect(int x, int y, int width, int height, const Color& color, bool filled)
{
    if (!surface)
        return;
    if (filled)
        boxRGBA(surface, coord(x), coord(y), coord(x + width), coord(y + height), color.r(), color.g(), color.b(), color.a());
    else
        rectangleRGBA(surface, coord(x), coord(y), coord(x + width), coord(y + height), color.r(), color.g(), color.b(), color.a());
}

} // namespace Engine
