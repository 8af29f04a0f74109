// Registry facility of the OS seam: open keys, read, write and delete typed values.
// The calls mirror the registry functions of Windows (status codes, the size in/out of a
// query, ERROR_MORE_DATA when the buffer is short), so that the key and value classes in
// registry/ read the same on every platform. Names are UTF-16 (one unit per wchar_t).
// Linux: the current user's Run key is the XDG autostart folder, the Steam key is read from
// Steam's own registry.vdf (and its ~/.steam/steam link), any other key is a file per root
// under $XDG_CONFIG_HOME/holmikziviza/.
#pragma once

#include <cstdint>
#include <string>

namespace os {

// Status codes with the values Windows gives them.
enum RegistryStatus : long {
    RegistrySuccess = 0,
    RegistryFileNotFound = 2,   // no such key or value
    RegistryAccessDenied = 5,   // the key was opened for reading, or cannot be written
    RegistryInvalidHandle = 6,
    RegistryInvalidParameter = 87,
    RegistryMoreData = 234,     // the buffer is too small; the size says how much is needed
    RegistryBadDatabase = 1009, // the stored file is corrupt
    RegistryWriteFault = 29,    // storing failed (full disk, no folder)
};

// Value types with the codes the registry itself uses.
enum RegistryType : std::uint32_t {
    RegistryNone = 0,
    RegistryString = 1,         // REG_SZ
    RegistryExpandString = 2,   // REG_EXPAND_SZ
    RegistryBinary = 3,         // REG_BINARY
    RegistryDword = 4,          // REG_DWORD
    RegistryDwordBigEndian = 5, // REG_DWORD_BIG_ENDIAN
    RegistryMultiString = 7,    // REG_MULTI_SZ
    RegistryQword = 11,         // REG_QWORD
};

// Root keys by index: 0 classes root, 1 current user, 2 local machine, 3 users.
enum RegistryRoot : int {
    RegistryClassesRoot = 0,
    RegistryCurrentUser = 1,
    RegistryLocalMachine = 2,
    RegistryUsers = 3,
};

// An open key; what it holds is the backend's.
struct RegistryKey;

struct RegistryKeyInfo {
    std::uint32_t subkeyCount = 0;
    std::uint32_t valueCount = 0;
    std::uint32_t longestValueName = 0; // in UTF-16 units, without the terminating zero
    std::uint32_t longestValueData = 0; // in bytes
};

// Opens an existing key below a root (the path's parts separated by '\\'; empty parts, as
// from a trailing backslash, are ignored; case does not matter). Never creates it.
long registryOpenKey(int root, const std::wstring& path, bool writable, RegistryKey*& key);
// Opens the key, creating it and the keys above it when missing (writable).
long registryCreateKey(int root, const std::wstring& path, RegistryKey*& key);
void registryCloseKey(RegistryKey* key);

long registryQueryInfo(RegistryKey* key, RegistryKeyInfo& info);
// Reads a value: `size` holds the buffer's capacity in bytes and comes back with the value's
// size. A short buffer gives RegistryMoreData (the buffer is then left alone); `data` may be
// null to ask for the size only.
long registryQueryValue(RegistryKey* key, const std::wstring& name, std::uint32_t& type, void* data,
                        std::uint32_t& size);
long registrySetValue(RegistryKey* key, const std::wstring& name, std::uint32_t type, const void* data,
                      std::uint32_t size);
long registryDeleteValue(RegistryKey* key, const std::wstring& name);

// Replaces %NAME% by the environment variable NAME where it is set.
std::wstring expandEnvironmentStrings(const std::wstring& text);

} // namespace os
