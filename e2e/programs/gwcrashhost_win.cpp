// gwcrashhost.exe BINFOLDER LOGFILE CONTROLFILE
//
// Sets the hooks up the way Glidewing does and then crashes on command, to show that the program's
// last-chance handler (app/CrashRecovery_win.cpp, linked in unchanged) puts the desktop back from a
// crashed process. It creates the shared record in the worst state a gesture leaves it in
// (PassInput 0: the mouse hook swallows every mouse message of the desktop), loads
// BINFOLDER\GWHooks.dll, notes the view and the two Off exports for the handler, installs it, then
// the keyboard and the mouse hook, and logs "hooked". When CONTROLFILE says "crash" it writes
// through a null pointer on its main thread: an unhandled access violation.
//
// Log lines: "hooked", "crashing", "error TEXT".

#include "app/CrashRecovery_win.h"
#include "e2e/programs/E2eLog_win.h"
#include "shared/HookShare.h"

#include <windows.h>

#include <cstdlib> // __argc, __argv
#include <cstring>
#include <string>

namespace {

gw::CrashRecord g_record; // static storage, as in the program

using HookExport = DWORD(WINAPI*)();

bool CrashRequested(const char* controlFile) {
    char text[16] = {};
    HANDLE file =
        CreateFileA(controlFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD read = 0;
    ReadFile(file, text, sizeof text - 1, &read, nullptr);
    CloseHandle(file);
    return std::strncmp(text, "crash", 5) == 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 4) {
        return 3;
    }
    gw::e2e::LineLog log;
    if (!log.Open(__argv[2])) {
        return 2;
    }
    HANDLE section = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, gw::kHookShareSize,
                                        gw::kHookShareName);
    auto* view =
        section ? static_cast<gw::HookShare*>(MapViewOfFile(section, FILE_MAP_WRITE, 0, 0, 0)) : nullptr;
    if (!view) {
        log.Line("error no record %lu", GetLastError());
        return 1;
    }
    *view = gw::HookShare{0, 3, 1, 0, 0, 0, 1, {0, 0}}; // no window to report to; PassInput 0

    const std::string path = std::string(__argv[1]) + "\\GWHooks.dll";
    HMODULE library = LoadLibraryA(path.c_str());
    const auto find = [library](const char* name) {
        return library ? reinterpret_cast<HookExport>(reinterpret_cast<void*>(GetProcAddress(library, name)))
                       : nullptr;
    };
    const HookExport keyboardOn = find("KeyboardHookOn");
    const HookExport mouseOn = find("MouseHookOn");
    const HookExport keyboardOff = find("KeyboardHookOff");
    const HookExport mouseOff = find("MouseHookOff");
    if (!keyboardOn || !mouseOn || !keyboardOff || !mouseOff) {
        log.Line("error no hook library at %s", path.c_str());
        return 1;
    }
    g_record = gw::CrashRecord{view, gw::ProcAddress{reinterpret_cast<std::uintptr_t>(keyboardOff)},
                               gw::ProcAddress{reinterpret_cast<std::uintptr_t>(mouseOff)}};
    gw::win32::InstallCrashRepair(g_record);
    keyboardOn();
    mouseOn();
    log.Line("hooked");

    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        if (CrashRequested(__argv[3])) {
            log.Line("crashing");
            *static_cast<volatile int*>(nullptr) = 1;
        }
        Sleep(30);
    }
}
