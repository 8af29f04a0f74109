#include "tests/support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace testing_support {

TempDir::TempDir()
{
    std::random_device random;
    do
        root = (fs::temp_directory_path() / ("holmik-test-" + std::to_string(random()))).string();
    while (!fs::create_directory(root));
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFile(const std::string& path, const std::string& contents)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << contents;
}

void copyDataTemplate(const std::string& destination)
{
    fs::create_directories(destination);
    for (const auto& entry : fs::directory_iterator(HOLMIK_DATA_DIR)) {
        const std::string name = entry.path().filename().string();
        // What a run of the program from the build folder leaves there stays out of a test's copy.
        if (name.rfind("Settings.xml", 0) != 0 && name.rfind("History.sqlite", 0) != 0 && name != "mapOverViews" &&
            name != "HolmikZiviza.lock")
            fs::copy(entry.path(), fs::path(destination) / name, fs::copy_options::recursive);
    }
}

TempHome::TempHome()
{
    const std::string values[] = {dir.path(), dir.path() + "/.config", dir.path() + "/.local/share"};
    for (int i = 0; i < 3; ++i) {
        saved[i] = std::getenv(names[i]) ? std::optional<std::string>(std::getenv(names[i])) : std::nullopt;
        setenv(names[i], values[i].c_str(), 1);
    }
}

TempHome::~TempHome()
{
    for (int i = 0; i < 3; ++i)
        saved[i] ? setenv(names[i], saved[i]->c_str(), 1) : unsetenv(names[i]);
}

ScopedCurrentDirectory::ScopedCurrentDirectory(const std::string& path) : previous(fs::current_path().string())
{
    fs::current_path(path);
}

ScopedCurrentDirectory::~ScopedCurrentDirectory()
{
    std::error_code ignored;
    fs::current_path(previous, ignored);
}

} // namespace testing_support
