#pragma once
// The registry calls of the Run value: RegCreateKeyExW, RegOpenKeyExW, RegSetValueExW (REG_SZ),
// RegQueryValueExW as an existence test, RegDeleteValueW, RegCloseKey. Texts are UTF-8; key paths
// are relative to the root, without a leading separator.

#include "shared/Handle.h"

#include <cstdint>
#include <string>

namespace gw {

using RegistryKey = Handle<struct RegistryKeyTag>;

enum class RegistryRoot { LocalMachine, CurrentUser };

class IRegistry {
public:
    virtual ~IRegistry() = default;
    // Null when the key could not be opened (or created).
    virtual RegistryKey Create(RegistryRoot root, const std::string& path, std::uint32_t access) = 0;
    virtual RegistryKey Open(RegistryRoot root, const std::string& path, std::uint32_t access) = 0;
    // Writes a REG_SZ value; the data length given to the system counts the terminating zero.
    virtual bool SetString(RegistryKey key, const std::string& name, const std::string& data) = 0;
    virtual bool ValueExists(RegistryKey key, const std::string& name) = 0;
    virtual bool DeleteValue(RegistryKey key, const std::string& name) = 0;
    virtual void Close(RegistryKey key) = 0;
};

} // namespace gw
