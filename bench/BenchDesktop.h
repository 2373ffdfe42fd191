#pragma once
// Do-nothing stand-ins for the system: a desktop of windows held in an array, a hook host and the
// scroll engine's operations, all answering from memory at next to no cost, so that a figure is
// the cost of our own code. Unlike the test fakes they record nothing; they only count the calls,
// each of which is a Win32 call in the real program or library ("win32" in the table).
//
// A new operation of IHookHost (a second record to read, say) gets a do-nothing answer here that
// counts itself, and the hook benchmarks then measure it with the rest.

#include "base/SystemCursors.h"
#include "hooks/HookHost.h"
#include "scroll/ScrollSeams.h"
#include "shared/ScrollBarWalk.h"
#include "shared/WideText.h"
#include "shared/Win32Values.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace gw::bench {

class BenchWindows final : public IWindowQueries {
public:
    BenchWindows() { windows_.push_back({}); } // 0: the desktop, parent of the top-level windows

    // A window at the bottom of its parent's Z order; its handle is its index.
    WindowHandle Add(const char* className, WindowHandle parent = {}, std::uint32_t style = 0) {
        const auto index = static_cast<std::uint32_t>(windows_.size());
        Window window;
        window.className = className;
        window.length = static_cast<int>(std::strlen(className));
        window.style = style;
        window.parent = static_cast<std::uint32_t>(parent.value);
        windows_.push_back(window);
        Window& up = windows_[window.parent];
        if (up.lastChild != 0) {
            windows_[up.lastChild].next = index;
        } else {
            up.firstChild = index;
        }
        up.lastChild = index;
        return WindowHandle(index);
    }
    // The window's own bar answers GetScrollBarInfo with this state (rgstate[0]).
    void SetOwnBar(WindowHandle window, std::int32_t objectId, std::uint32_t state) {
        Window& w = windows_[window.value];
        (objectId == win::kOBJID_HSCROLL ? w.horz : w.vert) = static_cast<std::int64_t>(state);
    }

    std::uint64_t calls = 0;

    int ClassName(WindowHandle window, char* buffer, int size) override {
        ++calls;
        const Window& w = windows_[window.value];
        const int length = w.length < size - 1 ? w.length : size - 1;
        std::memcpy(buffer, w.className, static_cast<std::size_t>(length));
        buffer[length] = '\0';
        return length;
    }
    bool ScrollBarState(WindowHandle window, std::int32_t objectId, std::uint32_t& state) override {
        ++calls;
        const std::int64_t bar =
            objectId == win::kOBJID_HSCROLL ? windows_[window.value].horz : windows_[window.value].vert;
        if (bar < 0) {
            return false;
        }
        state = static_cast<std::uint32_t>(bar);
        return true;
    }
    WindowHandle Parent(WindowHandle window) override {
        ++calls;
        return WindowHandle(windows_[window.value].parent);
    }
    WindowHandle Relative(WindowHandle window, std::uint32_t relation) override {
        ++calls;
        const Window& w = windows_[window.value];
        switch (relation) {
        case win::kGW_CHILD:
            return WindowHandle(w.firstChild);
        case win::kGW_HWNDFIRST:
            return WindowHandle(windows_[w.parent].firstChild);
        case win::kGW_HWNDLAST:
            return WindowHandle(windows_[w.parent].lastChild);
        case win::kGW_HWNDNEXT:
            return WindowHandle(w.next);
        default:
            return {};
        }
    }
    std::uint32_t Style(WindowHandle window) override {
        ++calls;
        return windows_[window.value].style;
    }

private:
    struct Window {
        const char* className = "";
        int length = 0;
        std::uint32_t style = 0;
        std::uint32_t parent = 0;
        std::uint32_t firstChild = 0;
        std::uint32_t lastChild = 0;
        std::uint32_t next = 0;
        std::int64_t horz = -1; // -1: the window has no such bar (the query fails)
        std::int64_t vert = -1;
    };
    std::vector<Window> windows_; // built before a benchmark runs, never while it is measured
};

inline AsideShare MakeAside() {
    AsideShare aside{};
    aside.Generation = 2;
    aside.FullScreenAside = 1;
    const char* names[] = {"mspaint.exe", "mstsc.exe", "blender.exe"};
    for (const char* name : names) {
        std::memcpy(aside.Names[aside.Count++], name, std::strlen(name) + 1);
    }
    return aside;
}

