// Which pixel opens PopDesk with "On every monitor": the chosen corner of the monitor under the
// cursor, where the cursor stops because no monitor lies beyond it, on desks of one, two and three
// monitors, some of them left of or above the primary (negative coordinates).

#include "popdesk/PopDeskCorners.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gw {
namespace {

constexpr std::int32_t kTopLeft = 0, kTopRight = 1, kBottomLeft = 2, kBottomRight = 3;

MonitorAtPoint Desk(std::vector<Rect> monitors) {
    return [monitors](Point at, Rect& monitor) {
        for (const Rect& r : monitors) {
            if (at.x >= r.left && at.x < r.right && at.y >= r.top && at.y < r.bottom) {
                monitor = r;
                return true;
            }
        }
        return false;
    };
}

const Rect kPrimary{0, 0, 1024, 768};

struct CornerCase {
    const char* name;
    std::vector<Rect> monitors;
    std::int32_t corner;
    Point at;
    bool opens;
};

class MonitorCornerTest : public ::testing::TestWithParam<CornerCase> {};

TEST_P(MonitorCornerTest, OnlyACornerOfTheWholeDesktopOpens) {
    const CornerCase& c = GetParam();
    EXPECT_EQ(OnMonitorCorner(c.at, c.corner, Desk(c.monitors)), c.opens);
}

const Rect kRightOfPrimary{1024, 0, 2048, 768};
const Rect kLeftOfPrimary{-1024, 0, 0, 768};
const Rect kAbovePrimary{0, -768, 1024, 0};

INSTANTIATE_TEST_SUITE_P(
    Desks, MonitorCornerTest,
    ::testing::Values(
        // One monitor: its four corner pixels, nothing beside them.
        CornerCase{"OneTopLeft", {kPrimary}, kTopLeft, {0, 0}, true},
        CornerCase{"OneTopRight", {kPrimary}, kTopRight, {1023, 0}, true},
        CornerCase{"OneBottomLeft", {kPrimary}, kBottomLeft, {0, 767}, true},
        CornerCase{"OneBottomRight", {kPrimary}, kBottomRight, {1023, 767}, true},
        CornerCase{"OneNeighbourPixel", {kPrimary}, kTopLeft, {1, 0}, false},
        CornerCase{"OneOtherCorner", {kPrimary}, kTopLeft, {1023, 767}, false},
        CornerCase{"OneNoSuchCorner", {kPrimary}, 4, {0, 0}, false},
        CornerCase{"OneOffEveryMonitor", {kPrimary}, kTopLeft, {-1, -1}, false},
        // Two side by side: the corners where they meet lead on into the other monitor.
        CornerCase{"RightMonitorTopRight", {kPrimary, kRightOfPrimary}, kTopRight, {2047, 0}, true},
        CornerCase{"RightMonitorBottomRight", {kPrimary, kRightOfPrimary}, kBottomRight, {2047, 767}, true},
        CornerCase{"PrimaryTopRightLeadsOn", {kPrimary, kRightOfPrimary}, kTopRight, {1023, 0}, false},
        CornerCase{"RightMonitorTopLeftLeadsBack", {kPrimary, kRightOfPrimary}, kTopLeft, {1024, 0}, false},
        CornerCase{"PrimaryTopLeftStays", {kPrimary, kRightOfPrimary}, kTopLeft, {0, 0}, true},
        // Left of the primary, at negative coordinates.
        CornerCase{"LeftMonitorTopLeft", {kPrimary, kLeftOfPrimary}, kTopLeft, {-1024, 0}, true},
        CornerCase{"LeftMonitorBottomLeft", {kPrimary, kLeftOfPrimary}, kBottomLeft, {-1024, 767}, true},
        CornerCase{"LeftMonitorTopRightLeadsOn", {kPrimary, kLeftOfPrimary}, kTopRight, {-1, 0}, false},
        CornerCase{"PrimaryTopLeftLeadsBack", {kPrimary, kLeftOfPrimary}, kTopLeft, {0, 0}, false},
        CornerCase{"PrimaryTopRightStays", {kPrimary, kLeftOfPrimary}, kTopRight, {1023, 0}, true},
        // Above the primary: its top corners lead up.
        CornerCase{"AboveTopLeft", {kPrimary, kAbovePrimary}, kTopLeft, {0, -768}, true},
        CornerCase{"PrimaryTopLeftLeadsUp", {kPrimary, kAbovePrimary}, kTopLeft, {0, 0}, false},
        CornerCase{"PrimaryBottomLeftStays", {kPrimary, kAbovePrimary}, kBottomLeft, {0, 767}, true},
        // Three of different heights: a tall one on the left, the primary, a short one on the right
        // whose bottom corners stand free below the primary's edge.
        CornerCase{"ThreeShortRightBottomRight",
                   {{-1200, -300, 0, 1620}, kPrimary, {1024, 0, 1824, 600}},
                   kBottomRight,
                   {1823, 599},
                   true},
        CornerCase{"ThreeShortRightBottomLeftLeadsIntoThePrimary",
                   {{-1200, -300, 0, 1620}, kPrimary, {1024, 0, 1824, 600}},
                   kBottomLeft,
                   {1024, 599},
                   false},
        CornerCase{"ThreeTallLeftTopLeft",
                   {{-1200, -300, 0, 1620}, kPrimary, {1024, 0, 1824, 600}},
                   kTopLeft,
                   {-1200, -300},
                   true},
        CornerCase{"ThreePrimaryBottomLeftLeadsIntoTheTallOne",
                   {{-1200, -300, 0, 1620}, kPrimary, {1024, 0, 1824, 600}},
                   kBottomLeft,
                   {0, 767},
                   false},
        CornerCase{"ThreePrimaryBottomRightStandsFree",
                   {{-1200, -300, 0, 1620}, kPrimary, {1024, 0, 1824, 600}},
                   kBottomRight,
                   {1023, 767},
                   true}, // the short one ends above it
        // Monitors that touch only at a corner: the cursor goes on diagonally.
        CornerCase{"DiagonalNeighbourLeadsOn",
                   {kPrimary, {1024, 768, 2048, 1536}},
                   kBottomRight,
                   {1023, 767},
                   false},
        CornerCase{
            "DiagonalFarCorner", {kPrimary, {1024, 768, 2048, 1536}}, kBottomRight, {2047, 1535}, true}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(CornerPixel, EachCornerIsOnePixelOfItsRectangle) {
    const Rect area{-1024, -10, 0, 758};
    EXPECT_TRUE(IsCornerPixel(area, kTopLeft, {-1024, -10}));
    EXPECT_TRUE(IsCornerPixel(area, kTopRight, {-1, -10}));
    EXPECT_TRUE(IsCornerPixel(area, kBottomLeft, {-1024, 757}));
    EXPECT_TRUE(IsCornerPixel(area, kBottomRight, {-1, 757}));
    EXPECT_FALSE(IsCornerPixel(area, kBottomRight, {0, 758})); // the rectangle's end is outside it
    EXPECT_FALSE(IsCornerPixel(Rect{}, kTopLeft, {0, 0}));     // an empty screen has no corners
    EXPECT_FALSE(IsCornerPixel(area, -1, {-1024, -10}));
}

} // namespace
} // namespace gw
