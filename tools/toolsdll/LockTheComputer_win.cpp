// Tools.dll: the one helper the tray's "Lock Computer" item needs on Windows NT 5.0 and later.
// It carries no C runtime at all (its own entry point, system imports only), so it is a few
// kilobytes and loads in any process without side effects.

#include <windows.h>

extern "C" {

// Locks the workstation; the caller starts the screen saver afterwards itself.
void WINAPI LockTheComputer(void) {
    LockWorkStation();
}

// Nothing to set up or tear down: the library holds no state.
BOOL WINAPI ToolsDllEntry(HINSTANCE /*instance*/, DWORD /*reason*/, LPVOID /*reserved*/) {
    return TRUE;
}

} // extern "C"
