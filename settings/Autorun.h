#pragma once
// The value under a Run key that starts the program with Windows: the machine-wide key where the
// user may write it, the user's own key where not.

#include "settings/Registry.h"

#include <string>

namespace gw {

inline constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunValueName[] = "Glidewing";

// The value's data: the executable's full path in double quotes, so that a path with blanks
// ("C:\Users\Ann Lee\...") can be read only one way.
std::string RunValueData(const std::string& executablePath);

// With autoRun: writes the value under HKEY_LOCAL_MACHINE's Run key (opened, or created, with full
// access) and then removes a value of the user's own that could start another copy; where the
// machine-wide key cannot be opened for writing (a standard user, an administrator who did not
// elevate), writes it under HKEY_CURRENT_USER's Run key instead. Without autoRun: removes the value
// from both keys wherever it exists and the user may remove it. A value that cannot be written
// into an opened key, and a value that has no key to go to at all, raise "Failed to set data for
// 'Glidewing'" (after the key has been closed).
void UpdateRunValue(IRegistry& registry, bool autoRun, const std::string& executablePath);

} // namespace gw
