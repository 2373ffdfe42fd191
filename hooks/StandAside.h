#pragma once
// When the mouse hook stands aside for a press of the activation button: in a process whose
// executable is on the program's list, and, while the program asks for it, whenever a full-screen
// window is in front. Such a press passes untouched and arms nothing; its report says so.

#include "hooks/HookHost.h"

namespace gw {

// Opens and closes the stand-aside record; without it the hook never stands aside. The program is
// the one whose window is under the cursor: mostly the process the hook runs in, whose verdict is
// kept in state until the list's generation changes; when the window belongs to another process
// (a hook of the other bitness runs on the program's own thread), that process's, never kept.
// under: the window under the cursor, which the press has looked up already (empty if unknown).
bool StandsAside(IHookHost& host, HookProcessState& state, WindowHandle under);

// The foreground window covers the whole monitor it is on and is not maximised. The desktop and the
// shell's own windows never count.
bool FullScreenInFront(IHookHost& host);

} // namespace gw
