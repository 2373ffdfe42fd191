#pragma once
// What a hook procedure needs from the system for one call, and what the library keeps per
// process. The Win32 side lives in GWHooks_win.cpp; the tests record every call.

#include "shared/AsideShare.h"
#include "shared/Handle.h"
#include "shared/HookShare.h"
#include "shared/ScrollBarWalk.h"

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
    // GetModuleFileNameA of the process's executable: the length copied, 0 on failure; a path cut
    // short answers the buffer's size.
    virtual std::uint32_t ExecutablePath(char* buffer, std::uint32_t size) = 0;
    virtual WindowHandle ForegroundWindow() = 0;                      // GetForegroundWindow
    virtual WindowHandle DesktopWindow() = 0;                         // GetDesktopWindow
    virtual WindowHandle ShellWindow() = 0;                           // GetShellWindow
    virtual std::uint32_t WindowThread(WindowHandle window) = 0;      // GetWindowThreadProcessId
    virtual bool WindowBounds(WindowHandle window, Rect& bounds) = 0; // GetWindowRect
    // rcMonitor of the monitor nearest to the window (MonitorFromWindow, GetMonitorInfoA).
    virtual bool MonitorBounds(WindowHandle window, Rect& bounds) = 0;

    // --- Taking a replayed press off the queue (only for a press our own input carried)
    virtual std::uintptr_t MessageExtraInfo() = 0; // GetMessageExtraInfo of the message just taken
    virtual std::uint32_t DoubleClickTime() = 0;   // GetDoubleClickTime
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

// The library's per-process variables: each process that loads it has its own copy, all zero at
// load. The hook handles are only ever set in the program's own process.
struct HookProcessState {
    HookHandle KeyboardHookHandle{};
    HookHandle MouseHookHandle{};
    HookHandle GetMessageHookHandle{};
    std::uint8_t LeftClickArmed = 0;
    std::uint8_t MiddleClickArmed = 0;
    std::uint8_t RightClickArmed = 0;
    // Whether this process's executable is on the stand-aside list, as last worked out, and the
    // list's generation it holds for: 0 nothing worked out yet, 1 not listed, 2 listed.
    std::uint8_t AsideVerdict = 0;
    std::uint32_t AsideGeneration = 0;
    // The last press of any button this process's application took off its queue. A replayed
    // press is a double click only when it follows that one as the user's own second click would.
    DeliveredPress LastPress{};
};

} // namespace gw
