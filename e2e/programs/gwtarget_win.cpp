// gwtarget.exe LOGFILE [DX DY]
//
// The other application of the end-to-end cases: a few windows of the kinds the hooks and the
// scroll engine tell apart, each at a fixed screen position, logging every mouse, wheel, scroll,
// key and context-menu message it receives. With no window manager a top-level window appears
// exactly where it is created; the frames are borderless popups, so window and client rectangles
// coincide. At start the program logs one "rect" line per window, then "ready".
//
// Log lines:
//   rect TAG LEFT TOP RIGHT BOTTOM hwnd=0x...      screen rectangle of a window
//   TAG msg=0xMMMM wp=0x... lp=0x...               a message received by that window
//   pos TAG N                                      the scroll position of list, edit or sibbar changed
//   hang N, awake                                  a hang of N seconds begins, and is over
//   busy N, free                                   N milliseconds busy after a button's release
//
// A hung application: when a file LOGFILE.hang appears, holding a number of seconds, the program
// deletes it and sleeps that long inside its window procedure, processing no messages at all.
// A busy application at the worst moment: when a file LOGFILE.busy holding a number of milliseconds
// is there at the next release of a mouse button the program takes, the program deletes it and,
// once every hook has seen that release (a mouse hook of its own thread, called first, passes it on
// and then sleeps), takes no message for that long. A click replayed for that release then waits
// in the queue until the program is free again.
// Windows (tag, class, frame position):
//   list     "ListBox" with a usable vertical bar           frame at (300,100) 240x300
//   plain    "GWTargetPlain", no bars, alone in its frame    frame at (560,100) 200x140
//   mozilla  "GWTestMozillaWindowClass", no bars, takes      frame at (560,260) 200x140
//            double clicks (CS_DBLCLKS) as a browser's page does
//   pane     "GWTargetPlain", no bars, beside sibbar         frame at (780,100) 220x300, pane 180 wide
//   sibbar   "ScrollBar" control, SBS_VERT, range 0..100     right 40 pixels of that frame
//   edit     multi-line "Edit" with a vertical bar           frame at (300,420) 240x200
//   chrome   "Chrome_RenderWidgetHostHWND", no bars           frame at (560,420) 200x140
//   wpf      "HwndWrapper[Test;;1]", no bars, a top-level     window at (780,420) 200x140
//            window of its own, as WPF's are
//   uwp      "Windows.UI.Core.CoreWindow", no bars           frame at (560,580) 200x140
// With DX DY every frame lies that far from its usual place (on another monitor, say).
// Frames are tagged listframe, plainframe, mozillaframe, siblingframe, editframe, chromeframe,
// uwpframe.

#include "e2e/programs/E2eLog_win.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

gw::e2e::LineLog g_log;
std::string g_hangPath; // LOGFILE.hang
std::string g_busyPath; // LOGFILE.busy
HHOOK g_busyHook = nullptr;

struct Subject {
    const char* tag;
    HWND window;
    WNDPROC original; // set for subclassed system controls
    int lastPosition;
};

Subject g_subjects[16];
int g_subjectCount = 0;

constexpr UINT_PTR kPositionTimer = 1;
constexpr int kSiblingBarMax = 100;

Subject* Find(HWND window) {
    for (int i = 0; i < g_subjectCount; ++i) {
        if (g_subjects[i].window == window) {
            return &g_subjects[i];
        }
    }
    return nullptr;
}

Subject* FindTag(const char* tag) {
    for (int i = 0; i < g_subjectCount; ++i) {
        if (std::string(g_subjects[i].tag) == tag) {
            return &g_subjects[i];
        }
    }
    return nullptr;
}

bool IsLogged(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= 0x020E)     // client mouse, wheels
           || (message >= WM_NCMOUSEMOVE && message <= 0x00AD) // non-client mouse
           || (message >= WM_KEYFIRST && message <= WM_KEYLAST) || message == WM_VSCROLL ||
           message == WM_HSCROLL || message == WM_CONTEXTMENU;
}

void LogMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsLogged(message)) {
        return;
    }
    const Subject* subject = Find(window);
    g_log.Line("%s msg=0x%04X wp=0x%08lX lp=0x%08lX", subject ? subject->tag : "other", message,
               static_cast<unsigned long>(wParam), static_cast<unsigned long>(lParam));
}

// Scroll positions, polled so that scrolling by any means (messages, thumb drags) shows in the log.
int ReadPosition(const Subject& subject) {
    const std::string tag = subject.tag;
    if (tag == "list") {
        return static_cast<int>(SendMessageA(subject.window, LB_GETTOPINDEX, 0, 0));
    }
    if (tag == "edit") {
        return static_cast<int>(SendMessageA(subject.window, EM_GETFIRSTVISIBLELINE, 0, 0));
    }
    return GetScrollPos(subject.window, SB_CTL);
}

