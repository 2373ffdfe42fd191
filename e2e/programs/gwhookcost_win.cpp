// gwhookcost.exe BINFOLDER LOGFILE [MOVES [ROUNDS]]
//
// What a mouse hook costs every process on the desktop, measured where it runs: the program moves
// the mouse over its own window with SendInput, one move at a time (it waits until the window has
// the WM_MOUSEMOVE before it sends the next), and times MOVES moves (default 2000) with each of
//   a  no hook
//   b  a pass-through hook                  (gwcosthooks.dll beside this program)
//   c  the channel in plain C: open, map, read, post, unmap, close (gwcosthooks.dll)
//   d  GWHooks.dll from BINFOLDER, with a record that makes it report every move to this window
// in ROUNDS rounds (default 7); each round runs all four, starting one further along each time.
// All three hooks are global hooks from a library, installed and removed the same way.
//
// The record "PaneBridge1201" is created here with the program's start values and this window as
// MainWindow; if it exists already (a Glidewing runs on this desktop) the program stops at once.
//
// Log lines:
//   ready screen=WxH
//   round R MODE US us/move reports=N moves=N
//   median MODE US          one per mode, in microseconds per move
//   ratio d/c X.XX extra d-a/c-a X.XX
//   done
//   error TEXT

#include "e2e/programs/E2eLog_win.h"
#include "shared/HookShare.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr char kCostRecord[] = "GWCostBridge"; // gwcosthooks.dll's own record
constexpr UINT kCostReport = 0x140B;           // what its channel hook posts
constexpr int kWarmUpMoves = 50;
constexpr DWORD kMoveTimeoutMs = 2000;

using HookExport = DWORD(WINAPI*)();

struct Mode {
    char name;
    const char* what;
    HookExport on = nullptr;
    HookExport off = nullptr;
};

gw::e2e::LineLog logFile;
HWND window = nullptr;
long moves = 0;   // WM_MOUSEMOVE messages the window has had
long reports = 0; // WM_HOOKMOUSE or the channel hook's report

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        ++moves;
        return 0;
    case gw::WM_HOOKMOUSE:
    case kCostReport:
        ++reports;
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

// A named 12-byte record laid out like the real one, with MainWindow this window.
gw::HookShare* CreateRecord(const char* name, bool& existed) {
    HANDLE section =
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, gw::kHookShareSize, name);
    existed = GetLastError() == ERROR_ALREADY_EXISTS;
    if (section == nullptr || existed) {
        return nullptr;
    }
    auto* record = static_cast<gw::HookShare*>(MapViewOfFile(section, FILE_MAP_WRITE, 0, 0, 0));
    if (record != nullptr) {
        // The program's values after a start with the default settings: scrolling on, right button.
        *record = gw::HookShare{
            static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(window)), 3, 1, 1, 0, 0, 1, {0, 0}};
    }
    return record; // section and view stay open until the process ends
}

HookExport Export(HMODULE library, const char* name) {
    return reinterpret_cast<HookExport>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// Handles whatever waits, then blocks until the window has seen one more move (false on timeout).
bool WaitForMove(long before) {
    const DWORD start = GetTickCount();
    MSG message;
    for (;;) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        if (moves != before) {
            return true;
        }
        const DWORD waited = GetTickCount() - start;
        if (waited >= kMoveTimeoutMs) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kMoveTimeoutMs - waited, QS_ALLINPUT);
    }
}

