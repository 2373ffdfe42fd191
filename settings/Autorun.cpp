#include "settings/Autorun.h"

#include "base/Error.h"
#include "shared/Win32Values.h"

namespace gw {

namespace {

Error FailedToSet() {
    return Error(std::string("Failed to set data for '") + kRunValueName + "'");
}

// False when the key cannot be opened for writing; raises when the value cannot be written into it.
bool WriteRunValue(IRegistry& registry, RegistryRoot root, const std::string& data) {
    const RegistryKey key = registry.Create(root, kRunKeyPath, win::kKEY_ALL_ACCESS);
    if (!key) {
        return false;
    }
    const bool written = registry.SetString(key, kRunValueName, data);
    registry.Close(key);
    if (!written) {
        throw FailedToSet();
    }
    return true;
}

void RemoveRunValue(IRegistry& registry, RegistryRoot root) {
    const RegistryKey key = registry.Open(root, kRunKeyPath, win::kKEY_ALL_ACCESS);
    if (!key) {
        return; // not there, or not the user's to change
    }
    if (registry.ValueExists(key, kRunValueName)) {
        registry.DeleteValue(key, kRunValueName);
    }
    registry.Close(key);
}

} // namespace

std::string RunValueData(const std::string& executablePath) {
    return '"' + executablePath + '"';
}

void UpdateRunValue(IRegistry& registry, bool autoRun, const std::string& executablePath) {
    if (!autoRun) {
        RemoveRunValue(registry, RegistryRoot::LocalMachine);
        RemoveRunValue(registry, RegistryRoot::CurrentUser);
        return;
    }
    // The present data is not compared: every apply rewrites the value, so it follows the
    // executable when it was moved.
    const std::string data = RunValueData(executablePath);
    if (WriteRunValue(registry, RegistryRoot::LocalMachine, data)) {
        // One value is enough; an older one of the user's own might name a copy elsewhere.
        RemoveRunValue(registry, RegistryRoot::CurrentUser);
        return;
    }
    if (!WriteRunValue(registry, RegistryRoot::CurrentUser, data)) {
        throw FailedToSet(); // asked for, and nowhere to write it: not kept quiet
    }
}

} // namespace gw
