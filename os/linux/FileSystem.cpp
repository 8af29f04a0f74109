// File system on Linux: getcwd/chdir, opendir, mkdir, unlink, rename, fnmatch for the
// wildcard test (the last path component only, as FindFirstFile does); copies with
// read/write into a temporary file and rename; the XDG base directories.
#include "os/FileSystem.h"

#include "os/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

namespace os {

char pathSeparator() { return '/'; }

std::string currentDirectory()
{
    char buffer[PATH_MAX + 1] = {};
    if (!getcwd(buffer, sizeof buffer))
        return {};
    std::string path(buffer);
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

bool setCurrentDirectory(const std::string& path) { return !path.empty() && chdir(path.c_str()) == 0; }

bool listDirectory(const std::string& path, std::vector<DirectoryEntry>& entries)
{
    entries.clear();
    DIR* dir = opendir(path.empty() ? "." : path.c_str());
    if (!dir)
        return false;
    while (dirent* entry = readdir(dir)) {
        DirectoryEntry item;
        item.name = entry->d_name;
        if (entry->d_type == DT_DIR) {
            item.isDirectory = true;
        } else if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            item.isDirectory = isDirectory(path + "/" + item.name);
        }
        entries.push_back(std::move(item));
    }
    closedir(dir);
    return true;
}

bool createDirectory(const std::string& path) { return mkdir(path.c_str(), 0777) == 0; }

bool isDirectory(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool pathExists(const std::string& pattern)
{
    if (pattern.empty())
        return false;
    std::string::size_type slash = pattern.rfind('/');
    std::string name = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
    if (name.find_first_of("*?") == std::string::npos) {
        struct stat st;
        return lstat(pattern.c_str(), &st) == 0;
    }
    std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : pattern.substr(0, slash));
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return false;
    bool found = false;
    while (dirent* entry = readdir(dir)) {
        if (fnmatch(name.c_str(), entry->d_name, FNM_PERIOD) == 0) {
            found = true;
            break;
        }
    }
    closedir(dir);
    return found;
}

bool deleteFile(const std::string& path)
{
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    return unlink(path.c_str()) == 0;
}

bool replaceFile(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()) == 0; }

bool syncFile(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = fsync(fd) == 0;
    return close(fd) == 0 && synced;
}

bool syncDirectory(const std::string& path)
{
    const int fd = open(path.empty() ? "." : path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // Some file systems cannot flush a folder and say so; there is nothing more to do.
    const bool synced = fsync(fd) == 0 || errno == EINVAL;
    return close(fd) == 0 && synced;
}

bool rewriteFile(const std::string& path, const std::string& contents)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    struct stat info {};
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    // Growing the file first fails on a full disk before a byte of the old contents changes.
    if (ok && static_cast<off_t>(contents.size()) > info.st_size)
        ok = posix_fallocate(fd, 0, static_cast<off_t>(contents.size())) == 0;
    for (std::size_t done = 0; ok && done < contents.size();) {
        const ssize_t w = pwrite(fd, contents.data() + done, contents.size() - done, static_cast<off_t>(done));
        if (w < 0 && errno == EINTR)
            continue;
        ok = w > 0;
        if (ok)
            done += static_cast<std::size_t>(w);
    }
    ok = ok && ftruncate(fd, static_cast<off_t>(contents.size())) == 0;
    ok = ok && fsync(fd) == 0;
    return close(fd) == 0 && ok;
}

std::string executableDirectory()
{
    char buffer[PATH_MAX + 1] = {};
    ssize_t n = readlink("/proc/self/exe", buffer, PATH_MAX);
    if (n <= 0)
        return {};
    std::string path(buffer, static_cast<std::size_t>(n));
    std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash == 0 ? 1 : slash);
}

bool copyFile(const std::string& from, const std::string& to)
{
    const int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    struct stat info {};
    if (fstat(in, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(in);
        return false;
    }
    const std::string temporary = to + ".part";
    const mode_t mode = (info.st_mode & 0111) ? 0755 : 0644;
    const int out = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (out < 0) {
        close(in);
        return false;
    }
    bool ok = true;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = read(in, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = write(out, buffer + done, static_cast<std::size_t>(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0) {
                ok = false;
                break;
            }
            done += w;
        }
        if (!ok)
            break;
    }
    close(in);
    // The umask may have taken bits away from the new file; the copy keeps the source's.
    ok = fchmod(out, mode) == 0 && ok;
    ok = close(out) == 0 && ok;
    if (ok && std::rename(temporary.c_str(), to.c_str()) == 0)
        return true;
    unlink(temporary.c_str());
    return false;
}

std::string userDataDirectory()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/')
        return data;
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/')
        return {};
    std::string path(home);
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path + "/.local/share";
}

} // namespace os

// The primitives of os/AtomicFile.h.
namespace os {

NewFile createNewFile(const std::string& path, std::intptr_t& handle)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    handle = fd;
    if (fd >= 0)
        return NewFile::Opened;
    return errno == EEXIST ? NewFile::Exists : NewFile::Failed;
}

bool writeToFile(std::intptr_t handle, const void* data, std::size_t size)
{
    const char* bytes = static_cast<const char*>(data);
    for (std::size_t done = 0; done < size;) {
        const ssize_t w = ::write(static_cast<int>(handle), bytes + done, size - done);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return false;
        done += static_cast<std::size_t>(w);
    }
    return true;
}

bool flushFile(std::intptr_t handle) { return fsync(static_cast<int>(handle)) == 0; }

bool closeFile(std::intptr_t handle) { return close(static_cast<int>(handle)) == 0; }

} // namespace os
