#pragma once
// ProbeScrollTarget: may a gesture start over this window, and how is it scrolled? Reads the
// window's class name, its own scroll bars and the scroll-bar controls among its siblings and
// their children, and leaves what it found for the scroll output.

#include "scroll/ScrollSeams.h"
#include "shared/Handle.h"
#include "shared/ScrollBarWalk.h"

#include <cstdint>

namespace gw {

struct ProbeResults {
    WindowHandle ScrollTarget; // receives the scroll messages
    Point ProbePoint;          // cursor position at the probe; Auto Scroll wheel messages carry it
    bool HorzBarVisible = false;
    bool HorzBarEnabled = false;
    bool VertBarVisible = false;
    bool VertBarEnabled = false;
    bool CanScrollVert = false;
    bool CanScrollHorz = false;
    WindowHandle VertBarControl;
    WindowHandle HorzBarControl;
    bool WheelTarget = false;
    // Wheel delta per pixel of Move Scroll on a wheel target. Only the class rules set it; every
    // other probe keeps the last value (0 until first set).
    std::int32_t WheelFactor = 0;

    bool AnyBar() const { return CanScrollVert || CanScrollHorz; }
};

// Rewrites every result but WheelFactor. True when a gesture may start over window.
bool ProbeScrollTarget(IWindowQueries& queries, IScrollInputOps& input, WindowHandle window,
                       ProbeResults& results);

} // namespace gw
