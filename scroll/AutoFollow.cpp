#include "scroll/AutoFollow.h"

#include <cstdlib>

namespace gw {

static_assert(FollowFactor(kFollowDeadZone) == 0.0 && FollowFactor(kFollowReference) == 1.0 &&
                  FollowFactor(-kFollowReference) == 1.0 && FollowFactor(1000) == kFollowMaxFactor,
              "nothing in the dead zone, the sliders' speed at the reference distance, the cap far out");

ScrollDirection FollowDirection(Point offset, bool inverse) {
    if (WithinFollowDeadZone(offset.x) && WithinFollowDeadZone(offset.y)) {
        return ScrollDirection::None;
    }
    const std::int32_t sign = inverse ? -1 : 1;
    if (std::abs(offset.x) > std::abs(offset.y)) {
        return sign * offset.x > 0 ? ScrollDirection::Right : ScrollDirection::Left;
    }
    return sign * offset.y > 0 ? ScrollDirection::Down : ScrollDirection::Up;
}

} // namespace gw
