// A folder with the names of its files and subfolders, and the current-folder helpers.
// Nothing here shows a message: failures are empty lists, false, or another folder.
#pragma once

#include <string>
#include <vector>

class Directory {
public:
    Directory() = default;
    // A path without a separator is a name below the current directory.
    explicit Directory(const std::string& path);

    void refresh();
    Directory createSubdirectory(const std::string& name);

    const std::string& getPath() const { return path; }
    const std::string& getName() const { return name; }
    const std::vector<std::string>& getFiles() const { return files; }
    const std::vector<std::string>& getDirectories() const { return directories; }

private:
    std::string path;
    std::string name;
    std::vector<std::string> files;
    std::vector<std::string> directories;
};

Directory currentDirectory();
// Reports nothing: a failed change leaves the current directory, which is returned.
Directory setCurrentDirectory(const std::string& path);
// Returns the folder whether it was just made or was there already.
Directory createDirectory(const std::string& path);

// True when anything matches; the last component may hold * and ?.
bool fileExists(const std::string& path);
bool deleteFile(const std::string& path);

// The path with the system's separator between folder and name.
std::string joinPath(const std::string& folder, const std::string& name);
