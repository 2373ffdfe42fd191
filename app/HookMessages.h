#pragma once
// What the two messages of the hooks carry, unpacked.

#include "shared/Handle.h"
#include "shared/HookShare.h"

#include <cstdint>

namespace gw {

struct HookMouseEvent {
    std::uint32_t Message = 0; // the mouse message id, without the hook's flag bits
    Point At;                  // screen position, each half read as a signed 16-bit value
    bool Swallowed = false;    // the hook's click rule kept this message from the target
    bool StoodAside = false;   // the hook left this press to the application (kHookReportStoodAside)
};

struct HookKeyEvent {
    std::uint32_t VirtualKey = 0;
    std::uint32_t Flags = 0; // the keystroke flags as the keyboard hook got them
};

// Inline: they run for every mouse message and keystroke of the desktop.
inline HookMouseEvent DecodeHookMouse(std::uintptr_t wParam, std::intptr_t lParam) {
    // The hook packs 16 bits of each coordinate; whatever lies above them in a 64-bit lParam is noise.
    const auto packed = static_cast<std::uint32_t>(static_cast<std::uintptr_t>(lParam));
    const auto report = static_cast<std::uint32_t>(wParam);
    return {report & kHookReportMessageMask,
            {HookPositionX(packed), HookPositionY(packed)},
            (report & kHookReportSwallowed) != 0,
            (report & kHookReportStoodAside) != 0};
}

inline HookKeyEvent DecodeHookKey(std::uintptr_t wParam, std::intptr_t lParam) {
    return {static_cast<std::uint32_t>(wParam),
            static_cast<std::uint32_t>(static_cast<std::uintptr_t>(lParam))};
}

} // namespace gw
