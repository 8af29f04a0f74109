// File system on Linux: getcwd/chdir, opendir, mkdir, unlink, rename, fnmatch for the
// wildcard test (the last path component only, as FindFirstFile does).
#include "os/FileSystem.h"

#include <cerrno>
#include <climits>
#include <cstdio>
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

} // namespace os
