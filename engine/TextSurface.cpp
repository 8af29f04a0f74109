#include "engine/TextSurface.h"

#include "engine/Fatal.h"
#include "engine/FontManager.h"

#include <SDL.h>
#include <SDL_ttf.h>

namespace Engine {

namespace {

// SDL keeps a surface's row length in 16 bits: 4-byte pixels allow 16383 of them. Texts
// that come from strangers (a map name, a player name) may be longer than that; what
// goes past this width is cut off rather than failing the whole rendering.
constexpr int widestText = 8000;
// Below this many bytes no font size the program uses comes near that width.
constexpr std::size_t measuredFrom = 200;

bool fits(TTF_Font* font, const std::string& text)
{
    int w = 0, h = 0;
    return TTF_SizeUTF8(font, text.c_str(), &w, &h) == 0 && w <= widestText;
}

std::string fitted(TTF_Font* font, const std::string& text)
{
    if (text.size() < measuredFrom || fits(font, text))
        return text;
    std::size_t good = 0, bad = text.size();
    while (bad - good > 1) {
        std::size_t middle = good + (bad - good) / 2;
        while (middle > good && (static_cast<unsigned char>(text[middle]) & 0xC0) == 0x80)
            --middle; // never inside a character
        if (middle == good)
            break;
        if (fits(font, text.substr(0, middle)))
            good = middle;
        else
            bad = middle;
    }
    return text.substr(0, good);
}

} // namespace

TextSurface::TextSurface(const std::string& text, const std::string& fontName, int size, const Color& color)
{
    TTF_Font* font = FontManager::instance().getFont(fontName, size);
    SDL_Color c{color.r(), color.g(), color.b(), 0};
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, fitted(font, text).c_str(), c);
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

int TextSurface::utf8Width(const std::string& text, const std::string& fontName, int size)
{
    int w = 0, h = 0;
    if (TTF_SizeUTF8(FontManager::instance().getFont(fontName, size), text.c_str(), &w, &h) == -1)
        return 0;
    return w;
}

} // namespace Engine
