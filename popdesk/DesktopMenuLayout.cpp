#include "popdesk/DesktopMenuLayout.h"

#include "ui/Dpi.h"

#include <algorithm>

namespace gw {

namespace {

// At 96 dpi.
constexpr int kBannerWidth = 26;
constexpr int kGutterWidth = 30;
constexpr int kIconSize = 16;
constexpr int kTextGap = 8;
constexpr int kRightPadding = 24;
constexpr int kRowSpace = 10; // a row's height beyond its text
constexpr int kMinRowHeight = 24;
constexpr int kMaxRowHeight = 34; // rows grow up to this to give a short menu room for the banner
constexpr int kMinTextWidth = 80;
constexpr int kMaxTextWidth = 360; // longer names end in an ellipsis
constexpr int kBannerMargin = 14;

} // namespace

DesktopMenuLayout LayOutDesktopMenu(const DesktopMenuMeasures& measures) {
    const int dpi = measures.dpi;
    DesktopMenuLayout layout;
    layout.bannerWidth = ScaleForDpi(kBannerWidth, dpi);
    layout.gutterWidth = ScaleForDpi(kGutterWidth, dpi);
    layout.iconSize = ScaleForDpi(kIconSize, dpi);
    layout.textGap = ScaleForDpi(kTextGap, dpi);
    layout.rightPadding = ScaleForDpi(kRightPadding, dpi);
    layout.bannerMargin = ScaleForDpi(kBannerMargin, dpi);
    layout.line = std::max(1, ScaleForDpi(1, dpi));

    int textWidth = ScaleForDpi(kMinTextWidth, dpi);
    for (int width : measures.textWidths) {
        textWidth = std::max(textWidth, std::min(width, ScaleForDpi(kMaxTextWidth, dpi)));
    }

    const int count = static_cast<int>(measures.textWidths.size());
    const int needed = measures.bannerCaptionLength + 2 * layout.bannerMargin;
    int rowHeight =
        std::max(ScaleForDpi(kMinRowHeight, dpi), measures.textHeight + ScaleForDpi(kRowSpace, dpi));
    if (count > 0) {
        rowHeight =
            std::max(rowHeight, std::min(ScaleForDpi(kMaxRowHeight, dpi), (needed + count - 1) / count));
    }
    int top = 0;
    for (int i = 0; i < count; ++i) {
        layout.rows.push_back({top, rowHeight});
        top += rowHeight;
    }
    layout.filler = {top, std::max(0, needed - top)};
    layout.height = top + layout.filler.height;
    layout.width = layout.bannerWidth + layout.gutterWidth + layout.textGap + textWidth + layout.rightPadding;
    return layout;
}

} // namespace gw
