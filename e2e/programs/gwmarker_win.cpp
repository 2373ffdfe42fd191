// gwmarker.exe: proof that something launched it. Writes "<its own path>.ran" with the line
// "ran" and ends. The PopDesk cases put a copy on the desktop and choose it from the menu.

#include "E2eLog_win.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH + 8] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return 1;
    }
    lstrcatA(path, ".ran");
    gw::e2e::LineLog log;
    if (!log.Open(path)) {
        return 1;
    }
    log.Line("ran");
    return 0;
}
