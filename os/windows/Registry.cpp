// The registry on Windows: advapi32 itself. RegOpenKeyExW (KEY_ALL_ACCESS or KEY_READ),
// RegCreateKeyExW, RegQueryInfoKeyW, RegQueryValueExW, RegSetValueExW, RegDeleteValueW and
// RegCloseKey on the real keys (the current user's Run key, Valve\Steam, ...), and
// ExpandEnvironmentStringsW. Status codes and value types pass through unchanged: the seam
// uses Windows' own numbers.
#include "os/Registry.h"

#include <windows.h>

namespace os {

struct RegistryKey {
    HKEY handle = nullptr;
};

namespace {

bool rootKey(int root, HKEY& key)
{
    switch (root) {
    case RegistryClassesRoot: key = HKEY_CLASSES_ROOT; return true;
    case RegistryCurrentUser: key = HKEY_CURRENT_USER; return true;
    case RegistryLocalMachine: key = HKEY_LOCAL_MACHINE; return true;
    case RegistryUsers: key = HKEY_USERS; return true;
    default: return false;
    }
}

// "Software\\Valve\\Steam\\" -> "Software\\Valve\\Steam": empty parts are dropped.
std::wstring cleanPath(const std::wstring& path)
{
    std::wstring out;
    std::wstring part;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == L'\\') {
            if (!part.empty()) {
                if (!out.empty())
                    out.push_back(L'\\');
                out += part;
                part.clear();
            }
        } else {
            part.push_back(path[i]);
        }
    }
    return out;
}

long opened(LONG status, HKEY handle, RegistryKey*& key)
{
    key = nullptr;
    if (status != ERROR_SUCCESS)
        return status;
    key = new RegistryKey{handle};
    return RegistrySuccess;
}

} // namespace

long registryOpenKey(int root, const std::wstring& path, bool writable, RegistryKey*& key)
{
    key = nullptr;
    HKEY base = nullptr;
    if (!rootKey(root, base))
        return RegistryInvalidHandle;
    HKEY handle = nullptr;
    const LONG status = RegOpenKeyExW(base, cleanPath(path).c_str(), 0, writable ? KEY_ALL_ACCESS : KEY_READ, &handle);
    return opened(status, handle, key);
}

long registryCreateKey(int root, const std::wstring& path, RegistryKey*& key)
{
    key = nullptr;
    HKEY base = nullptr;
    if (!rootKey(root, base))
        return RegistryInvalidHandle;
    HKEY handle = nullptr;
    const LONG status = RegCreateKeyExW(base, cleanPath(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_ALL_ACCESS, nullptr, &handle, nullptr);
    return opened(status, handle, key);
}

void registryCloseKey(RegistryKey* key)
{
    if (!key)
        return;
    RegCloseKey(key->handle);
    delete key;
}

long registryQueryInfo(RegistryKey* key, RegistryKeyInfo& info)
{
    if (!key)
        return RegistryInvalidHandle;
    DWORD subkeys = 0, values = 0, longestName = 0, longestData = 0;
    const LONG status = RegQueryInfoKeyW(key->handle, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                                         &longestName, &longestData, nullptr, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    info.subkeyCount = subkeys;
    info.valueCount = values;
    info.longestValueName = longestName;
    info.longestValueData = longestData;
    return RegistrySuccess;
}

long registryQueryValue(RegistryKey* key, const std::wstring& name, std::uint32_t& type, void* data,
                        std::uint32_t& size)
{
    if (!key)
        return RegistryInvalidHandle;
    DWORD valueType = 0;
    DWORD valueSize = data ? size : 0;
    const LONG status = RegQueryValueExW(key->handle, name.c_str(), nullptr, &valueType, static_cast<BYTE*>(data),
                                         &valueSize);
    type = valueType;
    size = valueSize;
    return status;
}

long registrySetValue(RegistryKey* key, const std::wstring& name, std::uint32_t type, const void* data,
                      std::uint32_t size)
{
    if (!key)
        return RegistryInvalidHandle;
    return RegSetValueExW(key->handle, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
}

long registryDeleteValue(RegistryKey* key, const std::wstring& name)
{
    if (!key)
        return RegistryInvalidHandle;
    return RegDeleteValueW(key->handle, name.c_str());
}

std::wstring expandEnvironmentStrings(const std::wstring& text)
{
    const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (needed == 0)
        return text;
    std::wstring out(needed, L'\0');
    const DWORD written = ExpandEnvironmentStringsW(text.c_str(), out.data(), needed);
    if (written == 0 || written > needed)
        return text;
    out.resize(written - 1); // without the terminating zero
    return out;
}

} // namespace os
