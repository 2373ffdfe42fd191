#include "app/HookMessages.h"

#include "shared/HookShare.h"

namespace gw {

HookMouseEvent DecodeHookMouse(std::uintptr_t wParam, std::intptr_t lParam) {
    // The hook packs 16 bits of each coordinate; whatever lies above them in a 64-bit lParam is noise.
    const auto packed = static_cast<std::uint32_t>(static_cast<std::uintptr_t>(lParam));
    const auto report = static_cast<std::uint32_t>(wParam);
    return {report & kHookReportMessageMask,
            {HookPositionX(packed), HookPositionY(packed)},
            (report & kHookReportSwallowed) != 0};
}

HookKeyEvent DecodeHookKey(std::uintptr_t wParam, std::intptr_t lParam) {
    return {static_cast<std::uint32_t>(wParam), static_cast<std::uint32_t>(static_cast<std::uintptr_t>(lParam))};
}

} // namespace gw
