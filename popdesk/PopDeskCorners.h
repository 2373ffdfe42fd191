#pragma once
// Which pixel is the chosen corner. Normally it is the corner pixel of the primary screen. With
// "On every monitor" it is the corner pixel of whichever monitor the cursor is on, as long as that
// pixel is a corner of the whole desktop: no monitor lies beyond it to the side, above or below,
// or diagonally, so the cursor pushed into the corner stops there. (With a second monitor to the
// right of the first, the first one's right corners lead on into the second and are none.)

#include "shared/Handle.h"

#include <cstdint>
#include <functional>

namespace gw {

// 0 top left, 1 top right, 2 bottom left, 3 bottom right; any other value is no corner.
bool IsCornerPixel(const Rect& area, std::int32_t corner, Point at);

// Answers whether a point lies on some monitor, and which one's rectangle (rcMonitor).
using MonitorAtPoint = std::function<bool(Point at, Rect& monitor)>;

// True when `at` is the `corner` pixel of the monitor it is on and that pixel is a corner of the
// whole desktop.
bool OnMonitorCorner(Point at, std::int32_t corner, const MonitorAtPoint& monitorAt);

} // namespace gw
