// File-system facility of the OS seam: current folder, listings, create and delete.
// Paths are UTF-8; each backend joins them with its own separator.
#pragma once

#include <string>
#include <vector>

namespace os {

// The separator the program writes between path components ('/' or '\\').
char pathSeparator();

// Absolute path of the current directory without a trailing separator; "" on failure.
std::string currentDirectory();
bool setCurrentDirectory(const std::string& path);

struct DirectoryEntry {
    std::string name;
    bool isDirectory = false;
};
// Every entry of the folder (including "." and ".." where the system lists them),
// in the order the system gives them. False when the folder cannot be listed.
bool listDirectory(const std::string& path, std::vector<DirectoryEntry>& entries);

// True when the folder was made; false when it exists already or cannot be made.
bool createDirectory(const std::string& path);
// True when anything matches: the last component may hold the wildcards * and ?.
bool pathExists(const std::string& pattern);
bool isDirectory(const std::string& path);
bool deleteFile(const std::string& path);
// Replaces `to` with `from` in one step where the system allows it.
bool replaceFile(const std::string& from, const std::string& to);

// Flushes the file's contents to the disk; false when it cannot be opened or flushed.
bool syncFile(const std::string& path);
// Flushes a folder's list of names (a file renamed into it) to the disk; true where the
// system keeps no such list apart.
bool syncDirectory(const std::string& path);
// Rewrites the existing file `path` in place with `contents`, for a folder that takes no new
// file: the space is reserved first, so that a full disk leaves the old contents as they
// were; the result is flushed to the disk. False when the file cannot be written.
bool rewriteFile(const std::string& path, const std::string& contents);

// Folder of the running executable, without a trailing separator; "" when unknown.
std::string executableDirectory();

// Copies the file `from` over `to` (through a temporary file beside `to`, so that `to` is
// either the old file or the whole new one), keeping whether it may be executed.
bool copyFile(const std::string& from, const std::string& to);

// The folder where this user's programs keep their own data: $XDG_DATA_HOME, else
// ~/.local/share on Linux; %LOCALAPPDATA% on Windows. "" when unknown.
std::string userDataDirectory();

} // namespace os
