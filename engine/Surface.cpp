#include "engine/Surface.h"

#include "engine/Fatal.h"

#include <algorithm>

#include <SDL.h>
#include <SDL_gfxPrimitives.h>
#include <SDL_image.h>

namespace Engine {

namespace {
Sint16 s16(int v) { return static_cast<Sint16>(v); }
} // namespace

Surface::Surface(int width, int height)
{
    surface = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    if (!surface)
        fatal(SDL_GetError(), "ERROR, Create Surface Failed");
}

Surface Surface::adopt(SDL_Surface* sdl)
{
    Surface s;
    s.surface = sdl;
    return s;
}

Surface Surface::scaled(int width, int height) const
{
    if (!surface || width < 1 || height < 1)
        return Surface();
    // Both in the constructor's 32-bit layout; each new pixel is the mean of the old ones
    // it covers (at least one), which keeps thin lines of a shrunk picture.
    Surface result(width, height);
    SDL_Surface* source = SDL_ConvertSurface(surface, result.surface->format, SDL_SWSURFACE);
    if (!source)
        fatal(SDL_GetError(), "ERROR, Create Surface Failed");
    SDL_LockSurface(source);
    SDL_LockSurface(result.surface);
    const int sw = source->w, sh = source->h;
    for (int y = 0; y < height; ++y) {
        const int y0 = y * sh / height, y1 = std::max(y0 + 1, (y + 1) * sh / height);
        auto* out = reinterpret_cast<Uint32*>(static_cast<Uint8*>(result.surface->pixels) + y * result.surface->pitch);
        for (int x = 0; x < width; ++x) {
            const int x0 = x * sw / width, x1 = std::max(x0 + 1, (x + 1) * sw / width);
            Uint32 sum[4] = {0, 0, 0, 0};
            for (int sy = y0; sy < y1; ++sy) {
                const auto* in = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(source->pixels) + sy * source->pitch);
                for (int sx = x0; sx < x1; ++sx)
                    for (int byte = 0; byte < 4; ++byte)
                        sum[byte] += (in[sx] >> (8 * byte)) & 0xFF;
            }
            const Uint32 n = static_cast<Uint32>((x1 - x0) * (y1 - y0));
            out[x] = (sum[0] / n) | (sum[1] / n) << 8 | (sum[2] / n) << 16 | (sum[3] / n) << 24;
        }
    }
    SDL_UnlockSurface(result.surface);
    SDL_UnlockSurface(source);
    SDL_FreeSurface(source);
    return result;
}

Surface& Surface::operator=(const Surface& other)
{
    if (this == &other || surface == other.surface) {
        RefCounter::operator=(other);
        owned = other.owned;
        return *this;
    }
    releaseSurface();
    RefCounter::operator=(other);
    surface = other.surface;
    owned = other.owned;
    return *this;
}

Surface::~Surface() { releaseSurface(); }

void Surface::releaseSurface()
{
    if (surface && isUnique() && owned)
        SDL_FreeSurface(surface);
    surface = nullptr;
}

void Surface::setSurface(SDL_Surface* newSurface, bool isOwned)
{
    releaseSurface();
    RefCounter::operator=(RefCounter());
    surface = newSurface;
    owned = isOwned;
}

Color Surface::getColorKey() const
{
    if (!surface)
        return Black;
    Uint8 r, g, b;
    SDL_GetRGB(surface->format->colorkey, surface->format, &r, &g, &b);
    return Color(r, g, b, 255);
}

void Surface::setColorKey(const Color& c)
{
    if (surface)
        SDL_SetColorKey(surface, SDL_SRCCOLORKEY, SDL_MapRGB(surface->format, c.r(), c.g(), c.b()));
}

std::uint8_t Surface::getAlpha() const { return surface ? surface->format->alpha : 255; }

void Surface::setAlpha(std::uint8_t alpha)
{
    if (surface)
        SDL_SetAlpha(surface, SDL_SRCALPHA, alpha);
}

bool Surface::hasColorKey() const { return surface && (surface->flags & SDL_SRCCOLORKEY); }
bool Surface::hasAlpha() const { return surface && (surface->flags & SDL_SRCALPHA); }

Surface Surface::load(const std::string& path, bool quiet)
{
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (!loaded) {
        if (!quiet)
            fatal("ERROR, Faild To Load Image", SDL_GetError());
        return Surface(1, 1);
    }
    SDL_Surface* converted = SDL_GetVideoSurface() ? SDL_DisplayFormat(loaded) : nullptr;
    if (!converted)
        return adopt(loaded); // no screen yet: keep the picture as it was read
    SDL_FreeSurface(loaded);
    return adopt(converted);
}

Surface Surface::displayFormat(const Surface& source)
{
    if (!source.surface || !SDL_GetVideoSurface())
        return Surface();
    return adopt(SDL_DisplayFormat(source.surface));
}

int Surface::getWidth() const { return surface ? surface->w : 0; }
int Surface::getHeight() const { return surface ? surface->h : 0; }

void Surface::blit(int x, int y, const Surface& source)
{
    if (!surface || !source.surface)
        return;
    SDL_Rect target{s16(x), s16(y), 0, 0};
    if (SDL_UpperBlit(source.surface, &source.surface->clip_rect, surface, &target) == -1)
        fatal(SDL_GetError(), "ERROR, Blit Surface Filed");
}

void Surface::fill(const Color& c)
{
    if (surface)
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, c.r(), c.g(), c.b()));
}

void Surface::setClipRect(int x, int y, int width, int height)
{
    if (!surface)
        return;
    SDL_Rect r{s16(x), s16(y), static_cast<Uint16>(width), static_cast<Uint16>(height)};
    SDL_SetClipRect(surface, &r);
}

void Surface::resetClipRect()
{
    if (surface)
        SDL_SetClipRect(surface, nullptr);
}

void Surface::drawPixel(int x, int y, const Color& c)
{
    if (surface)
        pixelRGBA(surface, s16(x), s16(y), c.r(), c.g(), c.b(), c.a());
}

void Surface::drawLine(int x1, int y1, int x2, int y2, const Color& c)
{
    if (surface)
        aalineRGBA(surface, s16(x1), s16(y1), s16(x2), s16(y2), c.r(), c.g(), c.b(), c.a());
}

void Surface::drawRect(int x, int y, int width, int height, const Color& c, bool filled)
{
    if (!surface)
        return;
    if (filled)
        boxRGBA(surface, s16(x), s16(y), s16(x + width), s16(y + height), c.r(), c.g(), c.b(), c.a());
    else
        rectangleRGBA(surface, s16(x), s16(y), s16(x + width), s16(y + height), c.r(), c.g(), c.b(), c.a());
}

Color Surface::getPixel(int x, int y) const
{
    if (!surface || x < 0 || y < 0 || x >= surface->w || y >= surface->h)
        return Transparent;
    if (SDL_MUSTLOCK(surface))
        SDL_LockSurface(surface);
    const int bpp = surface->format->BytesPerPixel;
    const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * bpp;
    Uint32 value = 0;
    switch (bpp) {
    case 1: value = *p; break;
    case 2: value = *reinterpret_cast<const Uint16*>(p); break;
    case 3: value = static_cast<Uint32>(p[0] | (p[1] << 8) | (p[2] << 16)); break;
    default: value = *reinterpret_cast<const Uint32*>(p); break;
    }
    if (SDL_MUSTLOCK(surface))
        SDL_UnlockSurface(surface);
    Uint8 r, g, b, a;
    SDL_GetRGBA(value, surface->format, &r, &g, &b, &a);
    return Color(r, g, b, a);
}

} // namespace Engine
