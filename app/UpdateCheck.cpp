#include "app/UpdateCheck.h"

#include "os/MessageBox.h"
#include "os/Shell.h"

UpdateCheckOutcome runUpdateCheck(bool enabled, const std::string& host, int major, int minor, int patch,
                                  const std::function<std::string(const std::string&)>& translate,
                                  std::uint32_t timeoutMs)
{
    if (!enabled)
        return UpdateCheckOutcome::Off;
    VersionInfo version;
    version.setTimeout(timeoutMs);
    if (!version.fetch(host, VersionInfo::versionFilePath) || !version.isNewerThan(major, minor, patch))
        return UpdateCheckOutcome::NoUpdate;

    const std::string text = translate(updateAvailableText) + "\n" + translate(updateQuestionText);
    if (os::messageBox(text, translate(updateCaption), os::MessageBoxYesNo) != os::MessageBoxAnswerYes)
        return UpdateCheckOutcome::Declined;
    // Whether a browser came up is not known and not reported.
    os::openUrl(version.getDownloadAddress());
    return UpdateCheckOutcome::Opened;
}
