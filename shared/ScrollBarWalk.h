#pragma once
// The walk over a window's siblings and their direct children that looks for scroll-bar
// controls, and the class-name reading it shares with the probe (shared/ScrollableWindowProbe.h).
// It must stay heap-free and exception-free, because the hook library runs it inside other
// applications.

#include "shared/Handle.h"

#include <cstdint>

namespace gw {

// Window facts the walk and the probes read (GetClassNameA, GetScrollBarInfo, GetParent,
// GetWindow, GetWindowLongA). One Win32 implementation, recording fakes in the tests.
class IWindowQueries {
public:
    // GetClassNameA: copies at most size-1 characters and a terminating zero into buffer and
    // returns the length; 0 (and an empty buffer) when the window is gone.
    virtual int ClassName(WindowHandle window, char* buffer, int size) = 0;
    // GetScrollBarInfo with cbSize 60: on success stores rgstate[0] (the bar as a whole).
    virtual bool ScrollBarState(WindowHandle window, std::int32_t objectId, std::uint32_t& state) = 0;
    virtual WindowHandle Parent(WindowHandle window) = 0;
    virtual WindowHandle Relative(WindowHandle window, std::uint32_t relation) = 0; // GetWindow
    virtual std::uint32_t Style(WindowHandle window) = 0;                           // GWL_STYLE

protected:
    ~IWindowQueries() = default; // never owned through this interface
};

// What the walk found. The hook library only reads the two flags; the program also keeps the
// controls to drag (a later bar of the same orientation replaces an earlier one).
struct ScrollBarFindings {
    bool CanScrollVert = false;
    bool CanScrollHorz = false;
    WindowHandle VertBarControl{};
    WindowHandle HorzBarControl{};

    bool Both() const { return CanScrollVert && CanScrollHorz; }
    bool Any() const { return CanScrollVert || CanScrollHorz; }
};

// GetClassNameA is called with this size, so at most 253 characters of a name are compared.
inline constexpr int kClassNameBufferSize = 254;

// Reads a window's class name into a buffer of kClassNameBufferSize and answers its length; a
// window that is gone or a failed call reads as the empty name, which matches no rule.
int ReadClassName(IWindowQueries& queries, WindowHandle window, char (&buffer)[kClassNameBufferSize]);

// True when a class name is not empty and occurs within the text "ScrollBar" ("ScrollBar" itself,
// or a piece of it such as "Bar"); a longer name that merely contains "ScrollBar" is no bar.
bool IsScrollBarClassName(const char* className);
// The same for a name whose length is known (ReadClassName answers it); length must be its own.
bool IsScrollBarClassName(const char* className, int length);

// Case-sensitive substring test on ANSI class names; the second form for a name and a part whose
// lengths are known.
bool ClassNameContains(const char* className, const char* part);
bool ClassNameContains(const char* className, int length, const char* part, int partLength);

// Classifies a scroll-bar control by its style: SBS_VERT set → vertical, clear → horizontal,
// size boxes and grips (low bits 8..15) and a style of 0 → nothing.
void ClassifyScrollBar(IWindowQueries& queries, WindowHandle bar, ScrollBarFindings& findings);

// The direct children of parent, one level deep; stops once both directions are found. Answers
// findings.Any() (which may already have been true before the call).
bool FindChildScrollBars(IWindowQueries& queries, WindowHandle parent, ScrollBarFindings& findings);

// Visits the siblings of window (window included) from the first to the last in Z order; a
// sibling that is a scroll bar is classified, any other has its children searched. Stops once
// both directions are found, at the last sibling, or at the first missing next window. A caller
// that has read window's class name already passes it as windowClassName, and the walk does not
// ask for it again (with its length, as ReadClassName answers it).
void ScanSiblingScrollBars(IWindowQueries& queries, WindowHandle window, ScrollBarFindings& findings,
                           const char* windowClassName = nullptr, int windowClassLength = 0);

} // namespace gw
