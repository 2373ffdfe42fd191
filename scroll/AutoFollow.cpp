#include "scroll/AutoFollow.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace gw {

double FollowFactor(std::int32_t distance) {
    const std::int32_t beyond = std::abs(distance) - kFollowDeadZone;
    if (beyond <= 0) {
        return 0.0;
    }
    const double t = static_cast<double>(beyond) / (kFollowReference - kFollowDeadZone);
    return std::min(t * std::sqrt(t), kFollowMaxFactor);
}

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

std::int32_t FollowAxis::Take(std::int32_t distance, double atReference, std::int32_t limit) {
    if (WithinFollowDeadZone(distance)) {
        carry_ = 0.0;
        return 0;
    }
    const double amount = carry_ + std::copysign(FollowFactor(distance) * atReference, distance);
    if (std::abs(amount) > limit) {
        carry_ = 0.0;
        return amount > 0 ? limit : -limit;
    }
    const auto whole = static_cast<std::int32_t>(amount); // towards zero: the rest keeps its sign
    carry_ = amount - whole;
    return whole;
}

} // namespace gw
