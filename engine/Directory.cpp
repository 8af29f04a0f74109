#include "engine/Directory.h"

#include "os/FileSystem.h"

namespace {

std::string absolute(const std::string& path)
{
    if (path.find(os::pathSeparator()) != std::string::npos)
        return path;
    return joinPath(os::currentDirectory(), path);
}

} // namespace

std::string joinPath(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && folder.back() == os::pathSeparator())
        return folder + name;
    return folder + os::pathSeparator() + name;
}

Directory::Directory(const std::string& givenPath)
{
    const char separator = os::pathSeparator();
    if (givenPath.find(separator) != std::string::npos) {
        path = givenPath;
        name = givenPath.substr(givenPath.rfind(separator) + 1);
    } else {
        path = joinPath(os::currentDirectory(), givenPath);
        name = givenPath;
    }
    refresh();
}

void Directory::refresh()
{
    files.clear();
    directories.clear();
    std::vector<os::DirectoryEntry> entries;
    if (path.empty() || !os::listDirectory(path, entries))
        return;
    for (const os::DirectoryEntry& entry : entries) {
        if (entry.isDirectory) {
            if (entry.name != "." && entry.name != "..")
                directories.push_back(entry.name);
        } else {
            files.push_back(entry.name);
        }
    }
}

Directory Directory::createSubdirectory(const std::string& subName)
{
    Directory made = createDirectory(joinPath(path, subName));
    refresh();
    return made;
}

Directory currentDirectory()
{
    const std::string path = os::currentDirectory();
    if (path.empty())
        return Directory();
    return Directory(path);
}

Directory setCurrentDirectory(const std::string& path)
{
    os::setCurrentDirectory(path);
    return currentDirectory();
}

Directory createDirectory(const std::string& path)
{
    const std::string full = absolute(path);
    os::createDirectory(full);
    return Directory(full);
}

bool fileExists(const std::string& path) { return os::pathExists(path); }

bool deleteFile(const std::string& path) { return os::deleteFile(path); }
