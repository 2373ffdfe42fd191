#pragma once
// The one answer to "may a press of the activation button start a scroll over this window, and how
// is the window scrolled?". The hook library asks it inside every process that gets input, at each
// press of the activation button, and only reads the verdict; the program asks it again when the
// reported press arrives and keeps the details. So it allocates nothing, throws nothing and keeps
// all its working state on the stack.

#include "shared/Handle.h"
#include "shared/ScrollBarWalk.h"

#include <cstdint>

namespace gw {

// How the program's wheel reaches a family of wheel targets, and how it scrolls sideways.
enum class WheelDelivery : std::uint8_t {
    // WM_MOUSEWHEEL sent to the window; sideways by WM_HSCROLL line messages.
    SentSidewaysLines,
    // WM_MOUSEWHEEL and WM_MOUSEHWHEEL sent to the window, with the deltas as they come.
    SentWheels,
    // The same, but only whole notches (120): the family scrolls a fixed distance per wheel
    // message, whatever its delta, so small deltas would each scroll a whole notch.
    SentWholeNotches,
    // Real wheel input injected with the cursor over the window: the family reads its input from
    // the system's input queue and ignores wheel messages sent to it.
    Injected,
};

// A family of windows recognised by a part of its class name (case-sensitive). Adding a family is
// one row of kScrollClassRules; a new field gets a default here, so the rows that do not need it
// stay as they are.
struct ScrollClassRule {
    const char* part = "";
    // True: the family draws its content without standard bars and is scrolled with wheel and line
    // messages (a wheel target). False: the press must reach the window, which scrolls itself.
    bool scrollable = false;
    // The program's wheel delta per pixel of Move Scroll on such a window.
    std::int32_t wheelFactor = 0;
    WheelDelivery delivery = WheelDelivery::SentSidewaysLines;
};

// Both deliverables read this one table, in this order; the first rule whose part occurs anywhere in
// the class name decides. Keeping one table is what keeps the hook's swallowing and the program's
// gesture in agreement.
inline constexpr ScrollClassRule kScrollClassRules[] = {
    {.part = "ComboLBox", .scrollable = false}, // a combo box's drop-down list
    {.part = "Internet Explorer_Server", .scrollable = true, .wheelFactor = 10},
    {.part = "MozillaWindowClass", .scrollable = true, .wheelFactor = 30},
    {.part = "SALFRAME", .scrollable = true, .wheelFactor = 10},
    // Chromium browsers and Electron applications: the page's own child window. Fractions of a
    // notch scroll proportionally; the position in the message picks the frame under it.
    {.part = "Chrome_RenderWidgetHostHWND",
     .scrollable = true,
     .wheelFactor = 10,
     .delivery = WheelDelivery::SentWheels},
    // WPF: the top-level window that hosts all of an application's content ("HwndWrapper[app;;id]").
    // Its scroll viewers move three lines per message, whatever the delta.
    {.part = "HwndWrapper[",
     .scrollable = true,
     .wheelFactor = 10,
     .delivery = WheelDelivery::SentWholeNotches},
    // Qt 5 and 6 top-level windows ("Qt5QWindowIcon", "Qt6QWindowIcon", "Qt5152QWindowIcon", ...);
    // the widget under the message's position gets the wheel.
    {.part = "QWindowIcon", .scrollable = true, .wheelFactor = 10, .delivery = WheelDelivery::SentWheels},
    // UWP and WinUI applications: input reaches them through the system's pointer input only.
    {.part = "Windows.UI.Core.CoreWindow",
     .scrollable = true,
     .wheelFactor = 10,
     .delivery = WheelDelivery::Injected},
};

// The first rule of kScrollClassRules that matches className, or null.
const ScrollClassRule* MatchScrollClassRule(const char* className);
// The same for a name whose length is known (ReadClassName answers it), without counting it again;
// length must be the name's own.
const ScrollClassRule* MatchScrollClassRule(const char* className, int length);

// A window whose parent's class name contains this takes wheel messages; its bars are separate
// controls beside it.
inline constexpr char kWheelParentPart[] = "_WwB";

// What the probe makes of a "_WwB" parent, the one point where the two deliverables part.
enum class WheelParentRule : std::uint8_t {
    // The hook library: the press is ours at once, whatever bars there are (the program scrolls
    // such a pane with the wheel).
    AcceptAtOnce,
    // The program: mark a wheel target and walk on for the bar controls, which a gesture needs.
    MarkAndWalkOn,
};

// One of a window's own standard bars as rgstate[0] of GetScrollBarInfo describes it. A failed
// query (no such bar, or the window is gone) reads as neither enabled nor visible.
struct OwnBarState {
    bool Enabled = false;
    bool Visible = false;

    bool Usable() const { return Enabled && Visible; }
};
OwnBarState ReadOwnBar(IWindowQueries& queries, WindowHandle window, std::int32_t objectId);

// Everything the probe found. CanScrollVert/CanScrollHorz and the two bar controls come from the
// window's own bars or, failing those, from the walk; a later bar of the same orientation replaces
// an earlier one.
struct ScrollableWindowFindings : ScrollBarFindings {
    bool HorzBarVisible = false;
    bool HorzBarEnabled = false;
    bool VertBarVisible = false;
    bool VertBarEnabled = false;
    bool WheelTarget = false;
    const ScrollClassRule* ClassRule = nullptr; // the class rule that decided, if one did
    bool Scrollable = false;                    // the verdict
};

// The rules in order, the first that decides ends the probe: the class-name rules; the window's own
// bars (usable when enabled and shown); no parent, no; the "_WwB" parent, as wheelParent says; the
// scroll-bar controls among the siblings and their children.
ScrollableWindowFindings ProbeScrollableWindow(IWindowQueries& queries, WindowHandle window,
                                               WheelParentRule wheelParent);

} // namespace gw
