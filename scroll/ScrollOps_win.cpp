#include "scroll/ScrollOps_win.h"

#include "shared/Handle_win.h"

namespace gw::win32 {

void ScrollWindowOps::Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) {
    PostMessageA(ToWin32(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

void ScrollWindowOps::SendWithTimeout(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                      std::intptr_t lParam, std::uint32_t flags, std::uint32_t timeoutMs) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(ToWin32(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam),
                        flags, timeoutMs, &result);
}

bool ScrollWindowOps::Answers(WindowHandle window, std::uint32_t timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(ToWin32(window), WM_NULL, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, timeoutMs,
                               &result) != 0;
}

void ScrollWindowOps::AttachThreadInput(std::uint32_t attach, std::uint32_t attachTo, std::int32_t flag) {
    ::AttachThreadInput(attach, attachTo, static_cast<BOOL>(flag));
}

void ScrollWindowOps::SetCapture(WindowHandle window) {
    ::SetCapture(ToWin32(window));
}

void ScrollWindowOps::ReleaseCapture() {
    ::ReleaseCapture();
}

void ScrollWindowOps::GetKeyboardState(KeyboardState& state) {
    ::GetKeyboardState(state.data());
}

void ScrollWindowOps::SetKeyboardState(const KeyboardState& state) {
    KeyboardState copy = state; // the API takes a non-const buffer
    ::SetKeyboardState(copy.data());
}

bool ScrollWindowOps::GetScrollBarInfo(WindowHandle window, std::int32_t objectId, ScrollBarGeometry& info) {
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    if (!::GetScrollBarInfo(ToWin32(window), static_cast<LONG>(objectId), &bar)) {
        return false;
    }
    info.rcScrollBar =
        Rect{bar.rcScrollBar.left, bar.rcScrollBar.top, bar.rcScrollBar.right, bar.rcScrollBar.bottom};
    info.dxyLineButton = bar.dxyLineButton;
    info.xyThumbTop = bar.xyThumbTop;
    return true;
}

void ScrollWindowOps::ScreenToClient(WindowHandle window, Point& point) {
    POINT p{point.x, point.y};
    ::ScreenToClient(ToWin32(window), &p);
    point = Point{p.x, p.y};
}

std::uint32_t ScrollWindowOps::GetWindowThreadProcessId(WindowHandle window) {
    return ::GetWindowThreadProcessId(ToWin32(window), nullptr);
}

std::uint32_t ScrollWindowOps::GetCurrentThreadId() {
    return ::GetCurrentThreadId();
}

WindowHandle ScrollWindowOps::WindowFromPoint(Point point) {
    return FromWin32<WindowHandle>(::WindowFromPoint(POINT{point.x, point.y}));
}

void ScrollInputOps::SetCursorPos(std::int32_t x, std::int32_t y) {
    ::SetCursorPos(x, y);
}

Point ScrollInputOps::GetCursorPos() {
    POINT p{};
    ::GetCursorPos(&p);
    return Point{p.x, p.y};
}

void ScrollInputOps::MouseEvent(std::uint32_t flags, std::uint32_t extraInfo) {
    mouse_event(flags, 0, 0, 0, extraInfo);
}

void ScrollInputOps::InjectWheel(std::uint32_t flags, std::int32_t delta, std::uint32_t extraInfo) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = static_cast<DWORD>(delta); // signed, in a DWORD
    input.mi.dwExtraInfo = extraInfo;
    ::SendInput(1, &input, sizeof input);
}

void ScrollInputOps::Sleep(std::uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

bool ScrollInputOps::ButtonsSwapped() {
    return GetSystemMetrics(SM_SWAPBUTTON) != 0;
}

bool ScrollInputOps::KeyDown(std::uint32_t virtualKey) {
    return GetAsyncKeyState(static_cast<int>(virtualKey)) < 0;
}

std::uint32_t ScrollInputOps::TickCount() {
    return GetTickCount();
}

} // namespace gw::win32
