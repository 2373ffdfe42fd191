// What the program's probe concludes about the window under a press, and what it leaves for the
// scroll output: the target, the bars to drag, whether wheel messages are used.

#include "scroll/ScrollProbe.h"
#include "tests/scroll/ScrollRig.h"

#include <gtest/gtest.h>

namespace gw::test {
namespace {

constexpr std::uint32_t kVertBar = 1;    // SBS_VERT
constexpr std::uint32_t kHorzBar = 0x10; // a horizontal bar with some other style bit set
constexpr std::uint32_t kSizeBox = 8;    // SBS_SIZEBOX
constexpr std::uint32_t kUnavailable = win::kSTATE_SYSTEM_UNAVAILABLE;
constexpr std::uint32_t kInvisible = win::kSTATE_SYSTEM_INVISIBLE;

struct ProbeWorld {
    FakeWindowQueries windows;
    FakeScrollWorld world;
    ProbeResults results;
    bool Scrollable(WindowHandle w) { return ProbeScrollTarget(windows, world, w, results); }
};
struct Probe : ::testing::Test, ProbeWorld {};

// A usable own bar and a vertical bar control beside the window are never asked about.
TEST(ProbeRules, DecideByClassNameAlone) {
    const struct {
        const char* className;
        bool scrollable, wheelTarget;
        std::int32_t wheelFactor; // 5 means "kept from before"
        WheelDelivery delivery = WheelDelivery::SentSidewaysLines;
    } cases[] = {
        {"ComboLBox", false, false, 5},
        {"Internet Explorer_Server", true, true, 10},
        {"MozillaWindowClass", true, true, 30},
        {"MozillaWindowClassTwo", true, true, 30},
        {"xSALFRAMEx", true, true, 10},
        {"Chrome_RenderWidgetHostHWND", true, true, 10, WheelDelivery::SentWheels},
        {"Windows.UI.Core.CoreWindow", true, true, 10, WheelDelivery::Injected},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.className);
        ProbeWorld p;
        auto& windows = p.windows;
        const WindowHandle frame = windows.AddTopLevel("Frame");
        const WindowHandle w = windows.AddChild(frame, c.className);
        windows.SetBarState(w, win::kOBJID_VSCROLL, 0);
        windows.AddChild(frame, "ScrollBar", kVertBar);
        p.results.WheelFactor = 5;

        EXPECT_EQ(p.Scrollable(w), c.scrollable);
        EXPECT_EQ(p.results.WheelTarget, c.wheelTarget);
        EXPECT_EQ(p.results.WheelFactor, c.wheelFactor);
        EXPECT_EQ(p.results.Delivery, c.delivery);
        EXPECT_FALSE(p.results.CanScrollVert);
        EXPECT_FALSE(p.results.VertBarControl);
        EXPECT_EQ(p.results.ScrollTarget, w);
        EXPECT_EQ(windows.barQueries, 0);
    }
}

TEST_F(Probe, WheelFactorSurvivesProbesThatDoNotSetIt) {
    const WindowHandle frame = windows.AddTopLevel("Frame");
    const WindowHandle wheelPage = windows.AddChild(frame, "MozillaWindowClass");
    const WindowHandle edit = windows.AddChild(frame, "Edit");
    windows.SetBarState(edit, win::kOBJID_VSCROLL, 0);

    Scrollable(wheelPage);
    EXPECT_TRUE(Scrollable(edit));
    EXPECT_FALSE(results.WheelTarget);
    EXPECT_EQ(results.WheelFactor, 30);
}

TEST_F(Probe, RecordsTheCursorPositionAtTheProbe) {
    world.cursor = Point{-3, 1200};
    Scrollable(windows.AddTopLevel("MozillaWindowClass"));
    EXPECT_EQ(results.ProbePoint, (Point{-3, 1200}));
}

// A top-level window (no sibling scan to help) counts its own bars only when visible and enabled.
TEST(ProbeRules, OwnBarsCountOnlyWhenVisibleAndEnabled) {
    const struct {
        std::optional<std::uint32_t> horz, vert; // nullopt: GetScrollBarInfo fails
        bool scrollable, canVert, canHorz;
    } cases[] = {
        {kInvisible, 0u, true, true, false},
        {0u, std::nullopt, true, false, true},
        {0u, 0u, true, true, true},
        {kInvisible, kUnavailable, false, false, false},
        {std::nullopt, kInvisible, false, false, false},
        {std::nullopt, std::nullopt, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "horz " << c.horz.value_or(99) << " vert " << c.vert.value_or(99));
        ProbeWorld p;
        auto& windows = p.windows;
        const WindowHandle w = windows.AddTopLevel("Edit");
        if (c.horz) {
            windows.SetBarState(w, win::kOBJID_HSCROLL, *c.horz);
        }
        if (c.vert) {
            windows.SetBarState(w, win::kOBJID_VSCROLL, *c.vert);
        }
        EXPECT_EQ(p.Scrollable(w), c.scrollable);
        EXPECT_EQ(p.results.CanScrollVert, c.canVert);
        EXPECT_EQ(p.results.CanScrollHorz, c.canHorz);
        EXPECT_EQ(p.results.ScrollTarget, w);
        EXPECT_FALSE(p.results.WheelTarget);
    }
}

TEST_F(Probe, OwnBarFlagsKeepVisibleAndEnabledApart) {
    const WindowHandle w = windows.AddTopLevel("Edit");
    windows.SetBarState(w, win::kOBJID_VSCROLL, kUnavailable);
    windows.SetBarState(w, win::kOBJID_HSCROLL, kInvisible);
    Scrollable(w);
    EXPECT_TRUE(results.VertBarVisible);
    EXPECT_FALSE(results.VertBarEnabled);
    EXPECT_FALSE(results.HorzBarVisible);
    EXPECT_TRUE(results.HorzBarEnabled);
}

TEST_F(Probe, VerticalSiblingControlMovesTheTargetToItsParent) {
    const WindowHandle frame = windows.AddTopLevel("Frame");
    const WindowHandle view = windows.AddChild(frame, "View");
    const WindowHandle panel = windows.AddChild(frame, "Panel");
    const WindowHandle bar = windows.AddChild(panel, "ScrollBar", kVertBar);

    EXPECT_TRUE(Scrollable(view));
    EXPECT_TRUE(results.CanScrollVert);
    EXPECT_FALSE(results.CanScrollHorz);
    EXPECT_EQ(results.VertBarControl, bar);
    EXPECT_EQ(results.ScrollTarget, panel);
}

TEST_F(Probe, HorizontalControlAloneLeavesTheTargetWhereItIs) {
    const WindowHandle frame = windows.AddTopLevel("Frame");
    const WindowHandle view = windows.AddChild(frame, "View");
    const WindowHandle bar = windows.AddChild(frame, "ScrollBar", kHorzBar);

    EXPECT_TRUE(Scrollable(view));
    EXPECT_EQ(results.HorzBarControl, bar);
    EXPECT_FALSE(results.VertBarControl);
    EXPECT_EQ(results.ScrollTarget, view);
}

TEST(ProbeRules, SiblingControlsCountByNameAndStyle) {
    const struct {
        const char* siblingClass;
        std::uint32_t style;
        bool scrollable;
    } cases[] = {
        {"ScrollBar", kVertBar, true},    {"Bar", kVertBar, true}, // a piece of the name will do
        {"TScrollBarX", kVertBar, false}, {"ScrollBar", kSizeBox, false}, {"ScrollBar", 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.siblingClass << " " << c.style);
        ProbeWorld p;
        auto& windows = p.windows;
        const WindowHandle frame = windows.AddTopLevel("Frame");
        const WindowHandle view = windows.AddChild(frame, "View");
        windows.AddChild(frame, c.siblingClass, c.style);
        EXPECT_EQ(p.Scrollable(view), c.scrollable);
    }
}

TEST_F(Probe, LongerScrollBarNameIsNoBarButItsChildrenAreSearched) {
    const WindowHandle frame = windows.AddTopLevel("Frame");
    const WindowHandle view = windows.AddChild(frame, "View");
    const WindowHandle host = windows.AddChild(frame, "TScrollBarHost", kVertBar);
    const WindowHandle bar = windows.AddChild(host, "ScrollBar", kVertBar);
    EXPECT_TRUE(Scrollable(view));
    EXPECT_EQ(results.VertBarControl, bar);
    EXPECT_EQ(results.ScrollTarget, host);
}

TEST_F(Probe, TopLevelWindowWithoutBarsIsNotScrollable) {
    const WindowHandle w = windows.AddTopLevel("View");
    windows.AddTopLevel("ScrollBar", kVertBar);
    EXPECT_FALSE(Scrollable(w));
}

TEST_F(Probe, WwBParentMarksAWheelTargetAndTheScanGoesOn) {
    const WindowHandle frame = windows.AddTopLevel("_WwB");
    const WindowHandle page = windows.AddChild(frame, "_WwG");
    results.WheelFactor = 10;

    EXPECT_FALSE(Scrollable(page)); // no bar found: no gesture
    EXPECT_TRUE(results.WheelTarget);

    const WindowHandle bar = windows.AddChild(frame, "ScrollBar", kVertBar);
    EXPECT_TRUE(Scrollable(page));
    EXPECT_TRUE(results.WheelTarget);
    EXPECT_EQ(results.VertBarControl, bar);
    EXPECT_EQ(results.WheelFactor, 10);
}

TEST_F(Probe, EveryProbeStartsFromNothing) {
    const WindowHandle frame = windows.AddTopLevel("_WwB");
    const WindowHandle page = windows.AddChild(frame, "_WwG");
    windows.AddChild(frame, "ScrollBar", kVertBar);
    const WindowHandle lonely = windows.AddTopLevel("View");
    Scrollable(windows.AddTopLevel("Windows.UI.Core.CoreWindow"));
    Scrollable(page);
    EXPECT_EQ(results.Delivery, WheelDelivery::SentSidewaysLines); // the pane keeps the older way

    EXPECT_FALSE(Scrollable(lonely));
    EXPECT_FALSE(results.WheelTarget);
    EXPECT_FALSE(results.CanScrollVert);
    EXPECT_FALSE(results.VertBarControl);
    EXPECT_EQ(results.ScrollTarget, lonely);
}

TEST_F(Probe, VanishedWindowIsNotScrollable) {
    const WindowHandle frame = windows.AddTopLevel("Frame");
    const WindowHandle view = windows.AddChild(frame, "MozillaWindowClass");
    windows.Destroy(view);
    EXPECT_FALSE(Scrollable(view));
    EXPECT_FALSE(Scrollable(WindowHandle{}));
}

} // namespace
} // namespace gw::test
