#pragma once
// What a hook procedure needs from the system for one call, and what the library keeps per
// process. The Win32 side lives in GWHooks_win.cpp; the tests record every call.

#include "shared/AsideShare.h"
#include "shared/Handle.h"
#include "shared/HookShare.h"
#include "shared/ScrollBarWalk.h"

#include <cstddef>
#include <cstdint>

namespace gw {

using HookHandle = Handle<struct HookTag>;

// The record as one hook call sees it: opened and mapped read-only at the start of the call,
// unmapped and closed at its end. A null view means the record is absent.
struct ShareMapping {
    const HookShare* view = nullptr;
    KernelHandle section{};
};

// The stand-aside record, the same way, for the one call of a press of the activation button.
struct AsideMapping {
    const AsideShare* view = nullptr;
    KernelHandle section{};
};

class IHookHost {
public:
    // OpenFileMappingA + MapViewOfFile, both read-only; a section that cannot be mapped is closed
    // again and answers a null view.
    virtual ShareMapping OpenShare() = 0;
    // UnmapViewOfFile + CloseHandle of what OpenShare gave (only called for a non-null view).
    virtual void CloseShare(ShareMapping mapping) = 0;
    // PostMessageA; never waits, failures are of no interest.
    virtual void Post(std::uint32_t window, std::uint32_t message, std::uintptr_t wParam,
                      std::intptr_t lParam) = 0;
    virtual std::intptr_t CallNextHook(HookHandle hook, int code, std::uintptr_t wParam,
                                       std::intptr_t lParam) = 0;
    virtual bool CursorPosition(Point& where) = 0;  // GetCursorPos
    virtual WindowHandle WindowAt(Point where) = 0; // WindowFromPoint
    virtual IWindowQueries& Windows() = 0;

    // --- Standing aside (only for a press of the activation button)
    virtual AsideMapping OpenAside() = 0;              // as OpenShare, for "PaneBridge1201Aside"
    virtual void CloseAside(AsideMapping mapping) = 0; // as CloseShare
    // The file name of this process's executable (GetModuleFileNameW), zero-terminated in UTF-8,
    // the form in which the program lists names: its length, 0 when the path is unknown or cut
    // short or the name does not fit.
    virtual std::uint32_t ExecutableName(char* buffer, std::uint32_t size) = 0;
    // The same of another process (OpenProcess for PROCESS_QUERY_LIMITED_INFORMATION and
    // QueryFullProcessImageNameW, found at run time): 0 also when the process does not tell.
    virtual std::uint32_t ProcessExecutableName(std::uint32_t processId, char* buffer,
                                                std::uint32_t size) = 0;
    virtual std::uint32_t WindowProcess(WindowHandle window) = 0;     // GetWindowThreadProcessId's process
    virtual std::uint32_t CurrentProcess() = 0;                       // GetCurrentProcessId
    virtual WindowHandle ForegroundWindow() = 0;                      // GetForegroundWindow
    virtual WindowHandle DesktopWindow() = 0;                         // GetDesktopWindow
    virtual WindowHandle ShellWindow() = 0;                           // GetShellWindow
    virtual std::uint32_t WindowThread(WindowHandle window) = 0;      // GetWindowThreadProcessId
    virtual bool WindowBounds(WindowHandle window, Rect& bounds) = 0; // GetWindowRect
    // rcMonitor of the monitor nearest to the window (MonitorFromWindow, GetMonitorInfoA).
    virtual bool MonitorBounds(WindowHandle window, Rect& bounds) = 0;

    // --- Watching a thread's queue for the click replayed for a press the click rule swallowed
    virtual std::uint32_t CurrentThread() = 0; // GetCurrentThreadId
    virtual std::uint32_t Now() = 0;           // GetTickCount, the clock of the messages' times
    // SetWindowsHookExW (WH_GETMESSAGE, the library's message hook, this module, this thread);
    // null on failure.
    virtual HookHandle WatchQueue() = 0;
    virtual void StopWatchingQueue(HookHandle hook) = 0; // UnhookWindowsHookEx
    virtual std::uintptr_t MessageExtraInfo() = 0;       // GetMessageExtraInfo of the message just taken
    virtual std::uint32_t DoubleClickTime() = 0;         // GetDoubleClickTime
    // SM_CXDOUBLECLK and SM_CYDOUBLECLK: the rectangle a second click must fall into.
    virtual Point DoubleClickSize() = 0;

protected:
    ~IHookHost() = default; // never owned through this interface
};

// A press the application took off its queue, as the system delivered it: which press message
// (the single form: a double click is kept as the press it is the second of), where and when.
struct DeliveredPress {
    std::uint32_t message = 0; // 0: none yet
    WindowHandle window;
    std::uint32_t time = 0;
    Point at;
    bool doubleClick = false; // it was delivered as the second click of a double click
};

// A thread whose queue the message hook watches: from a press the click rule swallowed until the
// click replayed for it is through, or until the watch runs out (the press started a gesture, and
// no click comes). thread 0: the slot is free. Each thread claims a slot of its own and is the only
// one to change it afterwards.
struct QueueWatch {
    std::uint32_t thread = 0;
    HookHandle hook;
    std::uint32_t since = 0; // tick count when the watch began
};
inline constexpr std::size_t kQueueWatches = 8;
// Longer than any double-click time the system lets a user set (5 s): a replay that comes later
// is no double click anyway.
inline constexpr std::uint32_t kQueueWatchMs = 10000;

// The library's per-process variables: each process that loads it has its own copy, all zero at
// load. The hook handles are only ever set in the program's own process.
struct HookProcessState {
    HookHandle KeyboardHookHandle{};
    HookHandle MouseHookHandle{};
    std::uint8_t LeftClickArmed = 0;
    std::uint8_t MiddleClickArmed = 0;
    std::uint8_t RightClickArmed = 0;
    // Whether this process's executable is on the stand-aside list, as last worked out, and the
    // list's generation it holds for: 0 nothing worked out yet, 1 not listed, 2 listed.
    std::uint8_t AsideVerdict = 0;
    std::uint32_t AsideGeneration = 0;
    // The last press of any button this process's application took off a watched queue (a press
    // that reached it otherwise clears it). A replayed press is a double click only when it
    // follows that one as the user's own second click would.
    DeliveredPress LastPress{};
    QueueWatch Watches[kQueueWatches]{};
};

} // namespace gw
