#include "settings/Autorun.h"

#include "base/Error.h"
#include "shared/Win32Values.h"

namespace gw {

void UpdateRunValue(IRegistry& registry, bool autoRun, const std::string& executablePath) {
    if (autoRun) {
        const RegistryKey key =
            registry.Create(RegistryRoot::LocalMachine, kRunKeyPath, win::kKEY_ALL_ACCESS);
        if (!key) {
            return; // no right to the machine-wide key: nothing to do, nothing to say
        }
        const bool written = registry.SetString(key, kRunValueName, executablePath);
        registry.Close(key);
        if (!written) {
            throw Error(std::string("Failed to set data for '") + kRunValueName + "'");
        }
        return;
    }
    const RegistryKey key = registry.Open(RegistryRoot::LocalMachine, kRunKeyPath, win::kKEY_ALL_ACCESS);
    if (!key) {
        return;
    }
    if (registry.ValueExists(key, kRunValueName)) {
        registry.DeleteValue(key, kRunValueName);
    }
    registry.Close(key);
}

} // namespace gw
