#pragma once
// Auto Scroll whose speed follows the hand (the option "Speed follows the distance", AutoFollow).
// Each axis scrolls by the cursor's distance from the Anchor along it, both at once, so the page
// goes diagonally when the hand does. Near the Anchor nothing scrolls; further out the speed grows
// a little faster than the distance, up to a cap that keeps a far cursor readable. The sliders
// give the speed at the reference distance, which is the speed Auto Scroll has without the option.

#include "scroll/ScrollEnvironment.h"
#include "shared/Handle.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace gw {

// Within this many pixels of the Anchor along an axis that axis stands still. A hand that means to
// scroll straight down drifts sideways by a few pixels, and a click wobbles by a few: neither may
// scroll. The browsers' own autoscroll rests within 12 to 15 pixels; ten keeps slow scrolling
// within easy reach.
inline constexpr std::int32_t kFollowDeadZone = 10;
// At this distance an axis scrolls at its slider's speed: 30 pixels past the dead zone, about the
// way a hand travels to choose a direction without the option.
inline constexpr std::int32_t kFollowReference = 40;
// The fastest speed, as a multiple of the slider's speed, reached about 150 pixels out. At the
// default sliders that is some 23 lines a second on a window with bars, or 14 notches of the wheel:
// still slow enough to pick out headings going by.
inline constexpr double kFollowMaxFactor = 10.0;
// How many line messages one tick sends along an axis at most; what a tick wants beyond it is
// dropped. Enough for the fastest vertical speed, and it keeps the time a slow target can hold
// Glidewing up per tick to a handful of sends.
inline constexpr std::int32_t kFollowLinesPerTick = 5;

constexpr bool WithinFollowDeadZone(std::int32_t distance) {
    return -kFollowDeadZone <= distance && distance <= kFollowDeadZone;
}

namespace follow_detail {

// Square root by Newton's steps, so that the curve can be worked out when the program is compiled.
constexpr double Root(double x) {
    double root = x > 1.0 ? x : 1.0;
    for (int i = 0; i < 64; ++i) {
        root = (root + x / root) / 2.0;
    }
    return root;
}

// Past the dead zone by this many pixels the speed has reached its cap: ((d - 10) / 30)^1.5 makes
// ten at 139.2.
inline constexpr std::int32_t kCapBeyond = 140;
inline constexpr double kFactorUnit = 1.0 / 4096;

// The curve at each whole pixel past the dead zone, in 4096ths: a tick looks its factor up.
inline constexpr auto kFactors = [] {
    std::array<std::uint16_t, kCapBeyond + 1> factors{};
    for (std::int32_t beyond = 0; beyond <= kCapBeyond; ++beyond) {
        const double t = static_cast<double>(beyond) / (kFollowReference - kFollowDeadZone);
        const double factor = t * Root(t) < kFollowMaxFactor ? t * Root(t) : kFollowMaxFactor;
        factors[static_cast<std::size_t>(beyond)] = static_cast<std::uint16_t>(factor / kFactorUnit + 0.5);
    }
    return factors;
}();

} // namespace follow_detail

// The speed at a distance from the Anchor along one axis (pixels, either sign) as a multiple of the
// slider's speed: 0 within the dead zone, ((|d| - 10) / 30)^1.5 beyond it (1 at the reference
// distance), at most kFollowMaxFactor.
constexpr double FollowFactor(std::int32_t distance) {
    const std::int32_t beyond = (distance < 0 ? -distance : distance) - kFollowDeadZone;
    if (beyond <= 0) {
        return 0.0;
    }
    return follow_detail::kFactors[static_cast<std::size_t>(
               beyond < follow_detail::kCapBeyond ? beyond : follow_detail::kCapBeyond)] *
           follow_detail::kFactorUnit;
}
static_assert(FollowFactor(kFollowDeadZone) == 0.0 && FollowFactor(kFollowReference) == 1.0 &&
                  FollowFactor(-kFollowReference) == 1.0 && FollowFactor(1000) == kFollowMaxFactor,
              "nothing in the dead zone, the sliders' speed at the reference distance, the cap far out");

// The direction the cursors show for an offset from the Anchor: along the axis with the larger
// distance (a tie counts as vertical), towards the offset, or away from it with Inverse. None
// while the offset lies within the dead zone along both axes.
inline ScrollDirection FollowDirection(Point offset, bool inverse) {
    if (WithinFollowDeadZone(offset.x) && WithinFollowDeadZone(offset.y)) {
        return ScrollDirection::None;
    }
    const std::int32_t sign = inverse ? -1 : 1;
    if (std::abs(offset.x) > std::abs(offset.y)) {
        return sign * offset.x > 0 ? ScrollDirection::Right : ScrollDirection::Left;
    }
    return sign * offset.y > 0 ? ScrollDirection::Down : ScrollDirection::Up;
}

// What one axis scrolls per tick, in whole lines or wheel units. Parts of one wait for the next
// tick, so a slow speed moves the page steadily instead of in bursts; back within the dead zone the
// axis forgets them, so it stops at once and starts afresh.
class FollowAxis {
public:
    // distance: the signed offset from the Anchor along the axis (positive towards the end of the
    // page); atReference: what the slider's speed scrolls during this tick. Returns signed whole
    // units, at most limit either way; a tick that wants more than limit drops the rest.
    std::int32_t Take(std::int32_t distance, double atReference, std::int32_t limit) {
        if (WithinFollowDeadZone(distance)) {
            carry_ = 0.0;
            return 0;
        }
        const double step = FollowFactor(distance) * atReference;
        const double amount = carry_ + (distance < 0 ? -step : step);
        if (std::abs(amount) > limit) {
            carry_ = 0.0;
            return amount > 0 ? limit : -limit;
        }
        const auto whole = static_cast<std::int32_t>(amount); // towards zero: the rest keeps its sign
        carry_ = amount - whole;
        return whole;
    }

private:
    double carry_ = 0.0;
};

} // namespace gw