// The system side of one hook call. The record is the program's after a start with the default
// settings: scrolling on, the right button, keys reported.
class BenchHookHost final : public IHookHost {
public:
    HookShare record{0x0001'0A2C, 3, 1, 1, 0, 1, 1, {0, 0}};
    WindowHandle underCursor;
    BenchWindows windows;
    std::uint64_t calls = 0;

    ShareMapping OpenShare() override {
        calls += 2; // OpenFileMappingA, MapViewOfFile
        return {&record, KernelHandle(1)};
    }
    void CloseShare(ShareMapping) override { calls += 2; } // UnmapViewOfFile, CloseHandle
    void Post(std::uint32_t, std::uint32_t, std::uintptr_t, std::intptr_t) override { ++calls; }
    std::intptr_t CallNextHook(HookHandle, int, std::uintptr_t, std::intptr_t) override {
        ++calls;
        return 0;
    }
    bool CursorPosition(Point& where) override {
        ++calls;
        where = {100, 100};
        return true;
    }
    WindowHandle WindowAt(Point) override {
        ++calls;
        return underCursor;
    }
    IWindowQueries& Windows() override { return windows; }

    // Standing aside, asked for every press of the activation button: a list of three other
    // programs, the full-screen option on, and the first top-level window in front, smaller than
    // its monitor. The verdict about the executable is cached after the first press; a window of
    // another process is asked about every time.
    AsideShare aside = MakeAside();
    AsideMapping OpenAside() override {
        calls += 2;
        return {&aside, KernelHandle(2)};
    }
    void CloseAside(AsideMapping) override { calls += 2; }
    std::uint32_t ExecutableName(char* buffer, std::uint32_t size) override {
        ++calls;
        return Name(u"C:\\Program Files\\Editor\\editor.exe", buffer, size);
    }
    // A press over a window of another process (ownerOfWindows), as the hook of the other bitness
    // sees it on the program's thread: that process's name, one of the listed ones.
    std::uint32_t ownerOfWindows = 100;
    std::uint32_t ProcessExecutableName(std::uint32_t, char* buffer, std::uint32_t size) override {
        calls += 4; // OpenProcess, GetProcAddress, QueryFullProcessImageNameW, CloseHandle
        return Name(u"C:\\Program Files\\Blender\\blender.exe", buffer, size);
    }
    std::uint32_t WindowProcess(WindowHandle) override {
        ++calls;
        return ownerOfWindows;
    }
    std::uint32_t CurrentProcess() override {
        ++calls;
        return 100;
    }
    WindowHandle ForegroundWindow() override {
        ++calls;
        return WindowHandle(1);
    }
    WindowHandle DesktopWindow() override {
        ++calls;
        return WindowHandle(0x10010);
    }
    WindowHandle ShellWindow() override {
        ++calls;
        return WindowHandle(0x10020);
    }
    std::uint32_t WindowThread(WindowHandle window) override {
        ++calls;
        return window.value == 0x10020 ? 7 : 9;
    }
    bool WindowBounds(WindowHandle, Rect& bounds) override {
        ++calls;
        bounds = {100, 100, 900, 700};
        return true;
    }
    bool MonitorBounds(WindowHandle, Rect& bounds) override {
        ++calls;
        bounds = {0, 0, 1920, 1080};
        return true;
    }

    std::uint32_t CurrentThread() override {
        ++calls;
        return 0x51;
    }
    std::uint32_t Now() override {
        ++calls;
        return 1000;
    }
    HookHandle WatchQueue() override {
        ++calls;
        return HookHandle(0x99);
    }
    void StopWatchingQueue(HookHandle) override { ++calls; }
    // The message just taken off the queue: our own replayed press.
    std::uintptr_t MessageExtraInfo() override {
        ++calls;
        return kInjectedInputMark;
    }
    std::uint32_t DoubleClickTime() override {
        ++calls;
        return 500;
    }
    Point DoubleClickSize() override {
        calls += 2;
        return {4, 4};
    }

    std::uint64_t AllCalls() const { return calls + windows.calls; }

private:
    // What the library makes of the wide path the system reports.
    template <std::size_t N>
    static std::uint32_t Name(const char16_t (&path)[N], char* buffer, std::uint32_t size) {
        return Utf8FileName(path, N - 1, buffer, size);
    }
};

// The scroll engine's operations and the cursor calls: every one answers at once and counts itself.
class BenchScrollOps final : public IScrollWindowOps, public IScrollInputOps, public ICursorApi {
public:
    std::uint64_t calls = 0;
    WindowHandle underCursor;
    ScrollBarGeometry bar{{900, 100, 917, 500}, 17, 40};

    void Post(WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) override { ++calls; }
    void SendWithTimeout(WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t, std::uint32_t,
                         std::uint32_t) override {
        ++calls;
    }
    bool Answers(WindowHandle, std::uint32_t) override {
        ++calls;
        return true;
    }
    void AttachThreadInput(std::uint32_t, std::uint32_t, std::int32_t) override { ++calls; }
    void SetCapture(WindowHandle) override { ++calls; }
    void ReleaseCapture() override { ++calls; }
    void GetKeyboardState(KeyboardState& state) override {
        ++calls;
        state = {};
    }
    void SetKeyboardState(const KeyboardState&) override { ++calls; }
    bool GetScrollBarInfo(WindowHandle, std::int32_t, ScrollBarGeometry& info) override {
        ++calls;
        info = bar;
        return true;
    }
    void ScreenToClient(WindowHandle, Point&) override { ++calls; }
    std::uint32_t GetWindowThreadProcessId(WindowHandle) override {
        ++calls;
        return 7;
    }
    std::uint32_t GetCurrentThreadId() override {
        ++calls;
        return 1;
    }
    WindowHandle WindowFromPoint(Point) override {
        ++calls;
        return underCursor;
    }

    void SetCursorPos(std::int32_t, std::int32_t) override { ++calls; }
    Point GetCursorPos() override {
        ++calls;
        return {500, 300};
    }
    void MouseEvent(std::uint32_t, std::uint32_t) override { ++calls; }
    void InjectWheel(std::uint32_t, std::int32_t, std::uint32_t) override { ++calls; }
    void Sleep(std::uint32_t) override { ++calls; }
    bool ButtonsSwapped() override {
        ++calls;
        return false;
    }
    bool KeyDown(std::uint32_t) override {
        ++calls;
        return true;
    }
    std::uint32_t TickCount() override {
        ++calls;
        return 0;
    }

    CursorHandle LoadCursorResource(const char*) override {
        ++calls;
        return CursorHandle(0x1000);
    }
    CursorHandle CopyCursor(CursorHandle cursor) override {
        ++calls;
        return cursor;
    }
    void SetSystemCursor(CursorHandle, std::uint32_t) override { ++calls; }
    void SetCursor(CursorHandle) override { ++calls; }
    void ReloadSystemCursors() override { ++calls; }
    void DestroyCursor(CursorHandle) override { ++calls; }
};

} // namespace gw::bench
