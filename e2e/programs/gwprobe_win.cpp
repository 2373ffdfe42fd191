// gwprobe.exe: answers questions about the running program that X cannot see, for the cases of
// e2e/cases/program.sh and scroll.sh. One question per run; the answer is the exit code (0 yes, 1 no) and,
// where there is text, a line in the log file.
//
//   gwprobe.exe class NAME               a top-level window of that class exists (hidden ones too)
//   gwprobe.exe section NAME             a named section of that name can be opened
//   gwprobe.exe box CAPTION LOG [click]  a message box with that caption is up: writes
//                                        "box <text>" to LOG, and presses its OK button if asked
//   gwprobe.exe close CLASS              posts WM_CLOSE to the top-level window of that class (the
//                                        polite way to end a program, so its hooks go with it)
//   gwprobe.exe hold NAME SECONDS LOG    keeps the shared record of that name open (so it outlives
//                                        its maker) and logs "PassInput=N HooksPaused=N" at once
//                                        and at every change, for SECONDS
//   gwprobe.exe pause NAME 0|1           writes HooksPaused into the shared record of that name:
//                                        the hooks fall silent as for a message they never see
//   gwprobe.exe runkey deny|allow        HKLM's Run key refuses (or grants again) writing to
//                                        everybody, as it refuses a standard user on Windows
//   gwprobe.exe dpichanged CLASS DPI     posts WM_DPICHANGED for that density to the top-level window
//                                        of that class, as the system does when the window moves to a
//                                        monitor of another density (without the suggested rectangle,
//                                        which cannot cross processes in a posted message)
//   gwprobe.exe dialog CLASS LOG         what the keyboard sees of the window of that class:
//                                        "focus CLASS|TEXT" of the window with the keyboard focus
//                                        in its thread ("focus none" without one), "rect L T R B"
//                                        its screen rectangle (with the label beside a box that has
//                                        no caption of its own), "page N" the tab strip's selected
//                                        tab, and "button TEXT enabled=E checked=C" for each button

#include "E2eLog_win.h"
#include "shared/HookShare.h"

#include <windows.h>
#include <commctrl.h>
#include <sddl.h>

#include <cstdlib> // __argc, __argv
#include <cstring>

namespace {

struct BoxSearch {
    const char* caption;
    HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<BoxSearch*>(param);
    char className[64] = {};
    char title[256] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    if (std::strcmp(className, "#32770") == 0 && std::strcmp(title, search->caption) == 0 &&
        IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

int Box(const char* caption, const char* logPath, bool click) {
    BoxSearch search{caption, nullptr};
    EnumWindows(&FindBox, reinterpret_cast<LPARAM>(&search));
    if (!search.found) {
        return 1;
    }
    char text[512] = {};
    GetDlgItemTextA(search.found, 0xFFFF, text, sizeof text);
    // Line breaks in the text would split the log line: show them as \r and \n.
    char shown[1024] = {};
    std::size_t at = 0;
    for (const char* c = text; *c && at + 2 < sizeof shown; ++c) {
        if (*c == '\r' || *c == '\n') {
            shown[at++] = '\\';
            shown[at++] = *c == '\r' ? 'r' : 'n';
        } else {
            shown[at++] = *c;
        }
    }
    gw::e2e::LineLog log;
    if (!log.Open(logPath)) {
        return 2;
    }
    log.Line("box %s", shown);
    if (click) {
        SendMessageA(GetDlgItem(search.found, IDOK), BM_CLICK, 0, 0);
    }
    return 0;
}

int Hold(const char* name, int seconds, const char* logPath) {
    HANDLE section = OpenFileMappingA(FILE_MAP_READ, FALSE, name);
    const auto* view =
        section ? static_cast<const gw::HookShare*>(MapViewOfFile(section, FILE_MAP_READ, 0, 0, 0)) : nullptr;
    gw::e2e::LineLog log;
    if (!view || !log.Open(logPath)) {
        return 1;
    }
    int last = -1;
    for (int tick = 0; tick < seconds * 20; ++tick) {
        const int now = *static_cast<const volatile std::uint8_t*>(&view->PassInput) << 8 |
                        *static_cast<const volatile std::uint8_t*>(&view->HooksPaused);
        if (now != last) {
            log.Line("PassInput=%d HooksPaused=%d", now >> 8, now & 0xFF);
            last = now;
        }
        Sleep(50);
    }
    UnmapViewOfFile(view);
    CloseHandle(section);
    return 0;
}

int Pause(const char* name, bool paused) {
    HANDLE section = OpenFileMappingA(FILE_MAP_WRITE, FALSE, name);
    auto* view =
        section ? static_cast<gw::HookShare*>(MapViewOfFile(section, FILE_MAP_WRITE, 0, 0, 0)) : nullptr;
    if (!view) {
        return 1;
    }
    *static_cast<volatile std::uint8_t*>(&view->HooksPaused) = paused ? 1 : 0;
    UnmapViewOfFile(view);
    CloseHandle(section);
    return 0;
}

// Everybody may read the key; "deny" takes setting values and making sub-keys away from everybody
// (Wine's users are all administrators, so a grant to a group would not do).
int RunKey(bool deny) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0,
                      READ_CONTROL | WRITE_DAC, &key) != ERROR_SUCCESS) {
        return 1;
    }
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const char* text = deny ? "D:(D;;0x6;;;WD)(A;;KA;;;WD)" : "D:(A;;KA;;;WD)"; // 0x6: set value, sub-key
    BOOL made =
        ConvertStringSecurityDescriptorToSecurityDescriptorA(text, SDDL_REVISION_1, &descriptor, nullptr);
    const bool set = made && RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
    LocalFree(descriptor);
    RegCloseKey(key);
    return set ? 0 : 1;
}

