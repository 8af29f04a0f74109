// The registry on Linux: each key goes to the store that keeps the same thing on this
// system (autostart folder, Steam's own file, or our own file per root).
#include "os/Registry.h"

#include "os/TextConversion.h"
#include "os/linux/RegistryStore.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace os {

namespace linux_backend {

std::string homeDirectory()
{
    const char* home = std::getenv("HOME");
    if (home && *home)
        return home;
    struct passwd entry;
    struct passwd* found = nullptr;
    char buffer[4096];
    if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_dir)
        return found->pw_dir;
    return {};
}

std::string configHome()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return config;
    const std::string home = homeDirectory();
    return home.empty() ? std::string() : home + "/.config";
}

namespace {
wchar_t fold(wchar_t c)
{
    if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<wchar_t>(c + 0x20);
    return c;
}
} // namespace

bool sameName(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i]))
            return false;
    return true;
}

bool samePath(const std::vector<std::wstring>& a, const std::vector<std::wstring>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!sameName(a[i], b[i]))
            return false;
    return true;
}

long deliverValue(const StoredValue& value, std::uint32_t& type, void* data, std::uint32_t& size)
{
    type = value.type;
    const std::uint32_t needed = static_cast<std::uint32_t>(value.data.size());
    if (!data) {
        size = needed;
        return RegistrySuccess;
    }
    if (size < needed) {
        size = needed;
        return RegistryMoreData;
    }
    if (needed)
        std::memcpy(data, value.data.data(), needed);
    size = needed;
    return RegistrySuccess;
}

std::vector<unsigned char> stringBytes(const std::wstring& text)
{
    std::vector<unsigned char> bytes;
    bytes.reserve(2 * (text.size() + 1));
    for (wchar_t c : text) {
        const unsigned unit = static_cast<unsigned>(c) & 0xFFFF;
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

std::wstring bytesString(const unsigned char* data, std::size_t size)
{
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const wchar_t unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        if (unit == 0)
            break;
        text.push_back(unit);
    }
    return text;
}

std::string narrow(const std::wstring& text) { return utf16ToUtf8(text); }

std::wstring widen(const std::string& text) { return utf8ToUtf16(text); }

bool readWholeFile(const std::string& path, std::string& contents, std::size_t limit)
{
    contents.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    char buffer[8192];
    bool ok = true;
    for (;;) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, file);
        contents.append(buffer, n);
        if (contents.size() > limit) {
            ok = false;
            break;
        }
        if (n < sizeof buffer) {
            ok = !std::ferror(file);
            break;
        }
    }
    std::fclose(file);
    return ok;
}

bool makeDirectories(const std::string& path)
{
    if (path.empty())
        return false;
    struct stat st;
    if (stat(path.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    const std::string::size_type slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && !makeDirectories(path.substr(0, slash)))
        return false;
    return mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

bool writeFileReplacing(const std::string& path, const std::string& contents)
{
    const std::string::size_type slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && !makeDirectories(path.substr(0, slash)))
        return false;
    const std::string temporary = path + ".new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    std::size_t done = 0;
    bool ok = true;
    while (done < contents.size()) {
        const ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (ok && ::fsync(fd) != 0)
        ok = false;
    if (::close(fd) != 0)
        ok = false;
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0)
        ok = false;
    if (!ok)
        ::unlink(temporary.c_str());
    return ok;
}

} // namespace linux_backend

using namespace linux_backend;

