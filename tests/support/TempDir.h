// A temporary folder for one test, removed with everything in it at the end.
#pragma once

#include <optional>
#include <string>

namespace testing_support {

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& contents);

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return root; }
    std::string file(const std::string& name) const { return root + "/" + name; }
    void write(const std::string& name, const std::string& contents) const { writeFile(file(name), contents); }
    std::string read(const std::string& name) const { return readFile(file(name)); }

private:
    std::string root;
};

// Points HOME and XDG_CONFIG_HOME (and XDG_DATA_HOME) into a temporary folder for the
// lifetime of the object, and restores them afterwards.
class TempHome {
public:
    TempHome();
    ~TempHome();
    const std::string& path() const { return dir.path(); }

private:
    TempDir dir;
    std::optional<std::string> saved[3];
};

// Changes the current directory for the lifetime of the object.
class ScopedCurrentDirectory {
public:
    explicit ScopedCurrentDirectory(const std::string& path);
    ~ScopedCurrentDirectory();

private:
    std::string previous;
};

// Copies the build's data folder into `destination` as the program ships it: what a run of
// the program wrote there (Settings.xml, the map cache, a half-written file) stays behind,
// so that a test starts from the template even after someone ran the program from the build.
void copyDataTemplate(const std::string& destination);


} // namespace testing_support
