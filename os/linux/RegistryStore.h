// The three places where the Linux registry keeps its keys, and the helpers they share.
#pragma once

#include "os/Registry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace os {

struct RegistryKey {
    enum class Kind { Autostart, Steam, Hive };
    Kind kind = Kind::Hive;
    int root = RegistryCurrentUser;
    std::vector<std::wstring> parts; // the path's parts as given
    bool writable = false;
    std::string location; // the autostart folder, or the file that holds the root
};

namespace linux_backend {

struct StoredValue {
    std::wstring name;
    std::uint32_t type = RegistryNone;
    std::vector<unsigned char> data;
};

// $HOME, or the password database's home folder; "" when neither is known.
std::string homeDirectory();
// $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config; "" when unknown.
std::string configHome();

// Registry names compare without regard to case (ASCII and Latin-1 letters).
bool sameName(const std::wstring& a, const std::wstring& b);
bool samePath(const std::vector<std::wstring>& a, const std::vector<std::wstring>& b);

// The query answer for a value found: RegistryMoreData when the buffer is too small.
long deliverValue(const StoredValue& value, std::uint32_t& type, void* data, std::uint32_t& size);
// UTF-16 little-endian bytes of the text with its terminating zero, and back (up to the
// first zero unit; an odd last byte is dropped).
std::vector<unsigned char> stringBytes(const std::wstring& text);
std::wstring bytesString(const unsigned char* data, std::size_t size);
std::string narrow(const std::wstring& text);
std::wstring widen(const std::string& text);

// Files: reads at most `limit` bytes (false when larger or unreadable); writes beside the
// target and renames into place; creates the folder and the folders above it.
bool readWholeFile(const std::string& path, std::string& contents, std::size_t limit);
bool writeFileReplacing(const std::string& path, const std::string& contents);
bool makeDirectories(const std::string& path);

// The current user's Run key: the XDG autostart folder, one NAME.desktop per value.
namespace autostart {
bool matches(int root, const std::vector<std::wstring>& parts);
long open(RegistryKey& key);
long queryInfo(const RegistryKey& key, RegistryKeyInfo& info);
long find(const RegistryKey& key, const std::wstring& name, StoredValue& value);
long set(const RegistryKey& key, const StoredValue& value);
long remove(const RegistryKey& key, const std::wstring& name);
} // namespace autostart

// The current user's Software\Valve keys: read-only, from ~/.steam/registry.vdf.
namespace steam {
bool matches(int root, const std::vector<std::wstring>& parts);
long open(RegistryKey& key);
long queryInfo(const RegistryKey& key, RegistryKeyInfo& info);
long find(const RegistryKey& key, const std::wstring& name, StoredValue& value);
} // namespace steam

// Every other key: a text file per root in $XDG_CONFIG_HOME/holmikziviza/.
namespace hive {
long open(RegistryKey& key, bool create);
long queryInfo(const RegistryKey& key, RegistryKeyInfo& info);
long find(const RegistryKey& key, const std::wstring& name, StoredValue& value);
long set(const RegistryKey& key, const StoredValue& value);
long remove(const RegistryKey& key, const std::wstring& name);
} // namespace hive

} // namespace linux_backend
} // namespace os
