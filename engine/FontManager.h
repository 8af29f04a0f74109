// Opens each TrueType font once per (file, point size) and keeps it for the life of the
// program. SDL_ttf must be started first.
#pragma once

#include "engine/Singleton.h"

#include <SDL_ttf.h>

#include <map>
#include <string>
#include <vector>

namespace Engine {

class FontManager : public Singleton<FontManager> {
public:
    ~FontManager() override = default;

    // The open font; a font that cannot be opened ends the program with an error box.
    TTF_Font* getFont(const std::string& fontName, int size);
    // How many fonts have been opened so far.
    std::size_t openCount() const { return opened; }

private:
    friend class Singleton<FontManager>;
    FontManager() = default;

    struct Entry {
        TTF_Font* font;
        int size;
    };
    std::map<std::string, std::vector<Entry>> fonts;
    std::size_t opened = 0;
};

} // namespace Engine