namespace {

std::vector<std::wstring> splitPath(const std::wstring& path)
{
    std::vector<std::wstring> parts;
    std::wstring part;
    for (wchar_t c : path) {
        if (c == L'\\') {
            if (!part.empty())
                parts.push_back(part);
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    if (!part.empty())
        parts.push_back(part);
    return parts;
}

long openKey(int root, const std::wstring& path, bool writable, bool create, RegistryKey*& key)
{
    key = nullptr;
    if (root < RegistryClassesRoot || root > RegistryUsers)
        return RegistryInvalidHandle;
    RegistryKey* made = new RegistryKey;
    made->root = root;
    made->parts = splitPath(path);
    made->writable = writable || create;
    long status;
    if (autostart::matches(root, made->parts)) {
        made->kind = RegistryKey::Kind::Autostart;
        status = autostart::open(*made);
    } else if (steam::matches(root, made->parts)) {
        made->kind = RegistryKey::Kind::Steam;
        status = steam::open(*made);
    } else {
        made->kind = RegistryKey::Kind::Hive;
        status = hive::open(*made, create);
    }
    if (status != RegistrySuccess) {
        delete made;
        return status;
    }
    key = made;
    return RegistrySuccess;
}

} // namespace

long registryOpenKey(int root, const std::wstring& path, bool writable, RegistryKey*& key)
{
    return openKey(root, path, writable, false, key);
}

long registryCreateKey(int root, const std::wstring& path, RegistryKey*& key)
{
    return openKey(root, path, true, true, key);
}

void registryCloseKey(RegistryKey* key) { delete key; }

long registryQueryInfo(RegistryKey* key, RegistryKeyInfo& info)
{
    info = RegistryKeyInfo();
    if (!key)
        return RegistryInvalidHandle;
    switch (key->kind) {
    case RegistryKey::Kind::Autostart:
        return autostart::queryInfo(*key, info);
    case RegistryKey::Kind::Steam:
        return steam::queryInfo(*key, info);
    case RegistryKey::Kind::Hive:
        break;
    }
    return hive::queryInfo(*key, info);
}

long registryQueryValue(RegistryKey* key, const std::wstring& name, std::uint32_t& type, void* data,
                        std::uint32_t& size)
{
    type = RegistryNone;
    if (!key)
        return RegistryInvalidHandle;
    StoredValue value;
    long status;
    switch (key->kind) {
    case RegistryKey::Kind::Autostart:
        status = autostart::find(*key, name, value);
        break;
    case RegistryKey::Kind::Steam:
        status = steam::find(*key, name, value);
        break;
    default:
        status = hive::find(*key, name, value);
        break;
    }
    if (status != RegistrySuccess)
        return status;
    return deliverValue(value, type, data, size);
}

long registrySetValue(RegistryKey* key, const std::wstring& name, std::uint32_t type, const void* data,
                      std::uint32_t size)
{
    if (!key)
        return RegistryInvalidHandle;
    if (!key->writable)
        return RegistryAccessDenied;
    if (size && !data)
        return RegistryInvalidParameter;
    StoredValue value;
    value.name = name;
    value.type = type;
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    value.data.assign(bytes, bytes + size);
    switch (key->kind) {
    case RegistryKey::Kind::Autostart:
        return autostart::set(*key, value);
    case RegistryKey::Kind::Steam:
        return RegistryAccessDenied;
    case RegistryKey::Kind::Hive:
        break;
    }
    return hive::set(*key, value);
}

long registryDeleteValue(RegistryKey* key, const std::wstring& name)
{
    if (!key)
        return RegistryInvalidHandle;
    if (!key->writable)
        return RegistryAccessDenied;
    switch (key->kind) {
    case RegistryKey::Kind::Autostart:
        return autostart::remove(*key, name);
    case RegistryKey::Kind::Steam:
        return RegistryAccessDenied;
    case RegistryKey::Kind::Hive:
        break;
    }
    return hive::remove(*key, name);
}

std::wstring expandEnvironmentStrings(const std::wstring& text)
{
    std::wstring out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == L'%') {
            const std::size_t end = text.find(L'%', i + 1);
            if (end != std::wstring::npos && end > i + 1) {
                const std::string name = narrow(text.substr(i + 1, end - i - 1));
                if (const char* value = std::getenv(name.c_str())) {
                    out += widen(value);
                    i = end + 1;
                    continue;
                }
                out.append(text, i, end - i + 1); // unknown names stay as they are
                i = end + 1;
                continue;
            }
        }
        out.push_back(text[i]);
        ++i;
    }
    return out;
}

} // namespace os
