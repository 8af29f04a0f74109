// Where the program runs. Started from a build folder or an unpacked copy, it runs in its own
// folder, beside its data folder. Installed, its data folder under share/ is a read-only
// template: the program runs in a folder of the user's instead, after bringing the
// template's files there.
#pragma once

#include <string>

namespace DataFolder {

// The folder under the user's data home that holds the user's data folder.
inline constexpr const char* userFolderName = "holmikziviza";

// The files a user's copy keeps once it has them, whatever the template holds: the settings
// and the language files, which the user may have changed.
bool isUsersOwn(const std::string& name);

// Brings the template's files into `userData`, making it (and its parents) when missing:
// a missing file is copied; a program file (a picture, the font, the launcher) that differs
// from the template's is replaced, so that an upgrade brings its new files; the user's own
// files and folders (the map cache) are never touched. False, with `problem` saying what
// failed, when the folder cannot be made or a file cannot be copied.
bool bringUpToDate(const std::string& templateData, const std::string& userData, std::string& problem);

// The folder to run in (the one that holds "data"): `programFolder` when it has a data
// folder; else, when the installed template is found beside it, the user's folder under
// `userDataHome` once its data folder is up to date; else "" (run where started). Sets
// `problem` when the user's folder cannot be prepared.
std::string runFolder(const std::string& programFolder, const std::string& userDataHome, std::string& problem);

// The data folder the program uses, found without changing anything (for the tools that
// read it): the one beside `programFolder`, else the user's, else "data" where started.
std::string dataFolder(const std::string& programFolder, const std::string& userDataHome);

} // namespace DataFolder
