#pragma once
// Start-up as the program entry runs it: FormCreate, whose failing step is shown in a box while the
// program runs on in the tray; then the main window must exist, since the tray icon and its Exit
// live in it. Without it the program could never be ended: the shutdown sequence runs at once (no
// hooks, no changed cursors stay behind), a box says why, and the process ends with an error code.

#include "app/MainForm.h"

namespace gw {

inline constexpr char kNoMainWindowMessage[] = "Glidewing cannot create its main window and ends.";
inline constexpr int kNoMainWindowExitCode = 2;

// 0: go on with the message loop; otherwise the exit code to end with.
int StartMainForm(TMainForm& form, TApplication& application);

} // namespace gw
