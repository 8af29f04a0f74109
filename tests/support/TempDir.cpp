#include "tests/support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace testing_support {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "holmik-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    root = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

void TempDir::write(const std::string& name, const std::string& contents) const { writeFile(file(name), contents); }

std::string TempDir::read(const std::string& name) const { return readFile(file(name)); }

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFile(const std::string& path, const std::string& contents)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
}

void copyDataTemplate(const std::string& destination)
{
    namespace fs = std::filesystem;
    fs::create_directories(destination);
    for (const auto& entry : fs::directory_iterator(HOLMIK_DATA_DIR)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("Settings.xml", 0) == 0 || name == "mapOverViews")
            continue;
        fs::copy(entry.path(), fs::path(destination) / name, fs::copy_options::recursive);
    }
}

namespace {
bool save(const char* name, std::string& value)
{
    const char* v = std::getenv(name);
    if (v)
        value = v;
    return v != nullptr;
}
void restore(const char* name, bool had, const std::string& value)
{
    if (had)
        setenv(name, value.c_str(), 1);
    else
        unsetenv(name);
}
} // namespace

TempHome::TempHome()
{
    hadHome = save("HOME", oldHome);
    hadConfig = save("XDG_CONFIG_HOME", oldConfig);
    hadData = save("XDG_DATA_HOME", oldData);
    setenv("HOME", dir.path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (dir.path() + "/.config").c_str(), 1);
    setenv("XDG_DATA_HOME", (dir.path() + "/.local/share").c_str(), 1);
}

TempHome::~TempHome()
{
    restore("HOME", hadHome, oldHome);
    restore("XDG_CONFIG_HOME", hadConfig, oldConfig);
    restore("XDG_DATA_HOME", hadData, oldData);
}

ScopedCurrentDirectory::ScopedCurrentDirectory(const std::string& path)
{
    previous = std::filesystem::current_path().string();
    std::filesystem::current_path(path);
}

ScopedCurrentDirectory::~ScopedCurrentDirectory()
{
    std::error_code ignored;
    std::filesystem::current_path(previous, ignored);
}

} // namespace testing_support
