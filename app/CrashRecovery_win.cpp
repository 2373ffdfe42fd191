#include "app/CrashRecovery_win.h"

#include <windows.h>

#include <cstdlib>
#include <exception>

namespace gw::win32 {

namespace {

const CrashRecord* g_record = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER g_previous = nullptr; // the C runtime's, which still has its say
volatile LONG g_repaired = 0;

class Win32CrashRepair final : public ICrashRepair {
public:
    void ReloadSystemCursors() override { SystemParametersInfoA(SPI_SETCURSORS, 0, nullptr, 0); }
    void CallNoArgs(ProcAddress entry) override {
        using NoArgs = void(WINAPI*)();
        reinterpret_cast<NoArgs>(entry.value)();
    }
};

// Once, whichever way the process goes down; a second fault inside the repair ends it for good.
void RepairOnce() noexcept {
    if (g_record && InterlockedExchange(&g_repaired, 1) == 0) {
        Win32CrashRepair repair;
        RepairDesktop(*g_record, repair);
    }
}

LONG WINAPI LastChance(EXCEPTION_POINTERS* exception) {
    RepairOnce();
    // Then as before: the filter that was there decides, else the system reports the crash.
    return g_previous ? g_previous(exception) : EXCEPTION_CONTINUE_SEARCH;
}

[[noreturn]] void Terminated() noexcept {
    RepairOnce();
    std::abort();
}

} // namespace

void InstallCrashRepair(const CrashRecord& record) {
    g_record = &record;
    g_previous = SetUnhandledExceptionFilter(&LastChance);
    std::set_terminate(&Terminated);
}

} // namespace gw::win32
