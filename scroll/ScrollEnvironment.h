#pragma once
// Everything the scroll engine works with and does not own: the applied settings, the shared
// record, the three toolkit timers, the cursor table, the Win32 seams, the speed sliders and the
// application object. The main window owns all of them and outlives the engine.

#include "base/SystemCursors.h"
#include "scroll/ScrollSeams.h"
#include "settings/RuntimeSettings.h"
#include "shared/HookShareWriter.h"
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
    TTimer& MainTimer;
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
// How far a Toggle click has got: pressed, then released once; the next release ends the gesture.
enum class ToggleProgress : std::int32_t { Idle = 0, Pressed = 1, ReleasedOnce = 2 };

// The gesture state the output operations read. Owned by ScrollEngine.
struct GestureState {
    bool AutoScrolling = false;
    bool MoveScrolling = false;
    ScrollAxis DragAxis = ScrollAxis::None;
    ScrollDirection AutoDirection = ScrollDirection::None;
    Point Anchor;  // the press point, then the point where the Move Scroll axis locked
    Point LastPos; // position of the previous report (the Anchor under MoveLock)
    Point Cursor;  // position of the latest report, whatever MoveLock says
    ToggleProgress ToggleStage = ToggleProgress::Idle;
    WindowHandle PointedWindow; // under the cursor at the press
    // The button of a press the hook swallowed but no gesture took: its click is replayed when
    // the hook swallows the release as well. 0: none waits.
    std::uint8_t PendingReplay = 0;
};

} // namespace gw
