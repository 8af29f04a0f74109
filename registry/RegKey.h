// An open registry key. Copies share the key and its count; the last copy closes it.
// Nothing here throws or shows a message: every operation reports through `ok`.
//
//   bool ok = false;
//   Registry::RegKey run = Registry::RegKey::open(Registry::CurrentUser,
//       L"Software\\Microsoft\\Windows\\CurrentVersion\\Run\\", ok, true);
//   run.setValue(Registry::RegValue(L"Name", L"text", false), ok);
//   std::string text = run.getValue(L"Name", ok).asString();
#pragma once

#include "engine/RefCounter.h"
#include "registry/RegValue.h"

#include <cstdint>
#include <string>

namespace os {
struct RegistryKey;
}

namespace Registry {

// The predefined roots by index.
enum Root : int {
    ClassesRoot = 0,
    CurrentUser = 1,
    LocalMachine = 2,
    Users = 3,
};

class RegKey : public Engine::RefCounter {
public:
    // A key that did not open: every query on it fails.
    RegKey() = default;
    RegKey(const RegKey& other) = default;
    RegKey& operator=(const RegKey& other);
    ~RegKey() override;

    // Opens an existing key for reading, or for writing when `writable`; never creates it.
    // ok says whether it opened; a failed open gives a key without a handle.
    static RegKey open(int root, const std::wstring& path, bool& ok, bool writable = false);
    // Opens the key for writing, creating it (and the keys above it) when missing.
    static RegKey create(int root, const std::wstring& path, bool& ok);

    // Reads a value whole, however long; ok = false and an empty value when it cannot.
    RegValue getValue(const std::wstring& name, bool& ok) const;
    // Writes a value (ok = false for an empty name or an empty value).
    void setValue(const RegValue& value, bool& ok);
    void deleteValue(const std::wstring& name, bool& ok);

    bool isOpen() const { return handle != nullptr; }
    bool isWritable() const { return writable; }
    const std::wstring& getPath() const { return path; }
    int getRoot() const { return root; }
    // The longest value name (in characters) or data (in bytes), as last read from the key.
    std::uint32_t getLongest() const { return longest; }
    std::uint32_t getSubkeyCount() const { return subkeyCount; }
    std::uint32_t getValueCount() const { return valueCount; }

private:
    void refresh();
    void closeIfLast();

    os::RegistryKey* handle = nullptr;
    bool writable = false;
    std::wstring path;
    int root = CurrentUser;
    std::uint32_t longest = 0;
    std::uint32_t subkeyCount = 0;
    std::uint32_t valueCount = 0;
};

} // namespace Registry
