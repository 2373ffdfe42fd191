// The PopDesk menu's geometry at a density: the same menu as ever at 96 dpi, every part scaled with
// the monitor's density beside text measured there, rows that give a short menu room for the banner.

#include "popdesk/DesktopMenuLayout.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

// Eight entries, names of ordinary length, text measured at the density (a 13-pixel line at 96 dpi).
DesktopMenuMeasures EightEntries(int dpi) {
    DesktopMenuMeasures m;
    m.dpi = dpi;
    m.textHeight = dpi * 13 / 96;
    m.textWidths = std::vector<int>(8, dpi * 70 / 96);
    m.textWidths[2] = dpi * 120 / 96;
    m.bannerCaptionLength = dpi * 130 / 96;
    return m;
}

struct Expected {
    int dpi;
    int banner, gutter, icon, gap, padding, line, row, width;
};

TEST(DesktopMenuLayout, EveryPartScalesWithTheDensity) {
    const Expected cases[] = {
        // At 96 dpi, the menu as it has always been: rows of 24 (text + 10 is less), 26 + 30 + 8 + 120 + 24.
        {96, 26, 30, 16, 8, 24, 1, 24, 208},
        {120, 33, 38, 20, 10, 30, 1, 30, 261},
        {144, 39, 45, 24, 12, 36, 2, 36, 312},
        {192, 52, 60, 32, 16, 48, 2, 48, 416},
    };
    for (const Expected& e : cases) {
        SCOPED_TRACE(e.dpi);
        const DesktopMenuLayout l = LayOutDesktopMenu(EightEntries(e.dpi));
        EXPECT_EQ(l.bannerWidth, e.banner);
        EXPECT_EQ(l.gutterWidth, e.gutter);
        EXPECT_EQ(l.iconSize, e.icon);
        EXPECT_EQ(l.textGap, e.gap);
        EXPECT_EQ(l.rightPadding, e.padding);
        EXPECT_EQ(l.line, e.line);
        ASSERT_EQ(l.rows.size(), 8u);
        for (std::size_t i = 0; i < l.rows.size(); ++i) {
            EXPECT_EQ(l.rows[i].top, static_cast<int>(i) * e.row);
            EXPECT_EQ(l.rows[i].height, e.row);
        }
        EXPECT_EQ(l.filler.height, 0);
        EXPECT_EQ(l.height, 8 * e.row);
        EXPECT_EQ(l.width, e.width);
    }
}

TEST(DesktopMenuLayout, RowsFollowTheTextWhereItIsTallerThanTheMinimum) {
    DesktopMenuMeasures m = EightEntries(144);
    m.textHeight = 40; // a large menu font
    EXPECT_EQ(LayOutDesktopMenu(m).rows[0].height, 40 + 15);
}

TEST(DesktopMenuLayout, AShortMenuGrowsItsRowsAndThenAFillerForTheBanner) {
    const struct {
        const char* name;
        int entries;
        int row;    // at 96 dpi: the banner needs 130 + 2 * 14 = 158
        int filler; // below the last row
    } cases[] = {
        {"ManyEntriesKeepTheirRows", 7, 24, 0},
        {"FiveEntriesGrow", 5, 32, 0},          // 158 / 5 = 31.6
        {"TwoEntriesStopAtTheMost", 2, 34, 90}, // 158 - 68
        {"NoEntriesAllFiller", 0, 0, 158},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DesktopMenuMeasures m = EightEntries(96);
        m.textWidths.resize(static_cast<std::size_t>(c.entries), 70);
        const DesktopMenuLayout l = LayOutDesktopMenu(m);
        ASSERT_EQ(l.rows.size(), static_cast<std::size_t>(c.entries));
        if (c.entries > 0) {
            EXPECT_EQ(l.rows.back().height, c.row);
        }
        EXPECT_EQ(l.filler.top, c.entries * c.row);
        EXPECT_EQ(l.filler.height, c.filler);
        EXPECT_EQ(l.height, 158 > c.entries * c.row ? 158 : c.entries * c.row);
    }
}

TEST(DesktopMenuLayout, LongNamesAreCutAtTheMostTextAndShortOnesGetTheLeast) {
    DesktopMenuMeasures m = EightEntries(144);
    m.textWidths = {5000};
    EXPECT_EQ(LayOutDesktopMenu(m).width, 39 + 45 + 12 + 540 + 36); // 360 at 96 dpi
    m.textWidths = {3};
    EXPECT_EQ(LayOutDesktopMenu(m).width, 39 + 45 + 12 + 120 + 36); // 80 at 96 dpi
}

} // namespace
} // namespace gw
