#pragma once
// The Win32 calls of a corner-trigger tick.

#include "popdesk/PopDeskTrigger.h"

#include <windows.h>

namespace gw {

class Win32PopDeskScreen final : public IPopDeskScreen {
public:
    void SetMainWindow(HWND window) { main_ = window; }

    Point CursorPos() override;
    std::int32_t SystemMetric(int index) override { return GetSystemMetrics(index); }
    bool MonitorAt(Point at, Rect& monitor) override;
    void ForegroundMainWindow() override { SetForegroundWindow(main_); }
    void NudgeMainWindow() override { SendMessageA(main_, WM_NULL, 0, 0); }

private:
    HWND main_ = nullptr;
};

} // namespace gw
