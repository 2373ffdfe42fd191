#include "popdesk/PopDeskCorners.h"

namespace gw {

namespace {

// The way out of each corner: left or right, up or down.
struct Outward {
    std::int32_t dx;
    std::int32_t dy;
};

bool OutwardOf(std::int32_t corner, Outward& out) {
    switch (corner) {
    case 0:
        out = {-1, -1};
        return true;
    case 1:
        out = {1, -1};
        return true;
    case 2:
        out = {-1, 1};
        return true;
    case 3:
        out = {1, 1};
        return true;
    default:
        return false;
    }
}

} // namespace

bool IsCornerPixel(const Rect& area, std::int32_t corner, Point at) {
    Outward out{};
    if (!OutwardOf(corner, out) || area.right <= area.left || area.bottom <= area.top) {
        return false;
    }
    const std::int32_t x = out.dx < 0 ? area.left : area.right - 1;
    const std::int32_t y = out.dy < 0 ? area.top : area.bottom - 1;
    return at.x == x && at.y == y;
}

bool OnMonitorCorner(Point at, std::int32_t corner, const MonitorAtPoint& monitorAt) {
    Outward out{};
    Rect monitor{};
    if (!OutwardOf(corner, out) || !monitorAt(at, monitor) || !IsCornerPixel(monitor, corner, at)) {
        return false;
    }
    Rect beyond{};
    for (const Point next :
         {Point{at.x + out.dx, at.y}, Point{at.x, at.y + out.dy}, Point{at.x + out.dx, at.y + out.dy}}) {
        if (monitorAt(next, beyond)) {
            return false; // the cursor goes on into another monitor
        }
    }
    return true;
}

} // namespace gw
