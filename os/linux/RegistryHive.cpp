// Keys that Linux keeps nowhere else live in one text file per root below
// $XDG_CONFIG_HOME/holmikziviza/ (HKEY_CURRENT_USER.registry and so on):
//
//   HolmikZiviza registry 1
//   [Software\Example]
//   "Name"=1:480069000000
//
// one [key] line per key, then its values as "name"=type:data in hexadecimal; names are
// UTF-8 with % \ [ ] " = and control characters written as %XX. Every change rewrites the
// file beside itself and renames it into place. A file that does not read this way is left
// alone: its keys do not open, and nothing writes over it.
#include "os/linux/RegistryStore.h"

#include <cerrno>
#include <sys/stat.h>

namespace os::linux_backend::hive {

namespace {

const char* const header = "HolmikZiviza registry 1";
const std::size_t fileLimit = 256u << 20;

struct HiveKey {
    std::vector<std::wstring> parts;
    std::vector<StoredValue> values;
};

struct Hive {
    std::vector<HiveKey> keys;
};

std::string rootFile(int root)
{
    static const char* const names[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS"};
    const std::string config = configHome();
    if (config.empty())
        return {};
    return config + "/holmikziviza/" + names[root] + ".registry";
}

bool special(unsigned char c)
{
    return c < 0x20 || c == 0x7F || c == '%' || c == '\\' || c == '[' || c == ']' || c == '"' || c == '=';
}

const char hexDigits[] = "0123456789abcdef";

std::string encodeName(const std::wstring& name)
{
    std::string out;
    for (unsigned char c : narrow(name)) {
        if (special(c)) {
            out.push_back('%');
            out.push_back(hexDigits[c >> 4]);
            out.push_back(hexDigits[c & 15]);
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool decodeName(const std::string& text, std::wstring& name)
{
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '%') {
            if (i + 2 >= text.size())
                return false;
            const int high = hexValue(text[i + 1]);
            const int low = hexValue(text[i + 2]);
            if (high < 0 || low < 0)
                return false;
            bytes.push_back(static_cast<char>(high * 16 + low));
            i += 2;
        } else if (special(c)) {
            return false;
        } else {
            bytes.push_back(static_cast<char>(c));
        }
    }
    name = widen(bytes);
    return true;
}

bool parseValue(const std::string& line, StoredValue& value)
{
    // "name"=type:hex
    const std::string::size_type close = line.find('"', 1);
    if (close == std::string::npos || close + 1 >= line.size() || line[close + 1] != '=')
        return false;
    if (!decodeName(line.substr(1, close - 1), value.name) || value.name.empty())
        return false;
    const std::string::size_type colon = line.find(':', close + 2);
    if (colon == std::string::npos || colon == close + 2 || colon - (close + 2) > 10)
        return false;
    std::uint64_t type = 0;
    for (std::size_t i = close + 2; i < colon; ++i) {
        if (line[i] < '0' || line[i] > '9')
            return false;
        type = type * 10 + static_cast<unsigned>(line[i] - '0');
    }
    if (type > 0xFFFFFFFFu)
        return false;
    value.type = static_cast<std::uint32_t>(type);
    const std::size_t hexLength = line.size() - colon - 1;
    if (hexLength % 2 != 0)
        return false;
    value.data.clear();
    value.data.reserve(hexLength / 2);
    for (std::size_t i = colon + 1; i < line.size(); i += 2) {
        const int high = hexValue(line[i]);
        const int low = hexValue(line[i + 1]);
        if (high < 0 || low < 0)
            return false;
        value.data.push_back(static_cast<unsigned char>(high * 16 + low));
    }
    return true;
}

bool parseKey(const std::string& line, std::vector<std::wstring>& parts)
{
    // [part\part]
    if (line.size() < 2 || line.back() != ']')
        return false;
    parts.clear();
    const std::string inner = line.substr(1, line.size() - 2);
    std::string::size_type start = 0;
    while (start <= inner.size() && !inner.empty()) {
        std::string::size_type end = inner.find('\\', start);
        if (end == std::string::npos)
            end = inner.size();
        std::wstring part;
        if (end == start || !decodeName(inner.substr(start, end - start), part))
            return false;
        parts.push_back(part);
        start = end + 1;
    }
    return true;
}

HiveKey* findKey(Hive& hive, const std::vector<std::wstring>& parts)
{
    for (HiveKey& key : hive.keys)
        if (samePath(key.parts, parts))
            return &key;
    return nullptr;
}

// 0 when the file is missing (an empty root) or read; RegistryBadDatabase otherwise.
long load(const std::string& path, Hive& hive)
{
    hive = Hive();
    struct stat st;
    if (path.empty())
        return RegistryFileNotFound;
    if (stat(path.c_str(), &st) != 0)
        return errno == ENOENT ? RegistrySuccess : RegistryBadDatabase;
    std::string text;
    if (!readWholeFile(path, text, fileLimit))
        return RegistryBadDatabase;
    bool seenHeader = false;
    HiveKey* current = nullptr;
    std::string::size_type start = 0;
    while (start < text.size()) {
        std::string::size_type end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        if (!seenHeader) {
            if (line != header)
                return RegistryBadDatabase;
            seenHeader = true;
        } else if (line[0] == '[') {
            std::vector<std::wstring> parts;
            if (!parseKey(line, parts))
                return RegistryBadDatabase;
            current = findKey(hive, parts);
            if (!current) {
                hive.keys.push_back(HiveKey{parts, {}});
                current = &hive.keys.back();
            }
        } else if (line[0] == '"' && current) {
            StoredValue value;
            if (!parseValue(line, value))
                return RegistryBadDatabase;
            current->values.push_back(std::move(value));
        } else {
            return RegistryBadDatabase;
        }
    }
    return seenHeader ? RegistrySuccess : RegistryBadDatabase;
}

long store(const std::string& path, const Hive& hive)
{
    std::string text = std::string(header) + "\n";
    for (const HiveKey& key : hive.keys) {
        text += "[";
        for (std::size_t i = 0; i < key.parts.size(); ++i)
            text += (i ? "\\" : "") + encodeName(key.parts[i]);
        text += "]\n";
        for (const StoredValue& value : key.values) {
            text += "\"" + encodeName(value.name) + "\"=" + std::to_string(value.type) + ":";
            for (unsigned char c : value.data) {
                text.push_back(hexDigits[c >> 4]);
                text.push_back(hexDigits[c & 15]);
            }
            text += "\n";
        }
    }
    return writeFileReplacing(path, text) ? RegistrySuccess : RegistryWriteFault;
}

bool startsWith(const std::vector<std::wstring>& parts, const std::vector<std::wstring>& prefix)
{
    if (parts.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (!sameName(parts[i], prefix[i]))
            return false;
    return true;
}

// A key exists when it is stored, or a key below it is, or it is the root itself.
bool exists(const Hive& hive, const std::vector<std::wstring>& parts)
{
    if (parts.empty())
        return true;
    for (const HiveKey& key : hive.keys)
        if (startsWith(key.parts, parts))
            return true;
    return false;
}

} // namespace

long open(RegistryKey& key, bool create)
{
    key.location = rootFile(key.root);
    Hive hive;
    const long status = load(key.location, hive);
    if (status != RegistrySuccess)
        return status;
    if (exists(hive, key.parts))
        return RegistrySuccess;
    if (!create)
        return RegistryFileNotFound;
    hive.keys.push_back(HiveKey{key.parts, {}});
    return store(key.location, hive);
}

long queryInfo(const RegistryKey& key, RegistryKeyInfo& info)
{
    Hive hive;
    const long status = load(key.location, hive);
    if (status != RegistrySuccess)
        return status;
    std::vector<std::wstring> subkeys;
    for (const HiveKey& stored : hive.keys) {
        if (stored.parts.size() <= key.parts.size() || !startsWith(stored.parts, key.parts))
            continue;
        const std::wstring& name = stored.parts[key.parts.size()];
        bool known = false;
        for (const std::wstring& seen : subkeys)
            known = known || sameName(seen, name);
        if (!known)
            subkeys.push_back(name);
    }
    info.subkeyCount = static_cast<std::uint32_t>(subkeys.size());
    if (const HiveKey* stored = findKey(hive, key.parts)) {
        info.valueCount = static_cast<std::uint32_t>(stored->values.size());
        for (const StoredValue& value : stored->values) {
            if (value.name.size() > info.longestValueName)
                info.longestValueName = static_cast<std::uint32_t>(value.name.size());
            if (value.data.size() > info.longestValueData)
                info.longestValueData = static_cast<std::uint32_t>(value.data.size());
        }
    }
    return RegistrySuccess;
}

long find(const RegistryKey& key, const std::wstring& name, StoredValue& value)
{
    Hive hive;
    const long status = load(key.location, hive);
    if (status != RegistrySuccess)
        return status;
    if (const HiveKey* stored = findKey(hive, key.parts)) {
        for (const StoredValue& candidate : stored->values) {
            if (sameName(candidate.name, name)) {
                value = candidate;
                return RegistrySuccess;
            }
        }
    }
    return RegistryFileNotFound;
}

long set(const RegistryKey& key, const StoredValue& value)
{
    if (value.name.empty() || value.name.size() > 16383)
        return RegistryInvalidParameter;
    Hive hive;
    long status = load(key.location, hive);
    if (status != RegistrySuccess)
        return status;
    if (!exists(hive, key.parts))
        return RegistryFileNotFound; // deleted since it was opened
    HiveKey* stored = findKey(hive, key.parts);
    if (!stored) {
        hive.keys.push_back(HiveKey{key.parts, {}});
        stored = &hive.keys.back();
    }
    bool replaced = false;
    for (StoredValue& old : stored->values) {
        if (sameName(old.name, value.name)) {
            old.type = value.type;
            old.data = value.data;
            replaced = true;
            break;
        }
    }
    if (!replaced)
        stored->values.push_back(value);
    return store(key.location, hive);
}

long remove(const RegistryKey& key, const std::wstring& name)
{
    Hive hive;
    const long status = load(key.location, hive);
    if (status != RegistrySuccess)
        return status;
    HiveKey* stored = findKey(hive, key.parts);
    if (!stored)
        return RegistryFileNotFound;
    for (std::size_t i = 0; i < stored->values.size(); ++i) {
        if (sameName(stored->values[i].name, name)) {
            stored->values.erase(stored->values.begin() + static_cast<std::ptrdiff_t>(i));
            return store(key.location, hive);
        }
    }
    return RegistryFileNotFound;
}

} // namespace os::linux_backend::hive
