// The current user's Software\Valve keys, read from Steam for Linux's own files: the
// KeyValues file ~/.steam/registry.vdf (Registry/HKCU/Software/Valve/...) and, for the
// install folder SteamPath, the ~/.steam/steam link that Steam keeps beside it. Steam owns
// these files: they are never written.
#include "os/linux/RegistryStore.h"
#include "os/linux/ValveKeyValues.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace os::linux_backend::steam {

namespace {

const std::size_t fileLimit = 16 << 20;

bool isSteamKey(const std::vector<std::wstring>& parts)
{
    return samePath(parts, {L"Software", L"Valve", L"Steam"});
}

// The block of registry.vdf for the key, or null when the file or the block is missing.
const KeyValues* findBlock(const KeyValues& file, const std::vector<std::wstring>& parts)
{
    const KeyValues* block = file.child("Registry");
    if (block)
        block = block->child("HKCU");
    for (const std::wstring& part : parts) {
        if (!block || !block->isBlock)
            return nullptr;
        block = block->child(narrow(part));
    }
    return block && block->isBlock ? block : nullptr;
}

bool readRegistryFile(KeyValues& file)
{
    const std::string home = homeDirectory();
    std::string text;
    return !home.empty() && readWholeFile(home + "/.steam/registry.vdf", text, fileLimit) &&
           parseKeyValues(text, file);
}

// Where ~/.steam/steam leads (a link to the install folder, or the folder itself).
std::string linkedSteamFolder()
{
    const std::string home = homeDirectory();
    if (home.empty())
        return {};
    const std::string link = home + "/.steam/steam";
    char resolved[PATH_MAX + 1];
    struct stat st;
    if (!realpath(link.c_str(), resolved) || stat(resolved, &st) != 0 || !S_ISDIR(st.st_mode))
        return {};
    return resolved;
}

StoredValue stringValue(const std::string& name, const std::string& text)
{
    StoredValue value;
    value.name = widen(name);
    value.type = RegistryString;
    value.data = stringBytes(widen(text));
    return value;
}

std::vector<StoredValue> valuesOf(const RegistryKey& key)
{
    std::vector<StoredValue> values;
    KeyValues file;
    const KeyValues* block = readRegistryFile(file) ? findBlock(file, key.parts) : nullptr;
    bool hasSteamPath = false;
    if (block) {
        for (const KeyValues& item : block->children) {
            if (item.isBlock)
                continue;
            values.push_back(stringValue(item.name, item.value));
            hasSteamPath = hasSteamPath || sameName(values.back().name, L"SteamPath");
        }
    }
    if (!hasSteamPath && isSteamKey(key.parts)) {
        const std::string folder = linkedSteamFolder();
        if (!folder.empty())
            values.push_back(stringValue("SteamPath", folder));
    }
    return values;
}

} // namespace

bool matches(int root, const std::vector<std::wstring>& parts)
{
    return root == RegistryCurrentUser && parts.size() >= 2 && sameName(parts[0], L"Software") &&
           sameName(parts[1], L"Valve");
}

long open(RegistryKey& key)
{
    if (key.writable)
        return RegistryAccessDenied;
    KeyValues file;
    if (readRegistryFile(file) && findBlock(file, key.parts))
        return RegistrySuccess;
    if (isSteamKey(key.parts) && !linkedSteamFolder().empty())
        return RegistrySuccess;
    return RegistryFileNotFound;
}

long queryInfo(const RegistryKey& key, RegistryKeyInfo& info)
{
    KeyValues file;
    if (const KeyValues* block = readRegistryFile(file) ? findBlock(file, key.parts) : nullptr)
        for (const KeyValues& item : block->children)
            info.subkeyCount += item.isBlock ? 1 : 0;
    for (const StoredValue& value : valuesOf(key)) {
        ++info.valueCount;
        if (value.name.size() > info.longestValueName)
            info.longestValueName = static_cast<std::uint32_t>(value.name.size());
        if (value.data.size() > info.longestValueData)
            info.longestValueData = static_cast<std::uint32_t>(value.data.size());
    }
    return RegistrySuccess;
}

long find(const RegistryKey& key, const std::wstring& name, StoredValue& value)
{
    for (StoredValue& candidate : valuesOf(key)) {
        if (sameName(candidate.name, name)) {
            value = std::move(candidate);
            return RegistrySuccess;
        }
    }
    return RegistryFileNotFound;
}

} // namespace os::linux_backend::steam
