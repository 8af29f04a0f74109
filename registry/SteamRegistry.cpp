#include "registry/SteamRegistry.h"

#include "registry/RegKey.h"

namespace Registry {

std::string readSteamPath(bool& ok)
{
    RegKey key = RegKey::open(CurrentUser, steamKeyPath, ok, false);
    if (!ok)
        return {};
    RegValue value = key.getValue(steamPathValue, ok);
    ok = ok && (value.getKind() == KindString || value.getKind() == KindExpandString);
    return ok ? value.asString(false) : std::string();
}

} // namespace Registry