void LogPositionChanges() {
    for (const char* tag : {"list", "edit", "sibbar"}) {
        Subject* subject = FindTag(tag);
        if (!subject) {
            continue;
        }
        const int position = ReadPosition(*subject);
        if (position != subject->lastPosition) {
            subject->lastPosition = position;
            g_log.Line("pos %s %d", tag, position);
        }
    }
}

// The frame owns the sibling scroll-bar control, so it moves the thumb the way an application would.
void MoveSiblingBar(HWND bar, WPARAM wParam) {
    int position = GetScrollPos(bar, SB_CTL);
    switch (LOWORD(wParam)) {
    case SB_LINEUP:
        position -= 1;
        break;
    case SB_LINEDOWN:
        position += 1;
        break;
    case SB_PAGEUP:
        position -= 10;
        break;
    case SB_PAGEDOWN:
        position += 10;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = HIWORD(wParam);
        break;
    default:
        return;
    }
    position = position < 0 ? 0 : (position > kSiblingBarMax ? kSiblingBarMax : position);
    SetScrollPos(bar, SB_CTL, position, TRUE);
}

// The number of a control file of ours, deleted once read; -1 when there is none.
int TakeNumberFile(const std::string& path) {
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return -1;
    }
    char text[16] = {};
    DWORD read = 0;
    ReadFile(file, text, sizeof text - 1, &read, nullptr);
    CloseHandle(file);
    DeleteFileA(path.c_str());
    return std::atoi(text);
}

// Checked on the position timer, so the sleep happens inside a window procedure, as a real
// application's would.
void HangIfAsked() {
    const int seconds = TakeNumberFile(g_hangPath);
    if (seconds < 0) {
        return;
    }
    g_log.Line("hang %d", seconds);
    Sleep(static_cast<DWORD>(seconds) * 1000);
    g_log.Line("awake");
}

LRESULT CALLBACK BusyAfterRelease(int code, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallNextHookEx(g_busyHook, code, wParam, lParam);
    const bool release = wParam == WM_LBUTTONUP || wParam == WM_RBUTTONUP || wParam == WM_MBUTTONUP;
    if (code == HC_ACTION && release) {
        const int milliseconds = TakeNumberFile(g_busyPath);
        if (milliseconds >= 0) {
            g_log.Line("busy %d", milliseconds);
            Sleep(static_cast<DWORD>(milliseconds));
            g_log.Line("free");
        }
    }
    return result;
}

LRESULT CALLBACK OwnWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LogMessage(window, message, wParam, lParam);
    switch (message) {
    case WM_LBUTTONDOWN:
        SetFocus(window); // so that typed keys land here after a click
        break;
    case WM_VSCROLL:
        if (lParam != 0) {
            MoveSiblingBar(reinterpret_cast<HWND>(lParam), wParam);
        }
        return 0;
    case WM_PAINT: {
        // The tag in the corner, so that screenshots say which window is which.
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (const Subject* subject = Find(window)) {
            TextOutA(dc, 4, 4, subject->tag, static_cast<int>(std::strlen(subject->tag)));
        }
        EndPaint(window, &paint);
        return 0;
    }
    case WM_TIMER:
        if (wParam == kPositionTimer) {
            LogPositionChanges();
            HangIfAsked();
        }
        return 0;
    case WM_CLOSE:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LogMessage(window, message, wParam, lParam);
    const Subject* subject = Find(window);
    return subject ? CallWindowProcA(subject->original, window, message, wParam, lParam)
                   : DefWindowProcA(window, message, wParam, lParam);
}

HWND Add(const char* tag, HWND window, bool subclass) {
    Subject& subject = g_subjects[g_subjectCount++];
    subject = Subject{tag, window, nullptr, -1};
    if (subclass) {
        subject.original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
    }
    return window;
}

POINT g_shift{}; // DX DY of the command line

