#include "engine/FontManager.h"

#include "engine/Fatal.h"

#include <SDL.h>
#include <SDL_ttf.h>

namespace Engine {

TTF_Font* FontManager::getFont(const std::string& fontName, int size)
{
    std::vector<Entry>& sizes = fonts[fontName];
    for (const Entry& entry : sizes)
        if (entry.size == size)
            return entry.font;
    if (!TTF_WasInit())
        TTF_Init();
    TTF_Font* font = TTF_OpenFont(fontName.c_str(), size);
    if (!font)
        fatal("Failed to load font : " + fontName + "\n" + SDL_GetError(), "Failed To Load Font");
    ++opens;
    sizes.push_back(Entry{font, size});
    return font;
}

} // namespace Engine
