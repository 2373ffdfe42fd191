#pragma once
// Where everything of the PopDesk menu goes at the density of the monitor it opens on: the banner
// down its left side, the tinted gutter behind the pictures, the rows and their text. Every size is
// given for 96 dpi and scaled; the fonts are measured at the density by the caller, so the rows fit
// the text the system draws there.

#include <cstddef>
#include <vector>

namespace gw {

// What the fonts measure at the menu's density.
struct DesktopMenuMeasures {
    int dpi = 96;
    int textHeight = 0;          // the item font's line height
    std::vector<int> textWidths; // each row's caption, entries first
    int bannerCaptionLength = 0; // the banner caption along the banner (it reads upwards)
};

struct DesktopMenuRow {
    int top = 0; // from the menu's first row
    int height = 0;
};

struct DesktopMenuLayout {
    int bannerWidth = 0;
    int gutterWidth = 0; // the tinted strip behind the pictures
    int iconSize = 0;    // the pictures' size (the small-icon size at the density)
    int textGap = 0;     // between the gutter and the text
    int rightPadding = 0;
    int bannerMargin = 0;             // between the banner caption and the menu's ends
    int line = 0;                     // the width of a drawn line (the highlight's frame, the gutter's edge)
    std::vector<DesktopMenuRow> rows; // one per measured caption
    // A row below the others that only makes room for the banner caption (0 high when none is needed).
    DesktopMenuRow filler;
    int width = 0; // banner included
    int height = 0;
};

// A short menu gets taller rows (up to a limit) so the banner caption fits beside them, and a very
// short one a filler below; captions wider than the limit end in an ellipsis where they are drawn.
DesktopMenuLayout LayOutDesktopMenu(const DesktopMenuMeasures& measures);

} // namespace gw
