#include "scroll/ScrollProbe.h"

#include "shared/Win32Values.h"

namespace gw {

namespace {

struct ClassRule {
    const char* part;
    bool scrollable;
    std::int32_t wheelFactor;  // 0: leave WheelFactor as it is
};

// First match decides. Windows that draw their own content without standard bars are scrolled
// with wheel and line messages; a combo box's drop-down list is never scrolled by us.
constexpr ClassRule kClassRules[] = {
    {"ComboLBox", false, 0},
    {"Internet Explorer_Server", true, 10},
    {"MozillaWindowClass", true, 30},
    {"SALFRAME", true, 10},
};

// Children of a window whose parent has this in its class name take wheel messages, but their
// bars are separate controls, so the probe goes on to look for them.
constexpr char kWheelParentPart[] = "_WwB";

struct ClassName {
    char text[kClassNameBufferSize];

    ClassName(IWindowQueries& queries, WindowHandle window) {
        text[0] = '\0';
        const int length = window ? queries.ClassName(window, text, kClassNameBufferSize) : 0;
        if (length <= 0) {
            text[0] = '\0';
        }
        text[kClassNameBufferSize - 1] = '\0';
    }
};

// Reads rgstate[0] of one of the window's own bars: (enabled, visible), both false on failure.
void ReadOwnBar(IWindowQueries& queries, WindowHandle window, std::int32_t objectId, bool& enabled, bool& visible) {
    std::uint32_t state = 0;
    if (queries.ScrollBarState(window, objectId, state)) {
        enabled = (state & win::kSTATE_SYSTEM_UNAVAILABLE) == 0;
        visible = (state & win::kSTATE_SYSTEM_INVISIBLE) == 0;
    } else {
        enabled = false;
        visible = false;
    }
}

} // namespace

bool ProbeScrollTarget(IWindowQueries& queries, IScrollInputOps& input, WindowHandle window, ProbeResults& results) {
    const std::int32_t keptFactor = results.WheelFactor;
    results = ProbeResults{};
    results.WheelFactor = keptFactor;
    results.ScrollTarget = window;
    results.ProbePoint = input.GetCursorPos();

    const ClassName name(queries, window);
    for (const ClassRule& rule : kClassRules) {
        if (ClassNameContains(name.text, rule.part)) {
            if (rule.scrollable) {
                results.WheelTarget = true;
                results.WheelFactor = rule.wheelFactor;
            }
            return rule.scrollable;
        }
    }

    ReadOwnBar(queries, window, win::kOBJID_HSCROLL, results.HorzBarEnabled, results.HorzBarVisible);
    ReadOwnBar(queries, window, win::kOBJID_VSCROLL, results.VertBarEnabled, results.VertBarVisible);
    results.CanScrollVert = results.VertBarEnabled && results.VertBarVisible;
    results.CanScrollHorz = results.HorzBarEnabled && results.HorzBarVisible;
    if (results.AnyBar()) {
        return true;
    }

    const WindowHandle parent = queries.Parent(window);
    if (parent && ClassNameContains(ClassName(queries, parent).text, kWheelParentPart)) {
        results.WheelTarget = true;
    }
    if (!parent) {
        return false;  // a top-level window has no siblings worth scanning
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
