#pragma once
// Everything the scroll engine works with and does not own: the applied settings, the shared
// record, its two toolkit timers, the cursor table, the Win32 seams, the speed sliders and the
// application object. The main window owns all of them and outlives the engine.

#include "base/SystemCursors.h"
#include "scroll/ScrollSeams.h"
#include "settings/RuntimeSettings.h"
#include "shared/HookShareWriter.h"
#include "shared/MouseMessageClass.h"
#include "shared/ScrollBarWalk.h"
#include "ui/Application.h"
#include "ui/Control.h"
#include "ui/Timer.h"

#include <cstdint>

namespace gw {

struct ScrollEnvironment {
    const RuntimeSettings& Settings; // read at each message
    HookShareWriter& Share;
    TTimer& ScrollTimer;
    // Runs every 100 ms during a Classic gesture: the lost-release guard (ReleaseGuardTimer).
    TTimer& GuardTimer;
    SystemCursors& Cursors;
    IWindowQueries& Queries;
    IScrollWindowOps& Window;
    IScrollInputOps& Input;
    // The horizontal and vertical speed sliders of the configuration window (0..60), read at every
    // Auto Scroll tick. The engine reads the controls, not the applied SpeedX/SpeedY: a slider the
    // user moves counts from the next tick, before OK or Apply. SpeedX/SpeedY keep the last applied
    // positions, which Configure... puts back on the sliders.
    const TTrackBar& HorzSpeedSlider;
    const TTrackBar& VertSpeedSlider;
    // Its ProcessMessages runs the main thread's pending messages once; only a click replay calls it.
    TApplication& Application;
};

// The axis a Move Scroll gesture has locked on.
enum class ScrollAxis : std::uint8_t { None = 0, Vertical = 1, Horizontal = 2 };
// The direction an Auto Scroll gesture scrolls in; None until the mouse has chosen one.
enum class ScrollDirection : std::uint8_t { Left = 0, Right = 1, Up = 2, Down = 3, None = 4 };

// What the engine is doing: nothing, or a gesture of either kind.
enum class GesturePhase : std::uint8_t { Idle, AutoScroll, MoveScroll };
// How far the click that ends a Toggle gesture has got: the gesture's own press, then its release;
// the next release ends the gesture. None in a Classic gesture, and in a Toggle gesture whose stage
// applying settings forgot (the next press starts it again).
enum class ToggleStage : std::uint8_t { None, Pressed, ReleasedOnce };
// Why a gesture ends. The first two are releases the hooks reported; the others come without one,
// so no click is replayed and the target may be hung.
enum class GestureEnd : std::uint8_t {
    Release,         // the activation button let go, in a Classic gesture
    ToggleClick,     // the release of the click that ends a Toggle gesture, any button's
    LostRelease,     // the guard saw the button up twice and no release was reported
    SettingsApplied, // Apply in a Move Scroll gesture whose axis had locked
    ScrollingOff,    // scrolling switched off from the tray or by Apply
};

// The gesture state the output operations read. Owned by ScrollEngine. Outside a gesture the axis
// and the direction are None and the toggle stage is None.
struct GestureState {
    GesturePhase Phase = GesturePhase::Idle;
    ToggleStage Toggle = ToggleStage::None;
    ScrollAxis Axis = ScrollAxis::None;                // Move Scroll: locked on, else None
    ScrollDirection Direction = ScrollDirection::None; // Auto Scroll: chosen, else None
    Point Anchor;               // the press point, then the point where the Move Scroll axis locked
    Point LastPos;              // position of the previous report (the Anchor under MoveLock)
    Point Cursor;               // position of the latest report, whatever MoveLock says
    WindowHandle PointedWindow; // under the cursor at the press
    // The button of a press the hook swallowed but no gesture took, whose click is replayed when
    // the hook swallows the release as well; set only while no gesture runs.
    MouseButton WaitingClick = MouseButton::None;
};

} // namespace gw
