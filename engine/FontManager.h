// Each TrueType font file is opened once per point size and kept for the program's life.
#pragma once

#include "engine/Singleton.h"

#include <map>
#include <string>
#include <vector>

typedef struct _TTF_Font TTF_Font;

namespace Engine {

class FontManager : public Singleton<FontManager> {
public:
    ~FontManager() override = default;

    // A font that cannot be opened ends the program (exit code -1).
    TTF_Font* getFont(const std::string& fontName, int size);
    // How many times a file was opened (for checks that nothing opens twice).
    int openCount() const { return opens; }

private:
    friend class Singleton<FontManager>;
    FontManager() = default;

    struct Entry {
        TTF_Font* font;
        int size;
    };
    std::map<std::string, std::vector<Entry>> fonts;
    int opens = 0;
};

} // namespace Engine
