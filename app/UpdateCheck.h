// The update check of the start-up: fetch the version file from the update host, and
// when it names a newer version than the program's, ask in a yes/no box whether to
// download it; yes opens the download address with the shell. Every failure is silent.
#pragma once

#include "app/VersionInfo.h"

#include <cstdint>
#include <functional>
#include <string>

enum class UpdateCheckOutcome {
    Off,      // the check is switched off: the update host was not contacted
    NoUpdate, // no answer, not 200, or not a newer version: no box
    Declined, // the box came and was answered with no
    Opened,   // the box came, yes, and the download address was handed to the shell
};

// The English texts are the keys that `translate` turns into the user's language.
inline constexpr const char* updateAvailableText = "There is a new version of HolmikZiviza available";
inline constexpr const char* updateQuestionText = "Do you want to download it now?";
inline constexpr const char* updateCaption = "Update Available";

// The entry calls it once, before the poller starts:
//     runUpdateCheck(settings.getUpdate(), BuildConfig::updateHost, settings.getVersionMajor(),
//                    settings.getVersionMinor(), settings.getVersionPatch(),
//                    [&](const std::string& t) { return settings.translate(t); });
// host may carry a port ("host:8080"). The box blocks until the user answers.
UpdateCheckOutcome runUpdateCheck(bool enabled, const std::string& host, int major, int minor, int patch,
                                  const std::function<std::string(const std::string&)>& translate,
                                  std::uint32_t timeoutMs = HttpClient::defaultTimeoutMs);
