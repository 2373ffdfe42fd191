#pragma once
// The PopDesk corner trigger: on every MainTimer tick (`jia`) it looks where the cursor is, counts
// how long it has rested on the chosen corner pixel in whole timer intervals, and when the wait is
// over builds the desktop links menu and pops it up at the cursor. It also re-arms after the menu
// has closed: the first tick afterwards tears the old menu down.

#include "popdesk/DesktopLinks.h"
#include "popdesk/DesktopMenu.h"
#include "settings/RuntimeSettings.h"
#include "shared/Handle.h"
#include "ui/Timer.h"

#include <cstdint>
#include <functional>

namespace gw {

// The few Win32 calls of a tick.
class IPopDeskScreen {
public:
    virtual ~IPopDeskScreen() = default;
    virtual Point CursorPos() = 0;                    // GetCursorPos
    virtual std::int32_t SystemMetric(int index) = 0; // GetSystemMetrics
    // rcMonitor of the monitor that holds the point (MonitorFromPoint, no nearest one, and
    // GetMonitorInfo); false when no monitor holds it.
    virtual bool MonitorAt(Point at, Rect& monitor) = 0;
    virtual void ForegroundMainWindow() = 0; // SetForegroundWindow(main window)
    virtual void NudgeMainWindow() = 0;      // SendMessageA(main window, WM_NULL, 0, 0)
};

class PopDeskTrigger {
public:
    // True while an Auto Scroll gesture follows a direction (the scroll engine's AutoDirection).
    using AutoScrollDirected = std::function<bool()>;

    PopDeskTrigger(const RuntimeSettings& settings, const TTimer& mainTimer,
                   AutoScrollDirected autoScrollDirected, IPopDeskScreen& screen, DesktopLinks& links,
                   TDesktopMenu& menu);
    PopDeskTrigger(const PopDeskTrigger&) = delete;
    PopDeskTrigger& operator=(const PopDeskTrigger&) = delete;

    // MainTimer's OnTimer handler.
    void jia();
    // desktopmenu's OnPopup handler: the menu is on screen.
    void desktopmenuPopup() { deskMenuOpen_ = true; }
    // The main window got kWM_DESKMENU_EXITLOOP: the menu has closed.
    void DesktopMenuClosed() { deskMenuOpen_ = false; }
    // The menu's part of chb_deskpopClick: a menu still held is torn down at once (the item list
    // itself stays for later builds). TMainForm enables Apply and GroupBox4 itself.
    void chb_deskpopClick();
    // ReadControls restarts the dwell count on every Apply and OK.
    void ResetCornerWait() { cornerWait_ = 0; }

    std::uint32_t CornerWait() const { return cornerWait_; }
    bool DeskMenuOpen() const { return deskMenuOpen_; }

private:
    bool OnCorner(Point at);

    const RuntimeSettings& settings_;
    const TTimer& mainTimer_;
    AutoScrollDirected autoScrollDirected_;
    IPopDeskScreen& screen_;
    DesktopLinks& links_;
    TDesktopMenu& menu_;

    std::uint32_t cornerWait_ = 0;
    bool deskMenuOpen_ = false;
};

} // namespace gw
