#pragma once
// When the mouse hook stands aside for a press of the activation button: in a process whose
// executable is on the program's list, and, while the program asks for it, whenever a full-screen
// window is in front. Such a press passes untouched and arms nothing; its report says so.

#include "hooks/HookHost.h"

namespace gw {

// Opens and closes the stand-aside record; without it the hook never stands aside. The verdict
// about this process's executable is kept in state until the list's generation changes.
bool StandsAside(IHookHost& host, HookProcessState& state);

// The foreground window covers the whole monitor it is on. The desktop and the shell's own windows
// never count, nor does a maximised window with a title bar, which reaches past the monitor's
// edges wherever no taskbar takes room from it.
bool FullScreenInFront(IHookHost& host);

} // namespace gw
