#pragma once
// Everything the scroll engine works with and does not own: the applied settings, the shared
// record, the two toolkit timers, the cursor table, the Win32 seams, the live speed sliders and
// the framework's process-messages call. The main window owns all of them and outlives the engine.

#include "scroll/ScrollSeams.h"
#include "base/SystemCursors.h"
#include "settings/RuntimeSettings.h"
#include "shared/HookShareWriter.h"
#include "shared/ScrollBarWalk.h"
#include "ui/Timer.h"

#include <functional>

namespace gw {

struct ScrollEnvironment {
    const RuntimeSettings& Settings; // read at each message
    HookShareWriter& Share;
    TTimer& ScrollTimer;
    TTimer& MainTimer;
    SystemCursors& Cursors;
    IWindowQueries& Queries;
    IScrollWindowOps& Window;
    IScrollInputOps& Input;
    // Positions of the horizontal and vertical speed sliders (0..60), read at every tick, so a
    // slider moved before OK or Apply already counts.
    std::function<int()> HorzSpeed;
    std::function<int()> VertSpeed;
    // Dispatches the main thread's pending messages once.
    std::function<void()> ProcessMessages;
};

// The gesture state the output operations read. Owned by ScrollEngine.
struct GestureState {
    bool AutoScrolling = false;
    bool MoveScrolling = false;
    std::uint8_t DragAxis = 0;      // 0 none yet, 1 vertical, 2 horizontal
    std::uint8_t AutoDirection = 4; // 0 left, 1 right, 2 up, 3 down, 4 none
    Point Anchor;                   // the press point, then the point where the Move Scroll axis locked
    Point LastPos;                  // position of the previous report (the Anchor under MoveLock)
    std::int32_t ToggleStage = 0;   // 0 idle, 1 pressed, 2 released once
    WindowHandle PointedWindow;     // under the cursor at the press
};

inline constexpr std::uint8_t kAxisNone = 0;
inline constexpr std::uint8_t kAxisVertical = 1;
inline constexpr std::uint8_t kAxisHorizontal = 2;

inline constexpr std::uint8_t kDirectionLeft = 0;
inline constexpr std::uint8_t kDirectionRight = 1;
inline constexpr std::uint8_t kDirectionUp = 2;
inline constexpr std::uint8_t kDirectionDown = 3;
inline constexpr std::uint8_t kDirectionNone = 4;

} // namespace gw
