#pragma once
// ProbeScrollTarget: may a gesture start over this window, and how is it scrolled? The shared probe
// (shared/ScrollableWindowProbe.h) decides and finds the bars; this adds what only the program
// needs: where the scroll messages go, the cursor position at the probe and the wheel factor.

#include "scroll/ScrollSeams.h"
#include "shared/Handle.h"
#include "shared/ScrollableWindowProbe.h"

#include <cstdint>

namespace gw {

struct ProbeResults : ScrollableWindowFindings {
    WindowHandle ScrollTarget; // receives the scroll messages
    Point ProbePoint;          // cursor position at the probe; Auto Scroll wheel messages carry it
    // Wheel delta per pixel of Move Scroll on a wheel target. Only the class rules set it; every
    // other probe keeps the last value (0 until first set).
    std::int32_t WheelFactor = 0;
    // How the wheel reaches the window and how it scrolls sideways: its class rule's, else (a pane
    // under a "_WwB" parent, or no wheel target at all) wheel messages and sideways lines.
    WheelDelivery Delivery = WheelDelivery::SentSidewaysLines;
};

// Rewrites every result but WheelFactor. True when a gesture may start over window.
bool ProbeScrollTarget(IWindowQueries& queries, IScrollInputOps& input, WindowHandle window,
                       ProbeResults& results);

} // namespace gw
