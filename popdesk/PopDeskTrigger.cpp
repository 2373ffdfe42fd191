#include "popdesk/PopDeskTrigger.h"

#include "popdesk/PopDeskCorners.h"
#include "shared/Win32Values.h"

#include <limits>
#include <utility>

namespace gw {

PopDeskTrigger::PopDeskTrigger(const RuntimeSettings& settings, GestureRunning gestureRunning,
                               IPopDeskScreen& screen, DesktopLinks& links, TDesktopMenu& menu)
    : settings_(settings), gestureRunning_(std::move(gestureRunning)), screen_(screen), links_(links),
      menu_(menu) {
    menu_.OnPopup = [this] { DesktopMenuShown(); };
    timer_.OnTimer = [this] { CheckCorner(); };
}

void PopDeskTrigger::SettingsApplied() {
    cornerWait_ = 0;
    if (!paused_) {
        FollowSettings();
    }
}

void PopDeskTrigger::CheckCorner() {
    const Point at = screen_.CursorPos();

    // Never while a gesture runs, while PopDesk is off, or while our own menu is open (its modal
    // loop keeps the timer ticking into here).
    if ((gestureRunning_ && gestureRunning_()) || !settings_.PopDeskEnabled || deskMenuOpen_) {
        return;
    }

    if (links_.DeskMenuBuilt()) {
        links_.TearDownDesktopMenu(); // the menu shown earlier has closed since
    }

    if (settings_.PopDeskCorner < 0 || settings_.PopDeskCorner > 3) {
        return;
    }

    if (!OnCorner(at)) {
        cornerWait_ = 0;
        return;
    }

    // Counted in timer intervals, not measured. The sum saturates instead of wrapping, so even an
    // absurd wait can never come round to a short one.
    const std::uint32_t interval = timer_.Interval();
    const std::uint32_t t = cornerWait_ > std::numeric_limits<std::uint32_t>::max() - interval
                                ? std::numeric_limits<std::uint32_t>::max()
                                : cornerWait_ + interval;
    if (t < static_cast<std::uint32_t>(settings_.PopDeskDelay)) {
        cornerWait_ = t;
        return;
    }

    links_.BuildDesktopMenu();
    links_.SetDeskMenuBuilt();
    screen_.ForegroundMainWindow();
    menu_.Popup(at); // returns when the menu has closed
    screen_.NudgeMainWindow();
    // cornerWait_ keeps its value: still on the corner at the next tick means the menu comes back.
}

bool PopDeskTrigger::OnCorner(Point at) {
    if (settings_.PopDeskEveryMonitor) {
        return OnMonitorCorner(at, settings_.PopDeskCorner,
                               [this](Point p, Rect& monitor) { return screen_.MonitorAt(p, monitor); });
    }
    // Read afresh every tick, so a change of resolution moves the corners with it.
    const Rect primary{0, 0, screen_.SystemMetric(win::kSM_CXSCREEN),
                       screen_.SystemMetric(win::kSM_CYSCREEN)};
    return IsCornerPixel(primary, settings_.PopDeskCorner, at);
}

void PopDeskTrigger::TearDownHeldMenu() {
    if (links_.DeskMenuBuilt()) {
        links_.TearDownDesktopMenu();
    }
}

} // namespace gw
