// Shell on Windows: ShellExecuteA "open" for a web address; ShellExecuteExA for a program
// (its arguments joined into one command line, each quoted as the C runtime splits them
// again), with its working folder; steam.exe through ShellExecuteExA started as a program
// (class "exefile") in Steam's folder; SearchPathW for the search path.
#include "os/Shell.h"

#include "os/TextConversion.h"

#include <windows.h>
#include <shellapi.h>

namespace os {

namespace {

std::string quoted(const std::string& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos)
        return argument;
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"')
            out.append(backslashes * 2 + 1, '\\');
        else
            out.append(backslashes, '\\');
        backslashes = 0;
        out.push_back(c);
    }
    out.append(backslashes * 2, '\\');
    out.push_back('"');
    return out;
}

} // namespace

bool openUrl(const std::string& url)
{
    HINSTANCE result = ShellExecuteA(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool startProgram(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& workingDirectory)
{
    std::string parameters;
    for (const std::string& a : arguments) {
        if (!parameters.empty())
            parameters.push_back(' ');
        parameters += quoted(a);
    }
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = "open";
    info.lpFile = program.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.lpDirectory = workingDirectory.empty() ? nullptr : workingDirectory.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExA(&info) != FALSE;
}

bool startSteamClient(const std::string& steamFolder, const std::string& parameters)
{
    const std::string file = steamFolder + "steam.exe";
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_CLASSNAME;
    info.hwnd = nullptr;
    info.lpVerb = "open";
    info.lpFile = file.c_str();
    info.lpParameters = parameters.c_str();
    info.lpDirectory = steamFolder.c_str(); // empty when Steam's folder is not known, never null
    info.nShow = SW_SHOW;
    info.lpClass = "exefile";
    return ShellExecuteExA(&info) != FALSE;
}

std::string findOnSearchPath(const std::string& name)
{
    if (name.empty())
        return {};
    const std::wstring wide = utf8ToUtf16(name);
    wchar_t found[MAX_PATH + 1] = {};
    const DWORD n = SearchPathW(nullptr, wide.c_str(), L".exe", MAX_PATH, found, nullptr);
    if (n == 0 || n > MAX_PATH)
        return {};
    return utf16ToUtf8(found);
}

} // namespace os
