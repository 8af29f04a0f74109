// Valve's KeyValues text, as Steam writes registry.vdf and config.vdf: quoted (or bare)
// keys followed by a quoted value or by a { } block of more of them; // comments and
// [$PLATFORM] conditions are allowed.
#pragma once

#include <string>
#include <vector>

namespace os::linux_backend {

struct KeyValues {
    std::string name;
    std::string value;      // for a plain value
    bool isBlock = false;
    std::vector<KeyValues> children;

    // The first child of that name, compared without regard to ASCII case; null when none.
    const KeyValues* child(const std::string& childName) const;
};

// Parses the whole text into the children of `root`. False (and `root` empty) when the text
// is not KeyValues or nests deeper than `maxDepth`.
bool parseKeyValues(const std::string& text, KeyValues& root, int maxDepth = 64);

} // namespace os::linux_backend
