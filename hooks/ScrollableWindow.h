#pragma once
// The hook library's answer to "may a press of the activation button here start a scroll?": the
// verdict of the shared probe. A pane under a "_WwB" parent is accepted at once, without looking
// for its bars: they are separate controls beside it, and the press must not reach the pane.

#include "shared/Handle.h"
#include "shared/ScrollableWindowProbe.h"

namespace gw {

inline bool IsScrollableWindow(IWindowQueries& queries, WindowHandle window) {
    return ProbeScrollableWindow(queries, window, WheelParentRule::AcceptAtOnce).Scrollable;
}

} // namespace gw
