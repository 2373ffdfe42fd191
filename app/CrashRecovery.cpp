#include "app/CrashRecovery.h"

namespace gw {

void RepairDesktop(const CrashRecord& record, ICrashRepair& repair) noexcept {
    repair.ReloadSystemCursors();
    if (record.View) {
        // The hooks read the record in other processes at any moment: one byte, written through.
        *static_cast<volatile std::uint8_t*>(&record.View->HooksPaused) = 1;
    }
    if (record.KeyboardHookOff) {
        repair.CallNoArgs(record.KeyboardHookOff);
    }
    if (record.MouseHookOff) {
        repair.CallNoArgs(record.MouseHookOff);
    }
}

} // namespace gw
