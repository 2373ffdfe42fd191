// GWHooks.dll: the global keyboard and mouse hooks and the four exports that install and remove
// them. Windows maps this library into every process that receives input, so everything here is
// careful: no heap, no exceptions, every pointer checked, every path ending in CallNextHookEx or
// the deliberate swallow.

#include "hooks/HookProcedures.h"
#include "shared/HookShare.h"
#include "shared/WideText.h"
#include "shared/WindowQueries_win.h"

#include <windows.h>

#include <cstdint>

extern "C" IMAGE_DOS_HEADER __ImageBase; // this module, without asking DllMain for it

template <> struct gw::Win32HandleType<gw::HookTag> { using Type = HHOOK; };

namespace {

// Room for the paths a little past MAX_PATH that the system reports; a longer one names nothing.
constexpr DWORD kPathSize = 520;
// PROCESS_QUERY_LIMITED_INFORMATION, which the headers for Windows XP do not know: the least right
// that names another process's image, which an elevated process grants as well.
constexpr DWORD kProcessQueryLimitedInformation = 0x1000;

// Per-process: zero at load, so no code runs to set it up.
constinit gw::HookProcessState g_state{};

// The record holds the main window as 32 bits; 64-bit Windows sign-extends window handles.
HWND MainWindowHwnd(std::uint32_t window) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<std::int32_t>(window)));
}

// A named section mapped read-only for one call; null (and nothing left open) when it is absent.
const void* MapReadOnly(const char* name, gw::KernelHandle& handle) {
    HANDLE section = ::OpenFileMappingA(FILE_MAP_READ, FALSE, name);
    if (section == nullptr) {
        return nullptr;
    }
    const void* view = ::MapViewOfFile(section, FILE_MAP_READ, 0, 0, 0);
    if (view == nullptr) {
        ::CloseHandle(section);
        return nullptr;
    }
    handle = gw::FromWin32<gw::KernelHandle>(section);
    return view;
}

void Unmap(const void* view, gw::KernelHandle section) {
    if (view != nullptr) {
        ::UnmapViewOfFile(view);
    }
    if (section) {
        ::CloseHandle(gw::ToWin32(section));
    }
}

bool ToRect(const RECT& from, gw::Rect& to) {
    to = {from.left, from.top, from.right, from.bottom};
    return true;
}

// The system side of one hook call.
class HookHost final : public gw::IHookHost {
public:
    gw::ShareMapping OpenShare() override {
        gw::ShareMapping mapping;
        mapping.view = static_cast<const gw::HookShare*>(MapReadOnly(gw::kHookShareName, mapping.section));
        return mapping;
    }

    void CloseShare(gw::ShareMapping mapping) override { Unmap(mapping.view, mapping.section); }

    gw::AsideMapping OpenAside() override {
        gw::AsideMapping mapping;
        mapping.view = static_cast<const gw::AsideShare*>(MapReadOnly(gw::kAsideShareName, mapping.section));
        return mapping;
    }

    void CloseAside(gw::AsideMapping mapping) override { Unmap(mapping.view, mapping.section); }

    std::uint32_t ExecutableName(char* buffer, std::uint32_t size) override {
        wchar_t path[kPathSize];
        const DWORD length = ::GetModuleFileNameW(nullptr, path, kPathSize);
        return length < kPathSize ? gw::Utf8FileName(path, length, buffer, size) : 0;
    }

