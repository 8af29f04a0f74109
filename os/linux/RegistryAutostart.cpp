// The current user's Run key as the XDG autostart folder: a string value NAME is the file
// NAME.desktop, whose Exec line holds the value's text as one quoted argument. A desktop
// session starts what that line names at log-in; a file with Hidden=true (or without an
// Exec line) starts nothing, so it reads as no value.
#include "os/linux/RegistryStore.h"

#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace os::linux_backend::autostart {

namespace {

const char* const suffix = ".desktop";
const std::size_t suffixLength = 8;
const std::size_t fileLimit = 1 << 20;

bool validName(const std::wstring& name)
{
    return !name.empty() && name.find(L'/') == std::wstring::npos && name.find(L'\0') == std::wstring::npos;
}

std::vector<std::string> desktopFiles(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return names;
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() > suffixLength && name.compare(name.size() - suffixLength, suffixLength, suffix) == 0)
            names.push_back(name);
    }
    closedir(dir);
    return names;
}

std::wstring valueName(const std::string& fileName) { return widen(fileName.substr(0, fileName.size() - suffixLength)); }

// The file for a value name: the exact name, else one whose name differs only in case.
std::string locate(const std::string& folder, const std::wstring& name)
{
    const std::string exact = narrow(name) + suffix;
    struct stat st;
    if (lstat((folder + "/" + exact).c_str(), &st) == 0)
        return exact;
    for (const std::string& file : desktopFiles(folder))
        if (sameName(valueName(file), name))
            return file;
    return {};
}

// The escapes of a desktop entry's string values.
std::string escapeString(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        default: out.push_back(c); break;
        }
    }
    if (!out.empty() && out[0] == ' ')
        out.replace(0, 1, "\\s");
    return out;
}

std::string unescapeString(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out.push_back(text[i]);
            continue;
        }
        const char next = text[++i];
        switch (next) {
        case 's': out.push_back(' '); break;
        case 'n': out.push_back('\n'); break;
        case 't': out.push_back('\t'); break;
        case 'r': out.push_back('\r'); break;
        case '\\': out.push_back('\\'); break;
        default: out.push_back('\\'); out.push_back(next); break;
        }
    }
    return out;
}

// The whole text as one quoted argument of an Exec line, before the string escapes.
std::string quoteArgument(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            out.push_back('\\');
        if (c == '%')
            out.push_back('%');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

std::string unpercent(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        out.push_back(text[i]);
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%')
            ++i;
    }
    return out;
}

// What an Exec line starts: the one quoted argument we write, or (for a line of several
// arguments, written by someone else) the line itself.
std::string execText(const std::string& exec)
{
    if (exec.size() >= 2 && exec[0] == '"') {
        std::string argument;
        std::size_t i = 1;
        for (; i < exec.size() && exec[i] != '"'; ++i) {
            if (exec[i] == '\\' && i + 1 < exec.size()) {
                const char next = exec[i + 1];
                if (next == '"' || next == '`' || next == '$' || next == '\\') {
                    argument.push_back(next);
                    ++i;
                    continue;
                }
            }
            argument.push_back(exec[i]);
        }
        if (i == exec.size() - 1)
            return unpercent(argument);
    }
    return unpercent(exec);
}

