#include "engine/TextSurface.h"

#include "engine/Fatal.h"
#include "engine/FontManager.h"

#include <SDL_ttf.h>

namespace Engine {

namespace {

SDL_Surface* render(const std::string& text, const std::string& fontName, int size, const Color& color)
{
    TTF_Font* font = FontManager::instance().getFont(fontName, size);
    SDL_Color ink = {color.r(), color.g(), color.b(), 0};
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, text.c_str(), ink);
    if (!rendered)
        fatalError(SDL_GetError(), "Failed To Render TextSurface");
    if (SDL_GetVideoSurface()) {
        if (SDL_Surface* converted = SDL_DisplayFormatAlpha(rendered)) {
            SDL_FreeSurface(rendered);
            return converted;
        }
    }
    return rendered;
}

} // namespace

TextSurface::TextSurface(const std::string& text, const std::string& fontName, int size, const Color& color)
    : Surface(render(text, fontName, size, color))
{
}

int TextSurface::lineSkip(const std::string& fontName, int size)
{
    return TTF_FontLineSkip(FontManager::instance().getFont(fontName, size));
}

int TextSurface::textWidth(const std::string& text, const std::string& fontName, int size)
{
    int width = 0;
    if (TTF_SizeText(FontManager::instance().getFont(fontName, size), text.c_str(), &width, nullptr) == -1)
        fatalError("Failed to render size text : " + text + "\n" + SDL_GetError(), "Failed To Render Font");
    return width;
}

} // namespace Engine
