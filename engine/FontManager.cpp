#include "engine/FontManager.h"

#include "engine/Fatal.h"

namespace Engine {

TTF_Font* FontManager::getFont(const std::string& fontName, int size)
{
    std::vector<Entry>& sizes = fonts[fontName];
    for (const Entry& entry : sizes)
        if (entry.size == size)
            return entry.font;
    TTF_Font* font = TTF_OpenFont(fontName.c_str(), size);
    if (!font)
        fatalError("Failed to load font : " + fontName + "\n" + SDL_GetError(), "Failed To Load Font");
    sizes.push_back({font, size});
    ++opened;
    return font;
}

} // namespace Engine
