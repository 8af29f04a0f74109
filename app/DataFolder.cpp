#include "app/DataFolder.h"

#include "BuildConfig.h"
#include "engine/Directory.h"
#include "os/FileSystem.h"

#include <cstdio>
#include <vector>

namespace DataFolder {

namespace {

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The whole file, or false when it cannot be read.
bool readWhole(const std::string& path, std::string& out)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    out.clear();
    char buffer[64 * 1024];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        out.append(buffer, n);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

bool sameContent(const std::string& a, const std::string& b)
{
    std::string left, right;
    return readWhole(a, left) && readWhole(b, right) && left == right;
}

// Makes `path` and every missing folder above it.
bool makeFolders(const std::string& path)
{
    if (path.empty() || os::isDirectory(path))
        return !path.empty();
    const std::string::size_type cut = path.find_last_of("/\\");
    if (cut != std::string::npos && cut > 0 && !makeFolders(path.substr(0, cut)))
        return false;
    return os::createDirectory(path) || os::isDirectory(path);
}

} // namespace

bool isUsersOwn(const std::string& name)
{
    return name == "Settings.xml" || endsWith(name, ".lang") || endsWith(name, ".langmaster");
}

bool bringUpToDate(const std::string& templateData, const std::string& userData, std::string& problem)
{
    std::vector<os::DirectoryEntry> entries;
    if (!os::listDirectory(templateData, entries)) {
        problem = "Cannot read the data folder template " + templateData;
        return false;
    }
    if (!makeFolders(userData)) {
        problem = "Cannot create the data folder " + userData;
        return false;
    }
    for (const os::DirectoryEntry& entry : entries) {
        if (entry.isDirectory)
            continue;
        const std::string from = joinPath(templateData, entry.name);
        const std::string to = joinPath(userData, entry.name);
        const bool present = os::pathExists(to);
        if (present && (isUsersOwn(entry.name) || sameContent(from, to)))
            continue;
        if (!os::copyFile(from, to)) {
            problem = "Cannot copy " + from + " to " + to;
            return false;
        }
    }
    return true;
}

std::string runFolder(const std::string& programFolder, const std::string& userDataHome, std::string& problem)
{
    problem.clear();
    if (programFolder.empty())
        return {};
    if (os::isDirectory(joinPath(programFolder, "data")))
        return programFolder;
    const std::string templateData = joinPath(programFolder, BuildConfig::installedTemplateFromBin);
    if (!os::isDirectory(templateData))
        return {};
    if (userDataHome.empty()) {
        problem = "Cannot find a folder for the settings: HOME is not set";
        return {};
    }
    const std::string own = joinPath(userDataHome, userFolderName);
    if (!bringUpToDate(templateData, joinPath(own, "data"), problem))
        return {};
    return own;
}

std::string dataFolder(const std::string& programFolder, const std::string& userDataHome)
{
    if (!programFolder.empty() && os::isDirectory(joinPath(programFolder, "data")))
        return joinPath(programFolder, "data");
    const std::string own = joinPath(joinPath(userDataHome, userFolderName), "data");
    if (!userDataHome.empty() && os::isDirectory(own))
        return own;
    return "data";
}

} // namespace DataFolder
