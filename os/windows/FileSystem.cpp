// File system on Windows: the kernel's wide functions on UTF-8 paths converted to UTF-16:
// GetCurrentDirectoryW/SetCurrentDirectoryW, FindFirstFileW/FindNextFileW (listings and the
// wildcard test), CreateDirectoryW, GetFileAttributesW, DeleteFileW, MoveFileExW and
// GetModuleFileNameW, CopyFileW and %LOCALAPPDATA%. Paths are joined with '\'; the system takes '/' as well.
#include "os/FileSystem.h"

#include "os/AtomicFile.h"
#include "os/TextConversion.h"

#include <algorithm>
#include <cstdlib>
#include <windows.h>

namespace os {

namespace {

std::wstring wide(const std::string& path) { return utf8ToUtf16(path); }

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// "C:\dir\" -> "C:\dir"; a drive root ("C:\") and "\" keep their separator.
std::string withoutTrailingSeparator(std::wstring path)
{
    while (path.size() > 1 && isSeparator(path.back()) && !(path.size() == 3 && path[1] == L':'))
        path.pop_back();
    return utf16ToUtf8(path);
}

} // namespace

char pathSeparator() { return '\\'; }

std::string currentDirectory()
{
    const DWORD needed = GetCurrentDirectoryW(0, nullptr);
    if (needed == 0)
        return {};
    std::wstring buffer(needed, L'\0');
    const DWORD length = GetCurrentDirectoryW(needed, buffer.data());
    if (length == 0 || length >= needed)
        return {};
    buffer.resize(length);
    return withoutTrailingSeparator(buffer);
}

bool setCurrentDirectory(const std::string& path)
{
    return !path.empty() && SetCurrentDirectoryW(wide(path).c_str()) != 0;
}

bool listDirectory(const std::string& path, std::vector<DirectoryEntry>& entries)
{
    entries.clear();
    std::wstring pattern = wide(path.empty() ? "." : path);
    if (!isSeparator(pattern.back()))
        pattern.push_back(L'\\');
    pattern.push_back(L'*');
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND; // an empty drive root lists nothing
    do {
        DirectoryEntry item;
        item.name = utf16ToUtf8(found.cFileName);
        item.isDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entries.push_back(std::move(item));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
}

bool createDirectory(const std::string& path) { return CreateDirectoryW(wide(path).c_str(), nullptr) != 0; }

bool isDirectory(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool pathExists(const std::string& pattern)
{
    if (pattern.empty())
        return false;
    std::wstring path = wide(pattern);
    while (path.size() > 1 && isSeparator(path.back()) && !(path.size() == 3 && path[1] == L':'))
        path.pop_back();
    if (path.find_first_of(L"*?") == std::wstring::npos)
        return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

bool deleteFile(const std::string& path) { return DeleteFileW(wide(path).c_str()) != 0; }

bool replaceFile(const std::string& from, const std::string& to)
{
    // A reader (a virus scanner, the search indexer) holding the old file refuses the move
    // for a moment: try again a few times, as git does.
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        if (GetLastError() != ERROR_ACCESS_DENIED || attempt == 4)
            return false;
        Sleep(10 << attempt);
    }
}

bool syncFile(const std::string& path)
{
    HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool synced = FlushFileBuffers(file) != 0;
    return CloseHandle(file) != 0 && synced;
}

// NTFS writes a rename through its journal; a folder cannot be flushed on its own.
bool syncDirectory(const std::string&) { return true; }

bool rewriteFile(const std::string& path, const std::string& contents)
{
    HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) != 0;
    LARGE_INTEGER wanted{};
    wanted.QuadPart = static_cast<LONGLONG>(contents.size());
    // Growing the file first fails on a full disk before a byte of the old contents changes.
    if (ok && wanted.QuadPart > size.QuadPart)
        ok = SetFilePointerEx(file, wanted, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    LARGE_INTEGER start{};
    ok = ok && SetFilePointerEx(file, start, nullptr, FILE_BEGIN);
    for (std::size_t done = 0; ok && done < contents.size();) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(contents.size() - done, 1 << 20));
        ok = WriteFile(file, contents.data() + done, chunk, &written, nullptr) && written > 0;
        done += written;
    }
    ok = ok && SetFilePointerEx(file, wanted, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    ok = ok && FlushFileBuffers(file);
    return CloseHandle(file) != 0 && ok;
}

std::string executableDirectory()
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    const std::wstring::size_type slash = buffer.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return {};
    return withoutTrailingSeparator(buffer.substr(0, slash + 1));
}

bool copyFile(const std::string& from, const std::string& to)
{
    const std::wstring temporary = wide(to + ".part");
    if (!CopyFileW(wide(from).c_str(), temporary.c_str(), FALSE))
        return false;
    if (MoveFileExW(temporary.c_str(), wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temporary.c_str());
    return false;
}

std::string userDataDirectory()
{
    const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
    return local && local[0] ? withoutTrailingSeparator(local) : std::string();
}

} // namespace os

// The primitives of os/AtomicFile.h.
namespace os {

NewFile createNewFile(const std::string& path, std::intptr_t& handle)
{
    HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    handle = file == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<std::intptr_t>(file);
    if (file != INVALID_HANDLE_VALUE)
        return NewFile::Opened;
    return GetLastError() == ERROR_FILE_EXISTS ? NewFile::Exists : NewFile::Failed;
}

bool writeToFile(std::intptr_t handle, const void* data, std::size_t size)
{
    const char* bytes = static_cast<const char*>(data);
    for (std::size_t done = 0; done < size;) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - done, 1 << 20));
        if (!WriteFile(reinterpret_cast<HANDLE>(handle), bytes + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

bool flushFile(std::intptr_t handle) { return FlushFileBuffers(reinterpret_cast<HANDLE>(handle)) != 0; }

bool closeFile(std::intptr_t handle) { return CloseHandle(reinterpret_cast<HANDLE>(handle)) != 0; }

} // namespace os
