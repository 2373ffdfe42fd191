#pragma once
// Auto Scroll whose speed follows the hand (the option "Speed follows the distance", AutoFollow).
// Each axis scrolls by the cursor's distance from the Anchor along it, both at once, so the page
// goes diagonally when the hand does. Near the Anchor nothing scrolls; further out the speed grows
// a little faster than the distance, up to a cap that keeps a far cursor readable. The sliders
// give the speed at the reference distance, which is the speed Auto Scroll has without the option.

#include "scroll/ScrollEnvironment.h"
#include "shared/Handle.h"

#include <cstdint>

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

// The speed at a distance from the Anchor along one axis (pixels, either sign) as a multiple of the
// slider's speed: 0 within the dead zone, ((|d| - 10) / 30)^1.5 beyond it (1 at the reference
// distance), at most kFollowMaxFactor.
double FollowFactor(std::int32_t distance);

// The direction the cursors show for an offset from the Anchor: along the axis with the larger
// distance (a tie counts as vertical), towards the offset, or away from it with Inverse. None
// while the offset lies within the dead zone along both axes.
ScrollDirection FollowDirection(Point offset, bool inverse);

// What one axis scrolls per tick, in whole lines or wheel units. Parts of one wait for the next
// tick, so a slow speed moves the page steadily instead of in bursts; back within the dead zone the
// axis forgets them, so it stops at once and starts afresh.
class FollowAxis {
public:
    // distance: the signed offset from the Anchor along the axis (positive towards the end of the
    // page); atReference: what the slider's speed scrolls during this tick. Returns signed whole
    // units, at most limit either way; a tick that wants more than limit drops the rest.
    std::int32_t Take(std::int32_t distance, double atReference, std::int32_t limit);
    void Forget() { carry_ = 0.0; }

private:
    double carry_ = 0.0;
};

} // namespace gw
