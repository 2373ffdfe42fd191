#pragma once
// The program's last chance: an unhandled exception, or a C++ error that ends in std::terminate,
// first puts the desktop back (RepairDesktop), then goes on dying as it would have.

#include "app/CrashRecovery.h"

namespace gw::win32 {

// Installs the handlers; `record` (static storage) is what they will undo.
void InstallCrashRepair(const CrashRecord& record);

} // namespace gw::win32
