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

struct ClassCase {
    const char* className;
    bool scrollable;
    bool wheelTarget;
    std::int32_t wheelFactor; // 5 means "kept from before"
    WheelDelivery delivery = WheelDelivery::SentSidewaysLines;
};

class ClassRules : public ::testing::TestWithParam<ClassCase> {};

TEST_P(ClassRules, DecideByClassNameAlone) {
    const ClassCase& c = GetParam();
    FakeWindowQueries windows;
    FakeScrollWorld world;
    const WindowHandle frame = windows.AddTopLevel("Frame");
    const WindowHandle w = windows.AddChild(frame, c.className);
    windows.SetBarState(w, win::kOBJID_VSCROLL, 0); // a usable bar that the class rule never asks about
    windows.AddChild(frame, "ScrollBar", kVertBar);
    ProbeResults results;
    results.WheelFactor = 5;

    EXPECT_EQ(ProbeScrollTarget(windows, world, w, results), c.scrollable);
    EXPECT_EQ(results.WheelTarget, c.wheelTarget);
    EXPECT_EQ(results.WheelFactor, c.wheelFactor);
    EXPECT_EQ(results.Delivery, c.delivery);
    EXPECT_FALSE(results.CanScrollVert);
    EXPECT_FALSE(results.VertBarControl);
    EXPECT_EQ(results.ScrollTarget, w);
    EXPECT_EQ(windows.barQueries, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Probe, ClassRules,
    ::testing::Values(ClassCase{"ComboLBox", false, false, 5},
                      ClassCase{"Internet Explorer_Server", true, true, 10},
                      ClassCase{"MozillaWindowClass", true, true, 30},
                      ClassCase{"MozillaWindowClassTwo", true, true, 30},
                      ClassCase{"xSALFRAMEx", true, true, 10},
                      ClassCase{"Chrome_RenderWidgetHostHWND", true, true, 10, WheelDelivery::SentWheels},
                      ClassCase{"Windows.UI.Core.CoreWindow", true, true, 10, WheelDelivery::Injected}));

TEST(Probe, WheelFactorSurvivesProbesThatDoNotSetIt) {
    FakeWindowQueries windows;
    FakeScrollWorld world;
    const WindowHandle frame = windows.AddTopLevel("Frame");
    const WindowHandle wheelPage = windows.AddChild(frame, "MozillaWindowClass");
    const WindowHandle edit = windows.AddChild(frame, "Edit");
    windows.SetBarState(edit, win::kOBJID_VSCROLL, 0);
    ProbeResults results;

    ProbeScrollTarget(windows, world, wheelPage, results);
    EXPECT_TRUE(ProbeScrollTarget(windows, world, edit, results));
    EXPECT_FALSE(results.WheelTarget);
    EXPECT_EQ(results.WheelFactor, 30);
}

TEST(Probe, RecordsTheCursorPositionAtTheProbe) {
    FakeWindowQueries windows;
    FakeScrollWorld world;
    world.cursor = Point{-3, 1200};
    ProbeResults results;
    ProbeScrollTarget(windows, world, windows.AddTopLevel("MozillaWindowClass"), results);
    EXPECT_EQ(results.ProbePoint, (Point{-3, 1200}));
}

struct OwnBarCase {
    const char* name;
    std::optional<std::uint32_t> horz; // nullopt: GetScrollBarInfo fails
    std::optional<std::uint32_t> vert;
    bool scrollable;
    bool canVert;
    bool canHorz;
};

class OwnBars : public ::testing::TestWithParam<OwnBarCase> {};

TEST_P(OwnBars, CountOnlyWhenVisibleAndEnabled) {
    const OwnBarCase& c = GetParam();
    FakeWindowQueries windows;
    FakeScrollWorld world;
    const WindowHandle w = windows.AddTopLevel("Edit"); // top level: no sibling scan to help
    if (c.horz) {
        windows.SetBarState(w, win::kOBJID_HSCROLL, *c.horz);
    }
    if (c.vert) {
        windows.SetBarState(w, win::kOBJID_VSCROLL, *c.vert);
    }
    ProbeResults results;
    EXPECT_EQ(ProbeScrollTarget(windows, world, w, results), c.scrollable);
    EXPECT_EQ(results.CanScrollVert, c.canVert);
    EXPECT_EQ(results.CanScrollHorz, c.canHorz);
    EXPECT_EQ(results.ScrollTarget, w);
    EXPECT_FALSE(results.WheelTarget);
}

INSTANTIATE_TEST_SUITE_P(
    Probe, OwnBars,
    ::testing::Values(OwnBarCase{"VerticalUsable", kInvisible, 0u, true, true, false},
                      OwnBarCase{"HorizontalUsable", 0u, std::nullopt, true, false, true},
                      OwnBarCase{"BothUsable", 0u, 0u, true, true, true},
                      OwnBarCase{"VerticalDisabled", kInvisible, kUnavailable, false, false, false},
                      OwnBarCase{"VerticalHidden", std::nullopt, kInvisible, false, false, false},
                      OwnBarCase{"NoBarsAnswer", std::nullopt, std::nullopt, false, false, false}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Probe, OwnBarFlagsKeepVisibleAndEnabledApart) {
    FakeWindowQueries windows;
    FakeScrollWorld world;
    const WindowHandle w = windows.AddTopLevel("Edit");
    windows.SetBarState(w, win::kOBJID_VSCROLL, kUnavailable);
    windows.SetBarState(w, win::kOBJID_HSCROLL, kInvisible);
    ProbeResults results;
    ProbeScrollTarget(windows, world, w, results);
    EXPECT_TRUE(results.VertBarVisible);
    EXPECT_FALSE(results.VertBarEnabled);
    EXPECT_FALSE(results.HorzBarVisible);
    EXPECT_TRUE(results.HorzBarEnabled);
}

TEST(Probe, VerticalSiblingControlMovesTheTargetToItsParent) {
    FakeWindowQueries windows;
    FakeScrollWorld world;
    const WindowHandle frame = windows.AddTopLevel("Frame");
    const WindowHandle view = windows.AddChild(frame, "View");
    const WindowHandle panel = windows.AddChild(frame, "Panel");
    const WindowHandle bar = windows.AddChild(panel, "ScrollBar", kVertBar);
    ProbeResults results;

    EXPECT_TRUE(ProbeScrollTarget(windows, world, view, results));
    EXPECT_TRUE(results.CanScrollVert);
    EXPECT_FALSE(results.CanScrollHorz);
    EXPECT_EQ(results.VertBarControl, bar);
    EXPECT_EQ(results.ScrollTarget, panel);
}

TEST(Probe, HorizontalControlAloneLeavesTheTargetWhereItIs) {
    FakeWindowQueries windows;
    FakeScrollWorld world;
    const WindowHandle frame = windows.AddTopLevel("Frame");
    const WindowHandle view = windows.AddChild(frame, "View");
    const WindowHandle bar = windows.AddChild(frame, "ScrollBar", kHorzBar);
    ProbeResults results;

    EXPECT_TRUE(ProbeScrollTarget(windows, world, view, results));
    EXPECT_EQ(results.HorzBarControl, bar);
    EXPECT_FALSE(results.VertBarControl);
    EXPECT_EQ(results.ScrollTarget, view);
}

struct SiblingCase {
    const char* name;
    const char* siblingClass;
    std::uint32_t style;
    bool scrollable;
};

class SiblingControls : public ::testing::TestWithParam<SiblingCase> {};

TEST_P(SiblingControls, CountByNameAndStyle) {
    const SiblingCase& c = GetParam();
    FakeWindowQueries windows;
    FakeScrollWorld world;
    const WindowHandle frame = windows.AddTopLevel("Frame");
    const WindowHandle view = windows.AddChild(frame, "View");
    windows.AddChild(frame, c.siblingClass, c.style);
    ProbeResults results;
    EXPECT_EQ(ProbeScrollTarget(windows, world, view, results), c.scrollable);
}

INSTANTIATE_TEST_SUITE_P(Probe, SiblingControls,
                         ::testing::Values(SiblingCase{"ScrollBarVertical", "ScrollBar", kVertBar, true},
                                           SiblingCase{"PieceOfTheName", "Bar", kVertBar, true},
                                           SiblingCase{"LongerName", "TScrollBarX", kVertBar, false},
                                           SiblingCase{"SizeBox", "ScrollBar", kSizeBox, false},
                                           SiblingCase{"StyleZero", "ScrollBar", 0, false}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(Probe, LongerScrollBarNameIsNoBarButItsChildrenAreSearched) {
    FakeWindowQueries windows;
    FakeScrollWorld world;
    const WindowHandle frame = windows.AddTopLevel("Frame");
    const WindowHandle view = windows.AddChild(frame, "View");
    const WindowHandle host = windows.AddChild(frame, "TScrollBarHost", kVertBar);
    const WindowHandle bar = windows.AddChild(host, "ScrollBar", kVertBar);
    ProbeResults results;
    EXPECT_TRUE(ProbeScrollTarget(windows, world, view, results));
    EXPECT_EQ(results.VertBarControl, bar);
    EXPECT_EQ(results.ScrollTarget, host);
}

TEST(Probe, TopLevelWindowWithoutBarsIsNotScrollable) {
    FakeWindowQueries windows;
    FakeScrollWorld world;
    const WindowHandle w = windows.AddTopLevel("View");
    windows.AddTopLevel("ScrollBar", kVertBar);
    ProbeResults results;
    EXPECT_FALSE(ProbeScrollTarget(windows, world, w, results));
}

TEST(Probe, WwBParentMarksAWheelTargetAndTheScanGoesOn) {
    FakeWindowQueries windows;
    FakeScrollWorld world;
    const WindowHandle frame = windows.AddTopLevel("_WwB");
    const WindowHandle page = windows.AddChild(frame, "_WwG");
    ProbeResults results;
    results.WheelFactor = 10;

    EXPECT_FALSE(ProbeScrollTarget(windows, world, page, results)); // no bar found: no gesture
    EXPECT_TRUE(results.WheelTarget);

    const WindowHandle bar = windows.AddChild(frame, "ScrollBar", kVertBar);
    EXPECT_TRUE(ProbeScrollTarget(windows, world, page, results));
    EXPECT_TRUE(results.WheelTarget);
    EXPECT_EQ(results.VertBarControl, bar);
    EXPECT_EQ(results.WheelFactor, 10);
}

TEST(Probe, EveryProbeStartsFromNothing) {
    FakeWindowQueries windows;
    FakeScrollWorld world;
    const WindowHandle frame = windows.AddTopLevel("_WwB");
    const WindowHandle page = windows.AddChild(frame, "_WwG");
    windows.AddChild(frame, "ScrollBar", kVertBar);
    const WindowHandle lonely = windows.AddTopLevel("View");
    ProbeResults results;
    ProbeScrollTarget(windows, world, windows.AddTopLevel("Windows.UI.Core.CoreWindow"), results);
    ProbeScrollTarget(windows, world, page, results);
    EXPECT_EQ(results.Delivery, WheelDelivery::SentSidewaysLines); // the pane keeps the older way

    EXPECT_FALSE(ProbeScrollTarget(windows, world, lonely, results));
    EXPECT_FALSE(results.WheelTarget);
    EXPECT_FALSE(results.CanScrollVert);
    EXPECT_FALSE(results.VertBarControl);
    EXPECT_EQ(results.ScrollTarget, lonely);
}

TEST(Probe, VanishedWindowIsNotScrollable) {
    FakeWindowQueries windows;
    FakeScrollWorld world;
    const WindowHandle frame = windows.AddTopLevel("Frame");
    const WindowHandle view = windows.AddChild(frame, "MozillaWindowClass");
    windows.Destroy(view);
    ProbeResults results;
    EXPECT_FALSE(ProbeScrollTarget(windows, world, view, results));
    EXPECT_FALSE(ProbeScrollTarget(windows, world, WindowHandle{}, results));
}

} // namespace
} // namespace gw::test
