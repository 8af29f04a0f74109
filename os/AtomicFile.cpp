#include "os/AtomicFile.h"

#include "os/FileSystem.h"

#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <random>

namespace os {

namespace {

// "<path>.<16 hex digits>.tmp": random per process, counted within it.
std::string temporaryName(const std::string& path)
{
    static const std::uint64_t seed =
        std::random_device{}() ^ static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    static std::atomic<std::uint64_t> counter{0};
    const std::uint64_t value = seed * 6364136223846793005ull + (++counter) * 1442695040888963407ull;
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(value));
    return path + suffix;
}

std::string folderOf(const std::string& path)
{
    const std::string::size_type slash = path.find_last_of(pathSeparator() == '/' ? "/" : "/\\");
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

} // namespace

AtomicFile::AtomicFile(const std::string& path, Sync sync) : path(path), sync(sync)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporary = temporaryName(path);
        switch (createNewFile(temporary, handle)) {
        case NewFile::Opened:
            return;
        case NewFile::Exists:
            continue;
        case NewFile::Failed:
            break;
        }
        break;
    }
    handle = -1;
    temporary.clear();
}

AtomicFile::~AtomicFile()
{
    if (handle != -1)
        closeFile(handle);
    if (!temporary.empty())
        deleteFile(temporary);
}

bool AtomicFile::write(const void* data, std::size_t size)
{
    if (handle == -1 || failed)
        return false;
    failed = !writeToFile(handle, data, size);
    return !failed;
}

bool AtomicFile::commit()
{
    if (handle == -1)
        return false;
    bool ok = !failed && (sync == Sync::Cache || flushFile(handle));
    ok = closeFile(handle) && ok;
    handle = -1;
    if (!ok || !replaceFile(temporary, path))
        return false; // the destructor removes the temporary file
    temporary.clear();
    if (sync == Sync::Durable)
        syncDirectory(folderOf(path));
    return true;
}

bool isTemporaryName(const std::string& fileName)
{
    constexpr std::size_t suffix = 1 + 16 + 4; // ".<hex>.tmp"
    if (fileName.size() <= suffix || fileName.compare(fileName.size() - 4, 4, ".tmp") != 0 ||
        fileName[fileName.size() - suffix] != '.')
        return false;
    for (std::size_t i = fileName.size() - suffix + 1; i < fileName.size() - 4; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(fileName[i])))
            return false;
    return true;
}

bool writeFileAtomically(const std::string& path, const std::string& contents, AtomicFile::Sync sync)
{
    AtomicFile file(path, sync);
    return file.write(contents) && file.commit();
}

} // namespace os
