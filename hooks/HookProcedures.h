#pragma once
// The keyboard and mouse hook procedures, free of Win32 so the tests can drive them. The Win32
// entry points in GWHooks_win.cpp only convert their arguments and call these.

#include "hooks/HookHost.h"

#include <cstdint>

namespace gw {

// Returned instead of calling the next hook when a mouse message is swallowed.
inline constexpr std::intptr_t kSwallowInput = -1;

// What the mouse hook is told of one message besides its id: the screen point of the
// MOUSEHOOKSTRUCT and the extra information its input carried (kInjectedInputMark for our own).
struct MouseHookInfo {
    Point pt;
    std::uintptr_t extraInfo = 0;
};

// A message the application takes off its queue (the MSG a WH_GETMESSAGE hook gets), as far as
// the message hook reads it; the hook may change its id.
struct QueuedMessage {
    WindowHandle window;
    std::uint32_t message = 0;
    std::uint32_t time = 0;
    Point pt;
};

// Reports keystrokes while the program asks for them; never swallows one.
std::intptr_t KeyboardHookProc(IHookHost& host, const HookProcessState& state, int code,
                               std::uintptr_t wParam, std::intptr_t lParam);

// info is what the MOUSEHOOKSTRUCT that lParam points to says, or null when lParam is null (such a
// call is passed on untouched). Input we injected ourselves passes untouched and unreported.
std::intptr_t MouseHookProc(IHookHost& host, HookProcessState& state, int code, std::uintptr_t wParam,
                            std::intptr_t lParam, const MouseHookInfo* info);

// The message hook of a thread whose queue is watched: it runs as the application takes each
// message off its queue (removal: PM_REMOVE or PM_NOREMOVE; message: the MSG that lParam points
// to, null when there is none). The system counts a press the mouse hook swallowed towards a
// double click, so the press we replay for it would reach the application as the second click of
// a double click. A replayed press stays a double click only when it follows the last press the
// application got as a second click of the user's own would; everything else goes on unchanged.
// The mouse hook starts the watch when it swallows a press; it ends once the replayed release is
// taken, or when it runs out. Only a thread that just had a press held back pays for the hook.
std::intptr_t GetMessageHookProc(IHookHost& host, HookProcessState& state, int code, std::uintptr_t removal,
                                 std::intptr_t lParam, QueuedMessage* message);

} // namespace gw
