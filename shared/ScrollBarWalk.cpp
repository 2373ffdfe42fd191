#include "shared/ScrollBarWalk.h"

#include "shared/Win32Values.h"

namespace gw {

namespace {

// Window lists change while we walk them. The walk ends at the last window or a missing next one,
// but a list reordered under our feet could still lead us in circles; no desktop holds more
// windows than this, so a walk that gets here is going round and gives up.
constexpr int kMaxWalkSteps = 65536;

// A window whose class name the caller has read already.
struct KnownClassName {
    WindowHandle window;
    const char* name = nullptr;
    int length = 0;
};

// One window of a walk: a scroll-bar control is classified, anything else has its direct
// children searched (only when the caller asks for it). The class name of known.window is already
// in known.name (null: nothing known), so that window's name is not asked for a second time.
void VisitWindow(IWindowQueries& queries, WindowHandle window, ScrollBarFindings& findings,
                 bool searchChildren, const KnownClassName& known) {
    bool bar = false;
    if (known.name != nullptr && window == known.window) {
        bar = IsScrollBarClassName(known.name, known.length);
    } else {
        char name[kClassNameBufferSize];
        const int length = ReadClassName(queries, window, name);
        bar = IsScrollBarClassName(name, length);
    }
    if (bar) {
        ClassifyScrollBar(queries, window, findings);
    } else if (searchChildren) {
        FindChildScrollBars(queries, window, findings);
    }
}

// Visits first, then its followers in Z order up to last; stops early once both directions are
// found or at the first missing next window.
void WalkList(IWindowQueries& queries, WindowHandle first, WindowHandle last, ScrollBarFindings& findings,
              bool searchChildren, const KnownClassName& known = {}) {
    WindowHandle current = first;
    for (int step = 0; current && step < kMaxWalkSteps; ++step) {
        VisitWindow(queries, current, findings, searchChildren, known);
        if (findings.Both() || current == last) {
            return;
        }
        current = queries.Relative(current, win::kGW_HWNDNEXT);
    }
}

} // namespace

int ReadClassName(IWindowQueries& queries, WindowHandle window, char (&buffer)[kClassNameBufferSize]) {
    buffer[0] = '\0';
    const int length = queries.ClassName(window, buffer, kClassNameBufferSize);
    if (length <= 0) {
        buffer[0] = '\0';
        return 0;
    }
    if (length >= kClassNameBufferSize) {
        buffer[kClassNameBufferSize - 1] = '\0';
        return kClassNameBufferSize - 1;
    }
    return length;
}

bool ClassNameContains(const char* className, const char* part) {
    if (className == nullptr || part == nullptr) {
        return false;
    }
    int length = 0;
    while (className[length] != '\0') {
        ++length;
    }
    int partLength = 0;
    while (part[partLength] != '\0') {
        ++partLength;
    }
    return ClassNameContains(className, length, part, partLength);
}

bool ClassNameContains(const char* className, int length, const char* part, int partLength) {
    if (partLength <= 0) {
        return true;
    }
    // Only the places where the part still fits, and most of them do not even hold its first
    // character: pass those by quickly.
    const char first = part[0];
    for (int place = 0; place <= length - partLength; ++place) {
        if (className[place] != first) {
            continue;
        }
        int same = 1;
        while (same < partLength && className[place + same] == part[same]) {
            ++same;
        }
        if (same == partLength) {
            return true;
        }
    }
    return false;
}

bool IsScrollBarClassName(const char* className) {
    if (className == nullptr) {
        return false;
    }
    // A name of more than nine characters is none (see below): count to ten and stop.
    int length = 0;
    while (length <= 9 && className[length] != '\0') {
        ++length;
    }
    return IsScrollBarClassName(className, length);
}

bool IsScrollBarClassName(const char* className, int length) {
    // The test runs "backwards": the class name is looked for inside "ScrollBar". So an empty name
    // or one of more than nine characters (most names) is none, and a shorter one can only start
    // where "ScrollBar" has its first character with room for the rest.
    constexpr char kBar[] = "ScrollBar";
    constexpr int kBarLength = sizeof kBar - 1;
    if (className == nullptr || length <= 0 || length > kBarLength) {
        return false;
    }
    for (int start = 0; start + length <= kBarLength; ++start) {
        int same = 0;
        while (same < length && kBar[start + same] == className[same]) {
            ++same;
        }
        if (same == length) {
            return true;
        }
    }
    return false;
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

void ScanSiblingScrollBars(IWindowQueries& queries, WindowHandle window, ScrollBarFindings& findings,
                           const char* windowClassName, int windowClassLength) {
    const WindowHandle first = queries.Relative(window, win::kGW_HWNDFIRST);
    const WindowHandle last = queries.Relative(window, win::kGW_HWNDLAST);
    WalkList(queries, first, last, findings, true,
             KnownClassName{window, windowClassName, windowClassLength});
}

} // namespace gw
