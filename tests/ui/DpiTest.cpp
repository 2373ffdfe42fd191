// Sizes given for 96 dpi scaled to a monitor's density, rounding as MulDiv does, and sizes the
// system gave for its own density carried to another monitor's.

#include "ui/Dpi.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

struct ScaleCase {
    int value;
    int dpi;
    int expected;
};

TEST(Dpi, SizesFor96DpiScaleToTheMonitorsDensity) {
    const ScaleCase cases[] = {
        {503, 96, 503},  {503, 120, 629}, // 628.75
        {503, 144, 755},                  // 754.5: half away from zero, as the window manager scales
        {361, 144, 542}, {503, 192, 1006}, {16, 144, 24},   {32, 144, 48},   {83, 144, 125}, {1, 144, 2},
        {1, 120, 1},     {0, 192, 0},      {-16, 144, -24}, {-11, 144, -17}, // font heights are negative
        {26, 168, 46},                                                       // 175 %: 45.5
        {7, 0, 7},       {7, -1, 7}, // a density the system could not tell counts as 96
    };
    for (const ScaleCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.value) + " at " + std::to_string(c.dpi));
        EXPECT_EQ(ScaleForDpi(c.value, c.dpi), c.expected);
    }
}

TEST(Dpi, RectanglesScaleCornerByCorner) {
    EXPECT_EQ(ScaleForDpi(Rect{8, 4, 158, 274}, 144), (Rect{12, 6, 237, 411}));
    EXPECT_EQ(ScaleForDpi(Rect{-1024, 0, 0, 768}, 192), (Rect{-2048, 0, 0, 1536}));
}

TEST(Dpi, SystemSizesCarryToAnotherDensity) {
    const struct {
        int value, from, to, expected;
    } cases[] = {
        {-16, 144, 96, -11}, // the system's 144-dpi menu font for a monitor at 96: 10.67
        {-12, 96, 192, -24}, {24, 144, 192, 32}, {16, 96, 96, 16}, {-12, 0, 144, -18}, {-12, 96, 0, -12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.value) + " from " + std::to_string(c.from) + " to " +
                     std::to_string(c.to));
        EXPECT_EQ(RescaleForDpi(c.value, c.from, c.to), c.expected);
    }
}

TEST(Dpi, MulDivRoundsHalfAwayFromZeroAndSurvivesZero) {
    EXPECT_EQ(MulDivRound(3, 1, 2), 2);
    EXPECT_EQ(MulDivRound(-3, 1, 2), -2);
    EXPECT_EQ(MulDivRound(3, 1, -2), -2);
    EXPECT_EQ(MulDivRound(20000000, 192, 96), 40000000); // the product needs more than 32 bits
    EXPECT_EQ(MulDivRound(5, 7, 0), 0);
}

} // namespace
} // namespace gw
