#include "scroll/ScrollProbe.h"

namespace gw {

bool ProbeScrollTarget(IWindowQueries& queries, IScrollInputOps& input, WindowHandle window,
                       ProbeResults& results) {
    results.ProbePoint = input.GetCursorPos();
    // Under a "_WwB" parent the gesture needs the separate bars, so the probe walks on for them.
    static_cast<ScrollableWindowFindings&>(results) =
        ProbeScrollableWindow(queries, window, WheelParentRule::MarkAndWalkOn);
    results.Delivery = WheelDelivery::SentSidewaysLines;
    if (results.ClassRule != nullptr && results.ClassRule->scrollable) {
        results.WheelFactor = results.ClassRule->wheelFactor;
        results.Delivery = results.ClassRule->delivery;
    }
    results.ScrollTarget = window;
    if (results.Scrollable && results.VertBarControl) {
        // Scroll messages go to the window that owns the bar, not to the window under the cursor.
        results.ScrollTarget = queries.Parent(results.VertBarControl);
    }
    return results.Scrollable;
}

} // namespace gw
