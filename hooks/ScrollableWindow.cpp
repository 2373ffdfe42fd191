#include "hooks/ScrollableWindow.h"

#include "shared/Win32Values.h"

namespace gw {

namespace {

// A standard bar of the window itself counts when it is both enabled and shown; a failed query
// means the bar is not there.
bool OwnBarUsable(IWindowQueries& queries, WindowHandle window, std::int32_t objectId) {
    std::uint32_t state = 0;
    if (!queries.ScrollBarState(window, objectId, state)) {
        return false;
    }
    return (state & (win::kSTATE_SYSTEM_UNAVAILABLE | win::kSTATE_SYSTEM_INVISIBLE)) == 0;
}

} // namespace

bool IsScrollableWindow(IWindowQueries& queries, WindowHandle window) {
    ScrollBarFindings findings;
    {
        char name[kClassNameBufferSize];
        ReadClassName(queries, window, name);
        // A combo box's drop-down list scrolls itself; a press there must reach it.
        if (ClassNameContains(name, "ComboLBox")) {
            return false;
        }
        // Windows that draw their own content without standard bars, scrolled with the wheel.
        if (ClassNameContains(name, "Internet Explorer_Server") ||
            ClassNameContains(name, "MozillaWindowClass") || ClassNameContains(name, "SALFRAME")) {
            return true;
        }
    }

    findings.CanScrollHorz = OwnBarUsable(queries, window, win::kOBJID_HSCROLL);
    findings.CanScrollVert = OwnBarUsable(queries, window, win::kOBJID_VSCROLL);
    if (findings.Any()) {
        return true;
    }

    const WindowHandle parent = queries.Parent(window);
    if (!parent) {
        return false; // a top-level window has no siblings worth walking
    }
    {
        char parentName[kClassNameBufferSize];
        ReadClassName(queries, parent, parentName);
        // A pane inside a "_WwB" window keeps its bars elsewhere; the program scrolls it with
        // the wheel, so the press is ours.
        if (ClassNameContains(parentName, "_WwB")) {
            return true;
        }
    }

    ScanSiblingScrollBars(queries, window, findings);
    return findings.Any();
}

} // namespace gw
