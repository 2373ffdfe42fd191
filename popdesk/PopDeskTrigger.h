#pragma once
// The PopDesk corner trigger: on every tick of its own timer (CheckCorner) it looks where the
// cursor is, counts how long it has rested on the chosen corner pixel in whole timer intervals,
// and when the wait is over builds the desktop links menu and pops it up at the cursor. It also
// re-arms after the menu has closed: the first tick afterwards tears the old menu down. The timer
// runs only while PopDesk is enabled, so an idle program without PopDesk gets no tick at all.

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
    // True while a scroll gesture runs: no menu opens then, and the count waits.
    using GestureRunning = std::function<bool()>;
    static constexpr std::uint32_t kTickMs = 100;

    PopDeskTrigger(const RuntimeSettings& settings, GestureRunning gestureRunning, IPopDeskScreen& screen,
                   DesktopLinks& links, TDesktopMenu& menu);
    PopDeskTrigger(const PopDeskTrigger&) = delete;
    PopDeskTrigger& operator=(const PopDeskTrigger&) = delete;

    // The timer whose ticks run CheckCorner; the main window binds it to a Win32 timer.
    TTimer& Timer() { return timer_; }
    const TTimer& Timer() const { return timer_; }
    // One tick: the cursor looked at, the wait counted, the menu shown when the wait is over.
    void CheckCorner();
    // desktopmenu's OnPopup handler: the menu is on screen.
    void DesktopMenuShown() { deskMenuOpen_ = true; }
    // The main window got kWM_DESKMENU_EXITLOOP: the menu has closed.
    void DesktopMenuClosed() { deskMenuOpen_ = false; }
    // The PopDesk box was clicked: a menu still held is torn down at once (the item list itself
    // stays for later builds). TMainForm enables Apply and PopDeskOptionsGroup itself.
    void TearDownHeldMenu();
    // Every apply (start-up, OK, Apply): the dwell count starts again, and the timer runs while
    // PopDesk is enabled (once a pause is over).
    void SettingsApplied();

    // No tick while OK or Apply run; afterwards, however the scope ends (a failed save or apply
    // must not leave PopDesk dead until the next OK), the timer follows the applied settings.
    class Pause {
    public:
        explicit Pause(PopDeskTrigger& trigger) : trigger_(trigger) {
            trigger_.paused_ = true;
            trigger_.timer_.SetEnabled(false);
        }
        ~Pause() {
            trigger_.paused_ = false;
            trigger_.FollowSettings();
        }
        Pause(const Pause&) = delete;
        Pause& operator=(const Pause&) = delete;

    private:
        PopDeskTrigger& trigger_;
    };

    std::uint32_t CornerWait() const { return cornerWait_; }
    bool DeskMenuOpen() const { return deskMenuOpen_; }

private:
    bool OnCorner(Point at);
    void FollowSettings() { timer_.SetEnabled(settings_.PopDeskEnabled); }

    const RuntimeSettings& settings_;
    GestureRunning gestureRunning_;
    IPopDeskScreen& screen_;
    DesktopLinks& links_;
    TDesktopMenu& menu_;
    TTimer timer_{kTickMs, false};

    std::uint32_t cornerWait_ = 0;
    bool deskMenuOpen_ = false;
    bool paused_ = false;
};

} // namespace gw
