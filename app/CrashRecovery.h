#pragma once
// What a crash must still undo before the process dies: the system cursors, and the hooks, which
// would otherwise go on steering every program's mouse input from a record nobody keeps. TMainForm
// notes here what it installs; the program's last-chance handler reads it. The record is plain
// data in static storage, so the handler needs neither the heap nor a lock.

#include "base/LibraryLoader.h"
#include "shared/HookShare.h"

namespace gw {

struct CrashRecord {
    HookShare* View = nullptr;     // the program's view of the shared record, while mapped
    ProcAddress KeyboardHookOff{}; // set from just before the hooks go in until they come out
    ProcAddress MouseHookOff{};
};

// The handler's few calls.
class ICrashRepair {
public:
    // SystemParametersInfoA(SPI_SETCURSORS) without the broadcast, which would send messages into
    // the crashed program's own windows too.
    virtual void ReloadSystemCursors() = 0;
    virtual void CallNoArgs(ProcAddress entry) = 0;

protected:
    ~ICrashRepair() = default;
};

// The shutdown sequence's desktop part, in its order: the user's cursors, the hooks paused, then
// both removed.
void RepairDesktop(const CrashRecord& record, ICrashRepair& repair) noexcept;

} // namespace gw
