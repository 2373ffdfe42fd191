#pragma once
// The Win32 side of the scroll engine's seams.

#include "scroll/ScrollSeams.h"

#include <windows.h>

namespace gw::win32 {

class ScrollWindowOps final : public IScrollWindowOps {
public:
    void Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
              std::intptr_t lParam) override;
    void SendWithTimeout(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                         std::intptr_t lParam, std::uint32_t flags, std::uint32_t timeoutMs) override;
    bool Answers(WindowHandle window, std::uint32_t timeoutMs) override;
    void AttachThreadInput(std::uint32_t attach, std::uint32_t attachTo, std::int32_t flag) override;
    void SetCapture(WindowHandle window) override;
    void ReleaseCapture() override;
    void GetKeyboardState(KeyboardState& state) override;
    void SetKeyboardState(const KeyboardState& state) override;
    bool GetScrollBarInfo(WindowHandle window, std::int32_t objectId, ScrollBarGeometry& info) override;
    void ScreenToClient(WindowHandle window, Point& point) override;
    std::uint32_t GetWindowThreadProcessId(WindowHandle window) override;
    std::uint32_t GetCurrentThreadId() override;
    WindowHandle WindowFromPoint(Point point) override;
};

class ScrollInputOps final : public IScrollInputOps {
public:
    void SetCursorPos(std::int32_t x, std::int32_t y) override;
    Point GetCursorPos() override;
    void MouseEvent(std::uint32_t flags, std::uint32_t extraInfo) override;
    void InjectWheel(std::uint32_t flags, std::int32_t delta, std::uint32_t extraInfo) override;
    void Sleep(std::uint32_t milliseconds) override;
    bool ButtonsSwapped() override;
    bool KeyDown(std::uint32_t virtualKey) override;
    std::uint32_t TickCount() override;
};

} // namespace gw::win32
