#include "settings/AutoStart.h"

#include "engine/Directory.h"
#include "engine/StringConversion.h"
#include "os/FileSystem.h"
#include "os/MessageBox.h"
#include "registry/RegKey.h"

namespace AutoStart {

namespace {
void fail(const char* text) { os::messageBox(text, "ERROR", os::MessageBoxOk); }
} // namespace

bool isEnabled()
{
    bool ok = false;
    Registry::RegKey key = Registry::RegKey::open(Registry::CurrentUser, runKeyPath, ok, false);
    if (!ok)
        return false;
    key.getValue(valueName, ok);
    return ok;
}

std::string launcherPath() { return joinPath(os::currentDirectory(), launcherName); }

void enable(bool on)
{
    bool opened = false;
    Registry::RegKey key = Registry::RegKey::open(Registry::CurrentUser, runKeyPath, opened, true);
    bool ok = false;
    if (on) {
        if (!opened) {
            fail("Faild to Open Registry Key");
            return;
        }
        key.setValue(Registry::RegValue(valueName, toWide(launcherPath()), false), ok);
        if (!ok)
            fail("Faild to write Registry Value");
        return;
    }
    key.deleteValue(valueName, ok);
    if (!ok)
        fail("Faild to delete Registry Value");
}

} // namespace AutoStart