struct ButtonLog {
    gw::e2e::LineLog* log;
};

BOOL CALLBACK LogButton(HWND window, LPARAM param) {
    char className[64] = {};
    char text[256] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, text, sizeof text);
    if (_stricmp(className, "Button") == 0 && text[0] != '\0') {
        const LRESULT check = SendMessageA(window, BM_GETCHECK, 0, 0);
        reinterpret_cast<ButtonLog*>(param)->log->Line("button %s enabled=%d checked=%d", text,
                                                       IsWindowEnabled(window) ? 1 : 0,
                                                       check == BST_CHECKED ? 1 : 0);
    }
    return TRUE;
}

int Dialog(const char* windowClass, const char* logPath) {
    HWND top = FindWindowA(windowClass, nullptr);
    gw::e2e::LineLog log;
    if (!top || !log.Open(logPath)) {
        return 1;
    }
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    HWND focus = GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info) ? info.hwndFocus : nullptr;
    if (focus) {
        char className[64] = {};
        char text[256] = {};
        GetClassNameA(focus, className, sizeof className);
        GetWindowTextA(focus, text, sizeof text);
        log.Line("focus %s|%s", className, text);
        RECT rect = {};
        GetWindowRect(focus, &rect);
        // A box without a caption of its own has its label beside it: the focus frame is there.
        HWND next = GetWindow(focus, GW_HWNDNEXT);
        char nextClass[64] = {};
        if (text[0] == '\0' && next && GetClassNameA(next, nextClass, sizeof nextClass) &&
            _stricmp(nextClass, "Static") == 0) {
            RECT label = {};
            GetWindowRect(next, &label);
            UnionRect(&rect, &rect, &label);
        }
        log.Line("rect %ld %ld %ld %ld", rect.left, rect.top, rect.right, rect.bottom);
    } else {
        log.Line("focus none");
    }
    if (HWND tabs = FindWindowExA(top, nullptr, "SysTabControl32", nullptr)) {
        log.Line("page %d", static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0)));
    }
    ButtonLog buttons{&log};
    EnumChildWindows(top, &LogButton, reinterpret_cast<LPARAM>(&buttons));
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc >= 3 && std::strcmp(__argv[1], "class") == 0) {
        return FindWindowA(__argv[2], nullptr) ? 0 : 1;
    }
    if (__argc >= 3 && std::strcmp(__argv[1], "section") == 0) {
        HANDLE section = OpenFileMappingA(FILE_MAP_READ, FALSE, __argv[2]);
        if (!section) {
            return 1;
        }
        CloseHandle(section);
        return 0;
    }
    if (__argc >= 3 && std::strcmp(__argv[1], "close") == 0) {
        HWND window = FindWindowA(__argv[2], nullptr);
        return window && PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (__argc >= 5 && std::strcmp(__argv[1], "hold") == 0) {
        return Hold(__argv[2], std::atoi(__argv[3]), __argv[4]);
    }
    if (__argc >= 4 && std::strcmp(__argv[1], "pause") == 0) {
        return Pause(__argv[2], std::strcmp(__argv[3], "0") != 0);
    }
    if (__argc >= 3 && std::strcmp(__argv[1], "runkey") == 0) {
        return RunKey(std::strcmp(__argv[2], "deny") == 0);
    }
    if (__argc >= 4 && std::strcmp(__argv[1], "dpichanged") == 0) {
        HWND window = FindWindowA(__argv[2], nullptr);
        const WORD dpi = static_cast<WORD>(std::atoi(__argv[3]));
        return window && PostMessageA(window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi), 0) ? 0 : 1;
    }
    if (__argc >= 4 && std::strcmp(__argv[1], "dialog") == 0) {
        return Dialog(__argv[2], __argv[3]);
    }
    if (__argc >= 4 && std::strcmp(__argv[1], "box") == 0) {
        return Box(__argv[2], __argv[3], __argc >= 5 && std::strcmp(__argv[4], "click") == 0);
    }
    return 3;
}
