// gwswapprobe.exe LOGFILE: writes "swap=N", N being what the system reports for swapped mouse
// buttons (GetSystemMetrics(SM_SWAPBUTTON)) right now.

#include "E2eLog_win.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    gw::e2e::LineLog log;
    if (!commandLine || !*commandLine || !log.Open(commandLine)) {
        return 1;
    }
    log.Line("swap=%d", GetSystemMetrics(SM_SWAPBUTTON));
    return 0;
}
