#include "hooks/ScrollableWindow.h"

#include "shared/Win32Values.h"

namespace gw {

bool IsScrollableWindow(IWindowQueries& queries, WindowHandle window) {
    {
        char name[kClassNameBufferSize];
        ReadClassName(queries, window, name);
        if (const ScrollClassRule* rule = MatchScrollClassRule(name)) {
            return rule->scrollable;
        }
    }

    // A standard bar of the window itself counts when it is both enabled and shown.
    ScrollBarFindings findings;
    findings.CanScrollHorz = ReadOwnBar(queries, window, win::kOBJID_HSCROLL).Usable();
    findings.CanScrollVert = ReadOwnBar(queries, window, win::kOBJID_VSCROLL).Usable();
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
        if (ClassNameContains(parentName, kWheelParentPart)) {
            return true;
        }
    }

    ScanSiblingScrollBars(queries, window, findings);
    return findings.Any();
}

} // namespace gw