HWND Frame(const char* tag, const char* title, int x, int y, int width, int height,
           const char* className = "GWTargetFrame") {
    HWND frame =
        CreateWindowExA(0, className, title, WS_POPUP | WS_CLIPCHILDREN, x + g_shift.x, y + g_shift.y, width,
                        height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    return Add(tag, frame, false);
}

HWND Child(const char* tag, const char* className, DWORD style, HWND parent, int x, int y, int width,
           int height, bool subclass) {
    HWND child = CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    return Add(tag, child, subclass);
}

void Register(const char* className, UINT style = 0) {
    WNDCLASSA windowClass{};
    windowClass.style = style;
    windowClass.lpfnWndProc = &OwnWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
}

void CreateSubjects() {
    Register("GWTargetFrame");
    Register("GWTargetPlain");
    Register("GWTestMozillaWindowClass", CS_DBLCLKS);
    Register("Chrome_RenderWidgetHostHWND");
    Register("HwndWrapper[Test;;1]");
    Register("Windows.UI.Core.CoreWindow");

    HWND listFrame = Frame("listframe", "GWTarget list", 300, 100, 240, 300);
    HWND list = Child("list", "ListBox", WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, listFrame, 0, 0, 240,
                      300, true);
    for (int i = 1; i <= 200; ++i) {
        char item[32];
        std::snprintf(item, sizeof item, "List item %03d", i);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }

    HWND plainFrame = Frame("plainframe", "GWTarget plain", 560, 100, 200, 140);
    Child("plain", "GWTargetPlain", 0, plainFrame, 0, 0, 200, 140, false);

    HWND mozillaFrame = Frame("mozillaframe", "GWTarget mozilla", 560, 260, 200, 140);
    Child("mozilla", "GWTestMozillaWindowClass", 0, mozillaFrame, 0, 0, 200, 140, false);

    HWND siblingFrame = Frame("siblingframe", "GWTarget sibling", 780, 100, 220, 300);
    Child("pane", "GWTargetPlain", 0, siblingFrame, 0, 0, 180, 300, false);
    HWND bar = Child("sibbar", "ScrollBar", SBS_VERT, siblingFrame, 180, 0, 40, 300, true);
    SetScrollRange(bar, SB_CTL, 0, kSiblingBarMax, FALSE);

    HWND editFrame = Frame("editframe", "GWTarget edit", 300, 420, 240, 200);
    HWND edit =
        Child("edit", "Edit", WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, editFrame, 0, 0, 240, 200, true);
    std::string text;
    for (int i = 1; i <= 100; ++i) {
        char line[32];
        std::snprintf(line, sizeof line, "Edit line %03d\r\n", i);
        text += line;
    }
    SetWindowTextA(edit, text.c_str());

    HWND chromeFrame = Frame("chromeframe", "GWTarget chrome", 560, 420, 200, 140);
    Child("chrome", "Chrome_RenderWidgetHostHWND", 0, chromeFrame, 0, 0, 200, 140, false);

    HWND wpf = Frame("wpf", "GWTarget wpf", 780, 420, 200, 140, "HwndWrapper[Test;;1]");

    HWND uwpFrame = Frame("uwpframe", "GWTarget uwp", 560, 580, 200, 140);
    Child("uwp", "Windows.UI.Core.CoreWindow", 0, uwpFrame, 0, 0, 200, 140, false);

    for (HWND frame :
         {listFrame, plainFrame, mozillaFrame, siblingFrame, editFrame, chromeFrame, wpf, uwpFrame}) {
        ShowWindow(frame, SW_SHOWNOACTIVATE);
        UpdateWindow(frame);
    }
    SetTimer(listFrame, kPositionTimer, 100, nullptr);
}

void LogRectangles() {
    for (int i = 0; i < g_subjectCount; ++i) {
        RECT rect{};
        GetWindowRect(g_subjects[i].window, &rect);
        g_log.Line("rect %s %ld %ld %ld %ld hwnd=0x%llX", g_subjects[i].tag, rect.left, rect.top, rect.right,
                   rect.bottom,
                   static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(g_subjects[i].window)));
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    // The log's path, quoted when it holds blanks, then perhaps the shift.
    const std::string line = commandLine ? commandLine : "";
    std::string path;
    std::size_t rest = 0;
    if (!line.empty() && line.front() == '"') {
        rest = line.find('"', 1);
        path = line.substr(1, rest == std::string::npos ? std::string::npos : rest - 1);
        rest = rest == std::string::npos ? line.size() : rest + 1;
    } else {
        rest = line.find(' ');
        path = line.substr(0, rest);
        rest = rest == std::string::npos ? line.size() : rest;
    }
    long dx = 0;
    long dy = 0;
    if (std::sscanf(line.c_str() + rest, "%ld %ld", &dx, &dy) == 2) {
        g_shift = POINT{dx, dy};
    }
    if (path.empty() || !g_log.Open(path.c_str())) {
        return 2;
    }
    g_hangPath = path + ".hang";
    g_busyPath = path + ".busy";
    g_busyHook = SetWindowsHookExA(WH_MOUSE, BusyAfterRelease, nullptr, GetCurrentThreadId());
    CreateSubjects();
    LogRectangles();
    LogPositionChanges();
    g_log.Line("ready");

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    g_log.Line("bye");
    return 0;
}
