#pragma once
// What the two messages of the hooks carry, unpacked.

#include "shared/Handle.h"

#include <cstdint>

namespace gw {

struct HookMouseEvent {
    std::uint32_t Message = 0;  // the mouse message id, without the hook's flag bits
    Point At;                   // screen position, each half read as unsigned 16 bits
    bool Swallowed = false;     // the hook's click rule kept this message from the target
};

struct HookKeyEvent {
    std::uint32_t VirtualKey = 0;
    std::uint32_t Flags = 0;  // the keystroke flags as the keyboard hook got them
};

HookMouseEvent DecodeHookMouse(std::uintptr_t wParam, std::intptr_t lParam);
HookKeyEvent DecodeHookKey(std::uintptr_t wParam, std::intptr_t lParam);

} // namespace gw