// One absolute move to a point inside the window; even and odd moves alternate between two points.
bool MoveOnce(int i, const POINT& centre) {
    const int x = centre.x + (i % 2 == 0 ? -4 : 4);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65535, width - 1);
    input.mi.dy = MulDiv(centre.y, 65535, height - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    const long before = moves;
    SendInput(1, &input, sizeof input);
    return WaitForMove(before);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string Folder(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

int Run(const char* binFolder, int movesPerRound, int rounds) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "GWHookCost";
    RegisterClassA(&windowClass);
    window = CreateWindowExA(WS_EX_TOPMOST, "GWHookCost", "GWHookCost", WS_POPUP | WS_VISIBLE, 200, 150, 400,
                             300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window) {
        logFile.Line("error CreateWindowExA %lu", GetLastError());
        return 1;
    }
    UpdateWindow(window);
    SetForegroundWindow(window);

    bool existed = false;
    if (!CreateRecord(gw::kHookShareName, existed)) {
        logFile.Line("error %s", existed ? "the record PaneBridge1201 exists already: a Glidewing runs here"
                                         : "cannot create the record PaneBridge1201");
        return 2;
    }
    if (!CreateRecord(kCostRecord, existed)) {
        logFile.Line("error cannot create the record %s", kCostRecord);
        return 2;
    }

    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    const std::string costPath = Folder(self) + "\\gwcosthooks.dll";
    const std::string hooksPath = std::string(binFolder) + "\\GWHooks.dll";
    HMODULE cost = LoadLibraryA(costPath.c_str());
    HMODULE hooks = LoadLibraryA(hooksPath.c_str());
    if (!cost || !hooks) {
        logFile.Line("error LoadLibraryA %s", !cost ? costPath.c_str() : hooksPath.c_str());
        return 1;
    }
    std::vector<Mode> modes = {
        {'a', "no hook"},
        {'b', "pass-through hook", Export(cost, "PassHookOn"), Export(cost, "PassHookOff")},
        {'c', "plain C channel hook", Export(cost, "ChannelHookOn"), Export(cost, "ChannelHookOff")},
        {'d', "GWHooks.dll", Export(hooks, "MouseHookOn"), Export(hooks, "MouseHookOff")},
    };
    for (const Mode& mode : modes) {
        if (mode.name != 'a' && (!mode.on || !mode.off)) {
            logFile.Line("error missing export for mode %c", mode.name);
            return 1;
        }
    }

    RECT rect;
    GetWindowRect(window, &rect);
    const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    // The first moves after the window maps can be lost: move until it takes them.
    bool taking = false;
    for (int i = 0; i < 20 && !taking; ++i) {
        taking = MoveOnce(i, centre);
    }
    if (!taking) {
        logFile.Line("error the window gets no mouse moves");
        return 1;
    }
    logFile.Line("ready screen=%dx%d", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<std::vector<double>> perMove(modes.size());
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t k = 0; k < modes.size(); ++k) {
            const std::size_t m = (round + k) % modes.size();
            const Mode& mode = modes[m];
            if (mode.on && !mode.on()) {
                logFile.Line("error installing the hook of mode %c", mode.name);
                return 1;
            }
            for (int i = 0; i < kWarmUpMoves; ++i) {
                MoveOnce(i, centre);
            }
            const long reportsBefore = reports;
            const long movesBefore = moves;
            LARGE_INTEGER start, end;
            QueryPerformanceCounter(&start);
            int lost = 0;
            for (int i = 0; i < movesPerRound; ++i) {
                lost += MoveOnce(i, centre) ? 0 : 1;
            }
            QueryPerformanceCounter(&end);
            if (mode.off) {
                mode.off();
            }
            // Reports posted for the last move are still in the queue.
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageA(&message);
            }
            if (lost) {
                logFile.Line("error %d moves of %d never arrived in mode %c", lost, movesPerRound, mode.name);
                return 1;
            }
            const double us = 1e6 * static_cast<double>(end.QuadPart - start.QuadPart) /
                              static_cast<double>(frequency.QuadPart) / movesPerRound;
            perMove[m].push_back(us);
            logFile.Line("round %d %c %.2f us/move reports=%ld moves=%ld", round + 1, mode.name, us,
                         reports - reportsBefore, moves - movesBefore);
        }
    }
    std::vector<double> medians;
    for (std::size_t m = 0; m < modes.size(); ++m) {
        medians.push_back(Median(perMove[m]));
        logFile.Line("median %c %.2f %s", modes[m].name, medians.back(), modes[m].what);
    }
    const double a = medians[0], c = medians[2], d = medians[3];
    logFile.Line("ratio d/c %.3f extra d-a/c-a %.3f", d / c, c > a ? (d - a) / (c - a) : 0.0);
    logFile.Line("done");
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 3 || !logFile.Open(__argv[2])) {
        return 2;
    }
    const int movesPerRound = __argc > 3 ? std::max(1, std::atoi(__argv[3])) : 2000;
    const int rounds = __argc > 4 ? std::max(1, std::atoi(__argv[4])) : 7;
    return Run(__argv[1], movesPerRound, rounds);
}
