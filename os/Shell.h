// Shell facility of the OS seam: open a web address, start a program.
#pragma once

#include <string>
#include <vector>

namespace os {

// ShellExecute "open" of a URL (Linux: xdg-open URL, without a shell). False when it
// could not be started; what the browser does afterwards is not known.
bool openUrl(const std::string& url);

// Starts `program` with separate arguments in `workingDirectory` ("" keeps the current
// one) and does not wait for it. False when it could not be started.
bool startProgram(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& workingDirectory);

// Starts the Steam client found in `steamFolder` (which ends with a separator, or is empty
// when Steam's folder is not known) with Steam's command-line parameters, in that folder.
// Windows: ShellExecuteEx of steam.exe as a program. Linux: steam.sh in the folder, else
// `steam` on the search path, each blank-separated parameter a separate argument.
bool startSteamClient(const std::string& steamFolder, const std::string& parameters);

// Full path of `name` on the search path, or "" when it is not there.
std::string findOnSearchPath(const std::string& name);

} // namespace os
