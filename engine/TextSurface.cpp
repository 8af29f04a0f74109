#include "engine/TextSurface.h"

#include "engine/Fatal.h"
#include "engine/FontManager.h"

#include <SDL.h>
#include <SDL_ttf.h>

namespace Engine {

TextSurface::TextSurface(const std::string& text, const std::string& fontName, int size, const Color& color)
{
    TTF_Font* font = FontManager::instance().getFont(fontName, size);
    SDL_Color c{color.r(), color.g(), color.b(), 0};
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, text.c_str(), c);
    if (!rendered)
        fatal(SDL_GetError(), "Failed To Render TextSurface");
    SDL_Surface* converted = SDL_GetVideoSurface() ? SDL_DisplayFormatAlpha(rendered) : nullptr;
    if (converted) {
        SDL_FreeSurface(rendered);
        rendered = converted;
    }
    static_cast<Surface&>(*this) = Surface::adopt(rendered);
}

int TextSurface::lineSkip(const std::string& fontName, int size)
{
    return TTF_FontLineSkip(FontManager::instance().getFont(fontName, size));
}

int TextSurface::textWidth(const std::string& text, const std::string& fontName, int size)
{
    int w = 0, h = 0;
    if (TTF_SizeText(FontManager::instance().getFont(fontName, size), text.c_str(), &w, &h) == -1)
        fatal("Failed to render size text : " + text + "\n" + SDL_GetError(), "Failed To Render Font");
    return w;
}

} // namespace Engine
