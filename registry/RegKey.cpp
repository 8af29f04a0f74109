#include "registry/RegKey.h"

#include "os/Registry.h"

#include <algorithm>
#include <vector>

namespace Registry {

namespace {
// No value is this big; a store that keeps asking for more is broken.
const std::uint32_t largestValue = 1u << 30;
} // namespace

RegKey& RegKey::operator=(const RegKey& other)
{
    if (this == &other)
        return *this;
    if (handle != other.handle)
        closeIfLast();
    Engine::RefCounter::operator=(other);
    handle = other.handle;
    writable = other.writable;
    path = other.path;
    root = other.root;
    longest = other.longest;
    subkeyCount = other.subkeyCount;
    valueCount = other.valueCount;
    return *this;
}

RegKey::~RegKey() { closeIfLast(); }

void RegKey::closeIfLast()
{
    if (handle && isUnique())
        os::registryCloseKey(handle);
    handle = nullptr;
}

RegKey RegKey::open(int root, const std::wstring& path, bool& ok, bool writable)
{
    RegKey key;
    key.root = root;
    key.path = path;
    key.writable = writable;
    ok = os::registryOpenKey(root, path, writable, key.handle) == os::RegistrySuccess;
    if (!ok)
        key.handle = nullptr;
    else
        key.refresh();
    return key;
}

RegKey RegKey::create(int root, const std::wstring& path, bool& ok)
{
    RegKey key;
    key.root = root;
    key.path = path;
    key.writable = true;
    ok = os::registryCreateKey(root, path, key.handle) == os::RegistrySuccess;
    if (!ok)
        key.handle = nullptr;
    else
        key.refresh();
    return key;
}

void RegKey::refresh()
{
    os::RegistryKeyInfo info;
    if (!handle || os::registryQueryInfo(handle, info) != os::RegistrySuccess)
        return;
    longest = std::max(info.longestValueName, info.longestValueData);
    subkeyCount = info.subkeyCount;
    valueCount = info.valueCount;
}

RegValue RegKey::getValue(const std::wstring& name, bool& ok) const
{
    ok = false;
    if (!handle)
        return RegValue();
    std::uint32_t capacity = static_cast<std::uint32_t>(std::min<std::uint64_t>(2ull * longest + 1, largestValue));
    std::vector<unsigned char> buffer(capacity);
    std::uint32_t type = 0;
    std::uint32_t size = capacity;
    long status = os::registryQueryValue(handle, name, type, buffer.data(), size);
    while (status == os::RegistryMoreData) {
        if (capacity >= largestValue)
            return RegValue();
        capacity *= 2;
        buffer.assign(capacity, 0);
        size = capacity;
        status = os::registryQueryValue(handle, name, type, buffer.data(), size);
    }
    if (status != os::RegistrySuccess)
        return RegValue();
    ok = true;
    const ValueKind kind = RegValue::kindOf(type);
    if (kind == KindEmpty)
        return RegValue();
    return RegValue(name, kind, buffer.data(), std::min(size, capacity));
}

void RegKey::setValue(const RegValue& value, bool& ok)
{
    ok = false;
    const std::uint32_t type = RegValue::registryType(value.getKind());
    if (!handle || value.getName().empty() || type == os::RegistryNone)
        return;
    static const unsigned char emptyString[2] = {0, 0};
    const bool isString = value.getKind() == KindString || value.getKind() == KindExpandString;
    const void* data = value.getData();
    std::uint32_t size = value.getSize();
    if (isString && size < 2) {
        data = emptyString;
        size = 2;
    }
    ok = os::registrySetValue(handle, value.getName(), type, data, size) == os::RegistrySuccess;
    if (ok)
        refresh();
}

void RegKey::deleteValue(const std::wstring& name, bool& ok)
{
    ok = handle && os::registryDeleteValue(handle, name) == os::RegistrySuccess;
    if (handle)
        refresh();
}

} // namespace Registry
