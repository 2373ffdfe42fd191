#pragma once
// The keyboard and mouse hook procedures, free of Win32 so the tests can drive them. The Win32
// entry points in GWHooks_win.cpp only convert their arguments and call these.

#include "hooks/HookHost.h"

#include <cstdint>

namespace gw {

// Returned instead of calling the next hook when a mouse message is swallowed.
inline constexpr std::intptr_t kSwallowInput = -1;

// Reports keystrokes while the program asks for them; never swallows one.
std::intptr_t KeyboardHookProc(IHookHost& host, const HookProcessState& state, int code,
                               std::uintptr_t wParam, std::intptr_t lParam);

// messagePoint is the pt of the MOUSEHOOKSTRUCT that lParam points to, or null when lParam is
// null (such a call is passed on untouched).
std::intptr_t MouseHookProc(IHookHost& host, HookProcessState& state, int code, std::uintptr_t wParam,
                            std::intptr_t lParam, const Point* messagePoint);

} // namespace gw
