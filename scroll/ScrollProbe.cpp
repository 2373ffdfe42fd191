#include "scroll/ScrollProbe.h"

#include "shared/Win32Values.h"

namespace gw {

bool ProbeScrollTarget(IWindowQueries& queries, IScrollInputOps& input, WindowHandle window,
                       ProbeResults& results) {
    const std::int32_t keptFactor = results.WheelFactor;
    results = ProbeResults{};
    results.WheelFactor = keptFactor;
    results.ScrollTarget = window;
    results.ProbePoint = input.GetCursorPos();

    {
        char name[kClassNameBufferSize];
        ReadClassName(queries, window, name);
        if (const ScrollClassRule* rule = MatchScrollClassRule(name)) {
            if (rule->scrollable) {
                results.WheelTarget = true;
                results.WheelFactor = rule->wheelFactor;
            }
            return rule->scrollable;
        }
    }

    const OwnBarState horz = ReadOwnBar(queries, window, win::kOBJID_HSCROLL);
    const OwnBarState vert = ReadOwnBar(queries, window, win::kOBJID_VSCROLL);
    results.HorzBarEnabled = horz.Enabled;
    results.HorzBarVisible = horz.Visible;
    results.VertBarEnabled = vert.Enabled;
    results.VertBarVisible = vert.Visible;
    results.CanScrollVert = vert.Usable();
    results.CanScrollHorz = horz.Usable();
    if (results.AnyBar()) {
        return true;
    }

    const WindowHandle parent = queries.Parent(window);
    if (!parent) {
        return false; // a top-level window has no siblings worth scanning
    }
    {
        // Such a window takes wheel messages, but its bars are separate controls, so the probe
        // goes on to look for them.
        char parentName[kClassNameBufferSize];
        ReadClassName(queries, parent, parentName);
        if (ClassNameContains(parentName, kWheelParentPart)) {
            results.WheelTarget = true;
        }
    }

    ScrollBarFindings findings;
    ScanSiblingScrollBars(queries, window, findings);
    results.CanScrollVert = findings.CanScrollVert;
    results.CanScrollHorz = findings.CanScrollHorz;
    results.VertBarControl = findings.VertBarControl;
    results.HorzBarControl = findings.HorzBarControl;

    const bool scrollable = results.AnyBar();
    if (scrollable && results.VertBarControl) {
        // Scroll messages go to the window that owns the bar, not to the window under the cursor.
        results.ScrollTarget = queries.Parent(results.VertBarControl);
    }
    return scrollable;
}

} // namespace gw
