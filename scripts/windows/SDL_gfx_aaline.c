/* aalineColor and aalineRGBA of SDL_gfx 2.0.23, which pygame's copy of SDL_gfxPrimitives.c
 * compiles out ("CURRENTLY NOT USED BY pygame.gfxdraw"). They only call the library's own
 * _aalineColor, which that copy still has; the bodies are SDL_gfx's. */
#include "SDL_gfxPrimitives.h"

int _aalineColor(SDL_Surface *dst, Sint16 x1, Sint16 y1, Sint16 x2, Sint16 y2, Uint32 color, int draw_endpoint);

int aalineColor(SDL_Surface *dst, Sint16 x1, Sint16 y1, Sint16 x2, Sint16 y2, Uint32 color)
{
    return _aalineColor(dst, x1, y1, x2, y2, color, 1);
}

int aalineRGBA(SDL_Surface *dst, Sint16 x1, Sint16 y1, Sint16 x2, Sint16 y2, Uint8 r, Uint8 g, Uint8 b, Uint8 a)
{
    return _aalineColor(dst, x1, y1, x2, y2,
                        ((Uint32)r << 24) | ((Uint32)g << 16) | ((Uint32)b << 8) | (Uint32)a, 1);
}
