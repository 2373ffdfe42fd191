// gwstartcost.exe LOGFILE RUNS GLIDEWING.EXE GWTRAY.EXE
//
// Start-up time under Wine: from the moment a program is started to the moment its icon is in the
// notification area, for Glidewing and for the least tray program there is (gwtray.exe), RUNS
// times each, alternating which goes first, after one start of each that is not counted. Made for
// Wine without a window manager: there the notification area is a window of the X11 driver's own
// ("__winex11_standalone_tray") that is visible exactly while it holds an icon; it is polled every
// millisecond.
// Between starts each program is ended: Glidewing with "Glidewing.exe /exit", gwtray with
// WM_CLOSE; the next start waits until the tray is empty again.
//
// Log lines:
//   run N glidewing|tray MS ms
//   median glidewing|tray MS
//   ratio glidewing/tray X.XX
//   done
//   error TEXT

#include "e2e/programs/E2eLog_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

gw::e2e::LineLog logFile;

bool TrayShowsIcons() {
    HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
    return tray != nullptr && IsWindowVisible(tray);
}

// Polls every millisecond until the tray's state is `shown`; false after timeoutMs.
bool WaitForTray(bool shown, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (TrayShowsIcons() != shown) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        Sleep(1);
    }
    return true;
}

HANDLE Start(const std::string& commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return nullptr;
    }
    CloseHandle(process.hThread);
    return process.hProcess;
}

struct Program {
    const char* name;
    std::string exe;
    std::vector<double> ms;
};

// One start to its tray icon, in milliseconds; then the program is ended. Negative on failure.
double StartOnce(Program& program) {
    if (!WaitForTray(false, 10000)) {
        logFile.Line("error the tray still shows an icon before %s starts", program.name);
        return -1;
    }
    LARGE_INTEGER frequency, start, shown;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    HANDLE process = Start("\"" + program.exe + "\"");
    if (!process) {
        logFile.Line("error cannot start %s: %lu", program.exe.c_str(), GetLastError());
        return -1;
    }
    const bool appeared = WaitForTray(true, 30000);
    QueryPerformanceCounter(&shown);

    if (std::string(program.name) == "glidewing") {
        HANDLE exit = Start("\"" + program.exe + "\" /exit");
        if (exit) {
            WaitForSingleObject(exit, 20000);
            CloseHandle(exit);
        }
    } else if (HWND window = FindWindowA("GWTray", nullptr)) {
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    const bool ended = WaitForSingleObject(process, 20000) == WAIT_OBJECT_0;
    CloseHandle(process);
    if (!appeared || !ended) {
        logFile.Line("error %s: %s", program.name, !appeared ? "no tray icon within 30 s" : "did not end");
        return -1;
    }
    return 1000.0 * static_cast<double>(shown.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 5 || !logFile.Open(__argv[1])) {
        return 2;
    }
    const int runs = std::max(1, std::atoi(__argv[2]));
    Program programs[] = {{"glidewing", __argv[3], {}}, {"tray", __argv[4], {}}};
    for (int run = 0; run <= runs; ++run) { // run 0 warms up and is not counted
        for (int k = 0; k < 2; ++k) {
            Program& program = programs[(run + k) % 2];
            const double ms = StartOnce(program);
            if (ms < 0) {
                return 1;
            }
            if (run > 0) {
                program.ms.push_back(ms);
            }
            logFile.Line("run %d %s %.1f ms", run, program.name, ms);
        }
    }
    const double glidewing = Median(programs[0].ms);
    const double tray = Median(programs[1].ms);
    logFile.Line("median glidewing %.1f", glidewing);
    logFile.Line("median tray %.1f", tray);
    logFile.Line("ratio glidewing/tray %.2f", glidewing / tray);
    logFile.Line("done");
    return 0;
}
