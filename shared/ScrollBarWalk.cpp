#include "shared/ScrollBarWalk.h"

#include "shared/Win32Values.h"

namespace gw {

namespace {

// Window lists change while we walk them. The walk ends at the last window or a missing next one,
// but a list reordered under our feet could still lead us in circles; no desktop holds more
// windows than this, so a walk that gets here is going round and gives up.
constexpr int kMaxWalkSteps = 65536;

// One window of a walk: a scroll-bar control is classified, anything else has its direct
// children searched (only when the caller asks for it).
void VisitWindow(IWindowQueries& queries, WindowHandle window, ScrollBarFindings& findings,
                 bool searchChildren) {
    char name[kClassNameBufferSize];
    ReadClassName(queries, window, name);
    if (IsScrollBarClassName(name)) {
        ClassifyScrollBar(queries, window, findings);
    } else if (searchChildren) {
        FindChildScrollBars(queries, window, findings);
    }
}

// Visits first, then its followers in Z order up to last; stops early once both directions are
// found or at the first missing next window.
void WalkList(IWindowQueries& queries, WindowHandle first, WindowHandle last, ScrollBarFindings& findings,
              bool searchChildren) {
    WindowHandle current = first;
    for (int step = 0; current && step < kMaxWalkSteps; ++step) {
        VisitWindow(queries, current, findings, searchChildren);
        if (findings.Both() || current == last) {
            return;
        }
        current = queries.Relative(current, win::kGW_HWNDNEXT);
    }
}

} // namespace

void ReadClassName(IWindowQueries& queries, WindowHandle window, char (&buffer)[kClassNameBufferSize]) {
    buffer[0] = '\0';
    const int length = queries.ClassName(window, buffer, kClassNameBufferSize);
    if (length <= 0) {
        buffer[0] = '\0';
    } else if (length >= kClassNameBufferSize) {
        buffer[kClassNameBufferSize - 1] = '\0';
    }
}

bool ClassNameContains(const char* className, const char* part) {
    if (className == nullptr || part == nullptr) {
        return false;
    }
    if (*part == '\0') {
        return true;
    }
    for (const char* start = className; *start != '\0'; ++start) {
        const char* a = start;
        const char* b = part;
        while (*a != '\0' && *a == *b) {
            ++a;
            ++b;
        }
        if (*b == '\0') {
            return true;
        }
    }
    return false;
}

bool IsScrollBarClassName(const char* className) {
    // The test runs "backwards": the class name is looked for inside "ScrollBar".
    return className != nullptr && *className != '\0' && ClassNameContains("ScrollBar", className);
}

void ClassifyScrollBar(IWindowQueries& queries, WindowHandle bar, ScrollBarFindings& findings) {
    const std::uint32_t style = queries.Style(bar);
    if (style == 0) {
        return; // nothing we can tell about it
    }
    const std::uint32_t kind = style & 0xFu;
    if (kind & win::kSBS_SIZEBOX) {
        return; // size boxes and grips scroll nothing
    }
    if (kind & win::kSBS_VERT) {
        findings.CanScrollVert = true;
        findings.VertBarControl = bar;
    } else {
        findings.CanScrollHorz = true;
        findings.HorzBarControl = bar;
    }
}

bool FindChildScrollBars(IWindowQueries& queries, WindowHandle parent, ScrollBarFindings& findings) {
    const WindowHandle first = queries.Relative(parent, win::kGW_CHILD);
    if (first) {
        const WindowHandle last = queries.Relative(first, win::kGW_HWNDLAST);
        WalkList(queries, first, last, findings, false);
    }
    return findings.Any();
}

void ScanSiblingScrollBars(IWindowQueries& queries, WindowHandle window, ScrollBarFindings& findings) {
    const WindowHandle first = queries.Relative(window, win::kGW_HWNDFIRST);
    const WindowHandle last = queries.Relative(window, win::kGW_HWNDLAST);
    WalkList(queries, first, last, findings, true);
}

} // namespace gw
