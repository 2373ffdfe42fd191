#pragma once
// The Win32 operations the scroll engine performs, as two small seams: what it does to windows
// and threads (messages, input attachment, capture, keyboard state, scroll-bar geometry) and what
// it does to the pointer (position, synthetic buttons, pauses). The Win32 side lives in
// scroll/ScrollOps_win.cpp; the unit tests record every call.

#include "shared/Handle.h"

#include <array>
#include <cstdint>

namespace gw {

using KeyboardState = std::array<std::uint8_t, 256>;

// The parts of SCROLLBARINFO a thumb drag needs.
struct ScrollBarGeometry {
    Rect rcScrollBar;               // screen coordinates
    std::int32_t dxyLineButton = 0; // size of an arrow button
    std::int32_t xyThumbTop = 0;    // thumb start, relative to the bar
};

// Method names steer clear of the A/W macros of <windows.h>.
class IScrollWindowOps {
public:
    // PostMessageA.
    virtual void Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                      std::intptr_t lParam) = 0;
    // SendMessageTimeoutA; the result is of no interest to the engine.
    virtual void SendWithTimeout(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam, std::uint32_t flags, std::uint32_t timeoutMs) = 0;
    // SendMessageTimeoutA of WM_NULL with SMTO_BLOCK | SMTO_ABORTIFHUNG: whether the window's thread
    // takes a sent message within the time.
    virtual bool Answers(WindowHandle window, std::uint32_t timeoutMs) = 0;
    // AttachThreadInput with the flag as given (the engine attaches with all bits set).
    virtual void AttachThreadInput(std::uint32_t attach, std::uint32_t attachTo, std::int32_t flag) = 0;
    virtual void SetCapture(WindowHandle window) = 0;
    virtual void ReleaseCapture() = 0;
    virtual void GetKeyboardState(KeyboardState& state) = 0;
    virtual void SetKeyboardState(const KeyboardState& state) = 0;
    // GetScrollBarInfo with cbSize 60; false when the call fails.
    virtual bool GetScrollBarInfo(WindowHandle window, std::int32_t objectId, ScrollBarGeometry& info) = 0;
    virtual void ScreenToClient(WindowHandle window, Point& point) = 0;
    virtual std::uint32_t GetWindowThreadProcessId(WindowHandle window) = 0;
    virtual std::uint32_t GetCurrentThreadId() = 0;
    virtual WindowHandle WindowFromPoint(Point point) = 0;

protected:
    ~IScrollWindowOps() = default;
};

class IScrollInputOps {
public:
    virtual void SetCursorPos(std::int32_t x, std::int32_t y) = 0;
    virtual Point GetCursorPos() = 0;
    // mouse_event (flags, 0, 0, 0, extraInfo).
    virtual void MouseEvent(std::uint32_t flags, std::uint32_t extraInfo) = 0;
    // SendInput of one mouse input: flags MOUSEEVENTF_WHEEL or MOUSEEVENTF_HWHEEL, mouseData delta,
    // dwExtraInfo extraInfo.
    virtual void InjectWheel(std::uint32_t flags, std::int32_t delta, std::uint32_t extraInfo) = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    virtual bool ButtonsSwapped() = 0; // GetSystemMetrics (SM_SWAPBUTTON) != 0
    // GetAsyncKeyState (virtualKey) < 0: the key, or the physical mouse button, is down now.
    virtual bool KeyDown(std::uint32_t virtualKey) = 0;
    // GetTickCount: the time the main window hands to each ScrollTimer tick. The engine itself
    // never asks for the time.
    virtual std::uint32_t TickCount() = 0;

protected:
    ~IScrollInputOps() = default;
};

// MAKELPARAM / MAKEWPARAM: two 16-bit halves, zero-extended to the parameter's width.
constexpr std::uint32_t MakeLong(std::int32_t low, std::int32_t high) {
    return (static_cast<std::uint32_t>(low) & 0xFFFFu) | ((static_cast<std::uint32_t>(high) & 0xFFFFu) << 16);
}
constexpr std::intptr_t MakeLParam(std::int32_t low, std::int32_t high) {
    return static_cast<std::intptr_t>(MakeLong(low, high));
}
constexpr std::uintptr_t MakeWParam(std::int32_t low, std::int32_t high) {
    return MakeLong(low, high);
}

} // namespace gw
