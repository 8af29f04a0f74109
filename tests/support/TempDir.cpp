#include "tests/support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace testing_support {

TempDir::TempDir()
{
    std::random_device random;
    for (int attempt = 0; root.empty(); ++attempt) {
        const auto folder = std::filesystem::temp_directory_path() / ("holmik-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(folder))
            root = folder.string();
        else if (attempt == 100)
            throw std::runtime_error("no temporary folder");
    }
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
const char* const homeVariables[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"};
} // namespace

TempHome::TempHome()
{
    const std::string values[] = {dir.path(), dir.path() + "/.config", dir.path() + "/.local/share"};
    for (int i = 0; i < 3; ++i) {
        const char* old = std::getenv(homeVariables[i]);
        saved[i] = old ? std::optional<std::string>(old) : std::nullopt;
        setenv(homeVariables[i], values[i].c_str(), 1);
    }
}

TempHome::~TempHome()
{
    for (int i = 0; i < 3; ++i)
        if (saved[i])
            setenv(homeVariables[i], saved[i]->c_str(), 1);
        else
            unsetenv(homeVariables[i]);
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
