#pragma once
// Screen density arithmetic. Every size of ours is given for 96 dpi (100 %) and scaled to the
// density of the monitor a window or menu is on, rounding as the system's MulDiv does (half away
// from zero), so a 503-pixel width is 755 at 144 dpi, as the window manager's own scaling has it.

#include "shared/Handle.h"

#include <cstdint>

namespace gw {

inline constexpr int kBaseDpi = 96;

// value * numerator / denominator, rounded half away from zero; 0 for a zero denominator.
constexpr int MulDivRound(int value, int numerator, int denominator) {
    if (denominator == 0) {
        return 0;
    }
    const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    const std::int64_t half = (denominator < 0 ? -denominator : denominator) / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const std::int64_t magnitude =
        ((product < 0 ? -product : product) + half) / (denominator < 0 ? -denominator : denominator);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

// What a system answer for a density means for us: anything below 1 (a function that failed)
// counts as 96.
constexpr int UsableDpi(int dpi) {
    return dpi > 0 ? dpi : kBaseDpi;
}

// A size given for 96 dpi, in pixels at `dpi`.
constexpr int ScaleForDpi(int value, int dpi) {
    return MulDivRound(value, UsableDpi(dpi), kBaseDpi);
}

constexpr Rect ScaleForDpi(Rect r, int dpi) {
    return {ScaleForDpi(r.left, dpi), ScaleForDpi(r.top, dpi), ScaleForDpi(r.right, dpi),
            ScaleForDpi(r.bottom, dpi)};
}

// A size in pixels at one density, in pixels at another (a font height the system gave for its own
// density, wanted for a window on a monitor of another).
constexpr int RescaleForDpi(int value, int fromDpi, int toDpi) {
    return MulDivRound(value, UsableDpi(toDpi), UsableDpi(fromDpi));
}

} // namespace gw
