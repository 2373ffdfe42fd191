#include "popdesk/PopDeskScreen_win.h"

#include <climits>

namespace gw {

Point Win32PopDeskScreen::CursorPos() {
    POINT p;
    if (!GetCursorPos(&p)) {
        // No position (a secure desktop has the input): answer one that is on no corner, rather
        // than (0, 0), which is the top-left corner.
        return {INT_MIN, INT_MIN};
    }
    return {p.x, p.y};
}

bool Win32PopDeskScreen::MonitorAt(Point at, Rect& monitor) {
    HMONITOR found = MonitorFromPoint(POINT{at.x, at.y}, MONITOR_DEFAULTTONULL);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!found || !GetMonitorInfoA(found, &info)) {
        return false;
    }
    monitor = {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
    return true;
}

} // namespace gw