    std::uint32_t ProcessExecutableName(std::uint32_t processId, char* buffer, std::uint32_t size) override {
        // Windows Vista and later; without it (Windows XP) another process's name stays unknown.
        using QueryName = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);
        const auto queryName = reinterpret_cast<QueryName>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "QueryFullProcessImageNameW")));
        if (queryName == nullptr) {
            return 0;
        }
        HANDLE process = ::OpenProcess(kProcessQueryLimitedInformation, FALSE, processId);
        if (process == nullptr) {
            return 0;
        }
        wchar_t path[kPathSize];
        DWORD length = kPathSize;
        const bool named = queryName(process, 0, path, &length) && length < kPathSize;
        ::CloseHandle(process);
        return named ? gw::Utf8FileName(path, length, buffer, size) : 0;
    }

    std::uint32_t WindowProcess(gw::WindowHandle window) override {
        DWORD process = 0;
        ::GetWindowThreadProcessId(gw::ToWin32(window), &process);
        return process;
    }

    std::uint32_t CurrentProcess() override { return ::GetCurrentProcessId(); }

    gw::WindowHandle ForegroundWindow() override {
        return gw::FromWin32<gw::WindowHandle>(::GetForegroundWindow());
    }
    gw::WindowHandle DesktopWindow() override {
        return gw::FromWin32<gw::WindowHandle>(::GetDesktopWindow());
    }
    gw::WindowHandle ShellWindow() override { return gw::FromWin32<gw::WindowHandle>(::GetShellWindow()); }

    std::uint32_t WindowThread(gw::WindowHandle window) override {
        return ::GetWindowThreadProcessId(gw::ToWin32(window), nullptr);
    }

    bool WindowBounds(gw::WindowHandle window, gw::Rect& bounds) override {
        RECT rect;
        return ::GetWindowRect(gw::ToWin32(window), &rect) && ToRect(rect, bounds);
    }

    bool MonitorBounds(gw::WindowHandle window, gw::Rect& bounds) override {
        MONITORINFO info;
        info.cbSize = sizeof info;
        HMONITOR monitor = ::MonitorFromWindow(gw::ToWin32(window), MONITOR_DEFAULTTONEAREST);
        return monitor != nullptr && ::GetMonitorInfoA(monitor, &info) && ToRect(info.rcMonitor, bounds);
    }

    void Post(std::uint32_t window, std::uint32_t message, std::uintptr_t wParam,
              std::intptr_t lParam) override {
        ::PostMessageA(MainWindowHwnd(window), message, static_cast<WPARAM>(wParam),
                       static_cast<LPARAM>(lParam));
    }

    std::intptr_t CallNextHook(gw::HookHandle hook, int code, std::uintptr_t wParam,
                               std::intptr_t lParam) override {
        return ::CallNextHookEx(gw::ToWin32(hook), code, static_cast<WPARAM>(wParam),
                                static_cast<LPARAM>(lParam));
    }

    bool CursorPosition(gw::Point& where) override {
        POINT point{};
        if (!::GetCursorPos(&point)) {
            return false;
        }
        where = {point.x, point.y};
        return true;
    }

    gw::WindowHandle WindowAt(gw::Point where) override {
        return gw::FromWin32<gw::WindowHandle>(::WindowFromPoint(POINT{where.x, where.y}));
    }

    gw::IWindowQueries& Windows() override { return windows_; }

    std::uint32_t CurrentThread() override { return ::GetCurrentThreadId(); }
    std::uint32_t Now() override { return ::GetTickCount(); }
    gw::HookHandle WatchQueue() override;
    void StopWatchingQueue(gw::HookHandle hook) override { ::UnhookWindowsHookEx(gw::ToWin32(hook)); }
    std::uintptr_t MessageExtraInfo() override {
        return static_cast<std::uintptr_t>(::GetMessageExtraInfo());
    }
    std::uint32_t DoubleClickTime() override { return ::GetDoubleClickTime(); }
    gw::Point DoubleClickSize() override {
        return {::GetSystemMetrics(SM_CXDOUBLECLK), ::GetSystemMetrics(SM_CYDOUBLECLK)};
    }

private:
    gw::WindowQueries windows_;
};

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam) {
    HookHost host;
    return gw::KeyboardHookProc(host, g_state, code, wParam, lParam);
}

