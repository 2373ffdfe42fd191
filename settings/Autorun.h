#pragma once
// The value under the machine-wide Run key that starts the program with Windows.

#include "settings/Registry.h"

#include <string>

namespace gw {

inline constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunValueName[] = "Glidewing";

// With autoRun: opens (creating) the key and writes the executable's path as the value; without:
// opens the key and deletes the value if it is there. A key that cannot be opened is passed over
// silently; a value that cannot be written raises "Failed to set data for 'Glidewing'" after the
// key has been closed.
void UpdateRunValue(IRegistry& registry, bool autoRun, const std::string& executablePath);

} // namespace gw