std::string trim(const std::string& text)
{
    const std::string::size_type first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const std::string::size_type last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

struct DesktopEntry {
    bool hasExec = false;
    std::string exec;
    bool hidden = false;
    std::uint32_t type = RegistryString;
};

DesktopEntry parse(const std::string& contents)
{
    DesktopEntry entry;
    bool inMainGroup = false;
    std::string::size_type start = 0;
    while (start < contents.size()) {
        std::string::size_type end = contents.find('\n', start);
        if (end == std::string::npos)
            end = contents.size();
        const std::string line = trim(contents.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[') {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const std::string::size_type equals = line.find('=');
        if (!inMainGroup || equals == std::string::npos)
            continue;
        const std::string key = trim(line.substr(0, equals));
        const std::string value = unescapeString(trim(line.substr(equals + 1)));
        if (key == "Exec") {
            entry.hasExec = true;
            entry.exec = execText(value);
        } else if (key == "Hidden") {
            entry.hidden = value == "true";
        } else if (key == "X-HolmikZiviza-Type") {
            entry.type = value == "2" ? RegistryExpandString : RegistryString;
        }
    }
    return entry;
}

bool readEntry(const std::string& path, DesktopEntry& entry)
{
    std::string contents;
    if (!readWholeFile(path, contents, fileLimit))
        return false;
    entry = parse(contents);
    return entry.hasExec && !entry.hidden;
}

} // namespace

bool matches(int root, const std::vector<std::wstring>& parts)
{
    static const std::vector<std::wstring> run = {L"Software", L"Microsoft", L"Windows", L"CurrentVersion", L"Run"};
    return root == RegistryCurrentUser && samePath(parts, run);
}

long open(RegistryKey& key)
{
    const std::string config = configHome();
    if (config.empty())
        return RegistryFileNotFound;
    key.location = config + "/autostart";
    struct stat st;
    if (stat(key.location.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode) ? RegistrySuccess : RegistryFileNotFound;
    // A session without the folder yet has an empty Run key; the first value makes it.
    if (errno == ENOENT)
        return RegistrySuccess;
    return errno == EACCES ? RegistryAccessDenied : RegistryFileNotFound;
}

long queryInfo(const RegistryKey& key, RegistryKeyInfo& info)
{
    for (const std::string& file : desktopFiles(key.location)) {
        ++info.valueCount;
        const std::wstring name = valueName(file);
        if (name.size() > info.longestValueName)
            info.longestValueName = static_cast<std::uint32_t>(name.size());
        DesktopEntry entry;
        if (readEntry(key.location + "/" + file, entry)) {
            const std::size_t bytes = stringBytes(widen(entry.exec)).size();
            if (bytes > info.longestValueData)
                info.longestValueData = static_cast<std::uint32_t>(bytes);
        }
    }
    return RegistrySuccess;
}

long find(const RegistryKey& key, const std::wstring& name, StoredValue& value)
{
    if (!validName(name))
        return RegistryFileNotFound;
    const std::string file = locate(key.location, name);
    DesktopEntry entry;
    if (file.empty() || !readEntry(key.location + "/" + file, entry))
        return RegistryFileNotFound;
    value.name = valueName(file);
    value.type = entry.type;
    value.data = stringBytes(widen(entry.exec));
    return RegistrySuccess;
}

long set(const RegistryKey& key, const StoredValue& value)
{
    if (!validName(value.name) || (value.type != RegistryString && value.type != RegistryExpandString))
        return RegistryInvalidParameter;
    const std::string text = narrow(bytesString(value.data.data(), value.data.size()));
    std::string contents = "[Desktop Entry]\nType=Application\n";
    contents += "Name=" + escapeString(narrow(value.name)) + "\n";
    contents += "Exec=" + escapeString(quoteArgument(text)) + "\n";
    if (value.type == RegistryExpandString)
        contents += "X-HolmikZiviza-Type=2\n";
    std::string file = locate(key.location, value.name);
    if (file.empty())
        file = narrow(value.name) + suffix;
    return writeFileReplacing(key.location + "/" + file, contents) ? RegistrySuccess : RegistryWriteFault;
}

long remove(const RegistryKey& key, const std::wstring& name)
{
    if (!validName(name))
        return RegistryFileNotFound;
    const std::string file = locate(key.location, name);
    if (file.empty())
        return RegistryFileNotFound;
    return ::unlink((key.location + "/" + file).c_str()) == 0 ? RegistrySuccess : RegistryAccessDenied;
}

} // namespace os::linux_backend::autostart
