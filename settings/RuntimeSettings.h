#pragma once
// The applied copy of the user's settings: what the features read. Every apply fills it from
// the configuration window; nothing else writes it except the tray's quick options. All
// zero/false until the first apply. The list positions are kept as the file stores them, beside
// what the features read of them (the button, the modes, the wait in milliseconds).

#include "shared/MouseMessageClass.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gw {

struct RuntimeSettings {
    MouseButton ActivateButton = MouseButton::None; // None until first derived
    bool SwapButtons = false;
    bool HideWhileTyping = false;
    bool JumpToDefault = false;
    std::int32_t ActivateKeyIndex = 0; // 0 left, 1 middle, 2 right, -1 no selection
    std::int32_t SpeedX = 0;           // 0..60
    std::int32_t SpeedY = 0;           // 0..60
    bool PopDeskEnabled = false;
    std::int32_t PopDeskCorner = 0;       // 0 top left, 1 top right, 2 bottom left, 3 bottom right, -1 none
    std::int32_t PopDeskDelayIndex = 0;   // the wait's position in its list, -1 none
    std::int32_t PopDeskDelay = 0;        // milliseconds: the entry at that position, else the first
    bool PopDeskEveryMonitor = false;     // the corner of the monitor under the cursor, not the primary's
    std::int32_t ActivationModeIndex = 0; // 0 Classic, 1 Toggle, -1 no selection
    bool ToggleMode = false;              // any position but Classic's
    std::int32_t ScrollModeIndex = 0;     // 0 Auto Scroll, 1 Move Scroll, -1 no selection
    bool MoveScrollMode = false;          // any position but Auto Scroll's
    bool ScrollEnabled = false;
    bool MoveLock = false;
    bool MoveBack = false;
    bool Inverse = false;
    bool AutoFollow = false; // Auto Scroll's speed follows the cursor's distance from the press
    bool AutoRun = false;
    std::vector<std::string> ExcludedPrograms; // where the hooks stand aside, by file name
    bool FullScreenAside = false;              // ... and while a full-screen program is in front
};

} // namespace gw
