// One way to replace a file so that readers (and the next start, after a crash or a power
// cut) see either the old file or the whole new one: the bytes go to a file of a unique name
// beside it (two programs saving at once never share one), which is flushed to the disk,
// closed, checked and moved over the old file in one step; the folder's list of names is
// then flushed too. A file given up, or any failure, removes the temporary file.
//
//     os::AtomicFile out("Settings.xml");
//     out.write(text) && out.commit();
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace os {

class AtomicFile {
public:
    // Durable: flushed to the disk before the move (settings). Cache: moved in whole, but
    // not flushed, as a picture that can be fetched again is not worth the disk's time.
    enum class Sync { Durable, Cache };

    explicit AtomicFile(const std::string& path, Sync sync = Sync::Durable);
    ~AtomicFile(); // removes the temporary file unless commit() succeeded
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False when the folder took no new file (it is not writable, or it is missing).
    bool isOpen() const { return handle != -1; }
    // False once any write has failed; later writes do nothing.
    bool write(const void* data, std::size_t size);
    bool write(const std::string& text) { return write(text.data(), text.size()); }
    // Flushes, closes and moves the file into place; true when the new file stands there.
    bool commit();

private:
    std::string path;
    std::string temporary;
    std::intptr_t handle = -1;
    Sync sync;
    bool failed = false;
};

// Whether a file name is one of the temporary names above ("<name>.<16 hex digits>.tmp"):
// one left behind by a program that ended during a write, which a start may remove once it
// knows no other copy runs.
bool isTemporaryName(const std::string& fileName);

// The whole of `contents` as the file `path`, as above.
bool writeFileAtomically(const std::string& path, const std::string& contents,
                         AtomicFile::Sync sync = AtomicFile::Sync::Durable);

// What each backend provides for the class above (os/AtomicFile.cpp).
enum class NewFile { Opened, Exists, Failed };
// Makes `path` only when nothing has that name (O_EXCL, CREATE_NEW), open for writing.
NewFile createNewFile(const std::string& path, std::intptr_t& handle);
bool writeToFile(std::intptr_t handle, const void* data, std::size_t size);
// fsync, _commit: the file's bytes on the disk.
bool flushFile(std::intptr_t handle);
// True when every byte written reached the file.
bool closeFile(std::intptr_t handle);

} // namespace os