// A program that knows nothing of the monitors' densities gets its points scaled to its own view
// of the screen, and so do its hooks; the program reports and compares physical pixels. Windows
// 8.1 and later convert (for an aware window the point stays as it is); before them every point is
// physical already, so where the function is missing the point goes out unchanged. Looked up once
// per process; threads racing to look it up all find the same function.
using ToPhysicalFn = BOOL(WINAPI*)(HWND, POINT*);
constinit ToPhysicalFn g_toPhysical = nullptr;
constinit bool g_toPhysicalLookedUp = false;

gw::Point PhysicalPoint(HWND window, POINT point) {
    if (!g_toPhysicalLookedUp) {
        if (HMODULE user32 = ::GetModuleHandleA("user32.dll")) {
            g_toPhysical = reinterpret_cast<ToPhysicalFn>(
                reinterpret_cast<void*>(::GetProcAddress(user32, "LogicalToPhysicalPointForPerMonitorDPI")));
        }
        g_toPhysicalLookedUp = true;
    }
    POINT physical = point;
    if (g_toPhysical == nullptr || window == nullptr || !g_toPhysical(window, &physical)) {
        physical = point;
    }
    return {physical.x, physical.y};
}

LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam) {
    HookHost host;
    gw::MouseHookInfo info;
    const gw::MouseHookInfo* known = nullptr;
    if (code >= 0 && lParam != 0) {
        const auto* hookStruct = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        info = {PhysicalPoint(hookStruct->hwnd, hookStruct->pt),
                static_cast<std::uintptr_t>(hookStruct->dwExtraInfo)};
        known = &info;
    }
    return gw::MouseHookProc(host, g_state, code, wParam, lParam, known);
}

// Only a thread whose queue is watched (a press of it swallowed, its replay still to come) takes
// its messages through here.
LRESULT CALLBACK GetMessageHookProc(int code, WPARAM wParam, LPARAM lParam) {
    HookHost host;
    auto* msg = code >= 0 ? reinterpret_cast<MSG*>(lParam) : nullptr;
    gw::QueuedMessage message;
    if (msg != nullptr) {
        message = {
            gw::FromWin32<gw::WindowHandle>(msg->hwnd), msg->message, msg->time, {msg->pt.x, msg->pt.y}};
    }
    const LRESULT result =
        gw::GetMessageHookProc(host, g_state, code, wParam, lParam, msg != nullptr ? &message : nullptr);
    if (msg != nullptr && msg->message != message.message) {
        msg->message = message.message;
    }
    return result;
}

HINSTANCE ThisModule() {
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

gw::HookHandle HookHost::WatchQueue() {
    return gw::FromWin32<gw::HookHandle>(
        ::SetWindowsHookExW(WH_GETMESSAGE, GetMessageHookProc, ThisModule(), ::GetCurrentThreadId()));
}

// The exports hand back 32 bits: hook handles fit in them on 64-bit Windows too.
DWORD HandleBits(HHOOK hook) {
    return static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(hook));
}

} // namespace

extern "C" {

// The library's entry point itself (linked with -e): there is no C runtime start-up before it and
// nothing of ours to set up or tear down.
BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}

DWORD WINAPI KeyboardHookOn() {
    HHOOK hook = ::SetWindowsHookExA(WH_KEYBOARD, KeyboardHookProc, ThisModule(), 0);
    g_state.KeyboardHookHandle = gw::FromWin32<gw::HookHandle>(hook);
    return HandleBits(hook);
}

BOOL WINAPI KeyboardHookOff() {
    return ::UnhookWindowsHookEx(gw::ToWin32(g_state.KeyboardHookHandle));
}

DWORD WINAPI MouseHookOn() {
    HHOOK hook = ::SetWindowsHookExA(WH_MOUSE, MouseHookProc, ThisModule(), 0);
    g_state.MouseHookHandle = gw::FromWin32<gw::HookHandle>(hook);
    return HandleBits(hook);
}

BOOL WINAPI MouseHookOff() {
    return ::UnhookWindowsHookEx(gw::ToWin32(g_state.MouseHookHandle));
}

} // extern "C"
