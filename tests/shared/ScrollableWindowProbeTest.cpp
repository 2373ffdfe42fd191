// The shared probe: the class-name rules, the window's own bars, and the one point where the hook
// library and the program part, the "_WwB" parent. The walk has its own tests (ScrollBarWalkTest);
// what each deliverable makes of the findings is tested with it (tests/hooks, tests/scroll).

#include "shared/ScrollableWindowProbe.h"

#include "tests/shared/FakeWindowQueries.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

namespace gw {
namespace {

using test::FakeWindowQueries;

TEST(ScrollClassRules, TheFirstRuleInTableOrderDecides) {
    struct Case {
        const char* name;
        const char* rule; // null: no rule applies
        bool scrollable;
        std::int32_t wheelFactor;
        WheelDelivery delivery = WheelDelivery::SentSidewaysLines;
    };
    constexpr auto kWheels = WheelDelivery::SentWheels;
    const Case cases[] = {
        {"ComboLBox", "ComboLBox", false, 0},
        {"MozillaWindowClassComboLBox", "ComboLBox", false,
         0}, // rejected although it also names a wheel target
        {"Internet Explorer_Server", "Internet Explorer_Server", true, 10},
        {"SALFRAME MozillaWindowClass", "MozillaWindowClass", true, 30},
        {"xSALFRAMEx", "SALFRAME", true, 10},
        {"Internet Explorer_ServerComboLBox", "ComboLBox", false,
         0}, // an earlier rule found later still wins
        {"MozillaWindowClass SALFRAME", "MozillaWindowClass", true, 30}, // and a later rule found later loses
        {"MozillaWindowClasSALFRAME", "SALFRAME", true, 10},             // a near miss, then a match
        {"ComboLBoComboLBox", "ComboLBox", false, 0},                    // a false start hides no later match
        {"Chrome_RenderWidgetHostHWND", "Chrome_RenderWidgetHostHWND", true, 10, kWheels},
        {"HwndWrapper[App;;0c4f1e2a-77d1]", "HwndWrapper[", true, 10, WheelDelivery::SentWholeNotches},
        {"Qt5QWindowIcon", "QWindowIcon", true, 10, kWheels},
        {"Qt6QWindowIcon", "QWindowIcon", true, 10, kWheels},
        {"Qt5152QWindowIcon", "QWindowIcon", true, 10, kWheels},
        {"Windows.UI.Core.CoreWindow", "Windows.UI.Core.CoreWindow", true, 10, WheelDelivery::Injected},
        {"Chrome_RenderWidgetHostHWND ComboLBox", "ComboLBox", false, 0}, // the combo list still wins
        {"HwndWrapper", nullptr, false, 0},                               // not WPF's: no bracket
        {"Qt5QWindowPopupDropShadowSaveBits", nullptr, false, 0},         // a Qt menu
        {"Chrome_WidgetWin_1", nullptr, false, 0},                        // the browser's frame
        {"ApplicationFrameWindow", nullptr, false, 0},                    // the frame around a CoreWindow
        {"salframe", nullptr, false, 0},
        {"Edit", nullptr, false, 0},
        {"", nullptr, false, 0},
    };
    for (const Case& c : cases) {
        const ScrollClassRule* rule = MatchScrollClassRule(c.name);
        if (c.rule == nullptr) {
            EXPECT_EQ(rule, nullptr) << c.name;
            continue;
        }
        ASSERT_NE(rule, nullptr) << c.name;
        EXPECT_STREQ(rule->part, c.rule);
        EXPECT_EQ(rule->scrollable, c.scrollable) << c.name;
        EXPECT_EQ(rule->wheelFactor, c.wheelFactor) << c.name;
        EXPECT_EQ(rule->delivery, c.delivery) << c.name;
    }
    EXPECT_EQ(MatchScrollClassRule(nullptr), nullptr);
}

// A press over any wheel family is swallowed by the hook and starts the program's gesture, whether
// the family's window is a top-level window (WPF, Qt) or a child (Chromium, UWP).
TEST(ScrollClassRules, HookAndProgramBothTakeEveryWheelFamily) {
    for (const ScrollClassRule& rule : kScrollClassRules) {
        if (!rule.scrollable) {
            continue;
        }
        const std::string name = std::string("x") + rule.part + "1";
        for (const bool child : {false, true}) {
            FakeWindowQueries windows;
            const WindowHandle window =
                child ? windows.AddChild(windows.AddTopLevel("Frame"), name) : windows.AddTopLevel(name);
            EXPECT_TRUE(ProbeScrollableWindow(windows, window, WheelParentRule::AcceptAtOnce).Scrollable)
                << name;
            const ScrollableWindowFindings program =
                ProbeScrollableWindow(windows, window, WheelParentRule::MarkAndWalkOn);
            EXPECT_TRUE(program.Scrollable && program.WheelTarget && !program.Any()) << name;
            EXPECT_EQ(windows.barQueries, 0) << name;
        }
    }
}

TEST(ReadOwnBar, EnabledAndVisibleComeFromTheirOwnBitsAndAFailedQueryGivesNeither) {
    struct Case {
        std::optional<std::uint32_t> state; // nullopt: GetScrollBarInfo fails
        bool enabled;
        bool visible;
    };
    const Case cases[] = {
        {0u, true, true},
        {win::kSTATE_SYSTEM_UNAVAILABLE, false, true},
        {win::kSTATE_SYSTEM_INVISIBLE, true, false},
        {win::kSTATE_SYSTEM_UNAVAILABLE | win::kSTATE_SYSTEM_INVISIBLE, false, false},
        {0x10u /* pressed */ | 0x40u /* offscreen */, true, true},
        {std::nullopt, false, false},
    };
    for (const Case& c : cases) {
        FakeWindowQueries windows;
        const WindowHandle window = windows.AddTopLevel("Edit");
        if (c.state) {
            windows.SetBarState(window, win::kOBJID_VSCROLL, *c.state);
        }
        const OwnBarState bar = ReadOwnBar(windows, window, win::kOBJID_VSCROLL);
        EXPECT_EQ(bar.Enabled, c.enabled) << std::hex << c.state.value_or(0xDEAD);
        EXPECT_EQ(bar.Visible, c.visible) << std::hex << c.state.value_or(0xDEAD);
        EXPECT_EQ(bar.Usable(), c.enabled && c.visible);
        EXPECT_FALSE(ReadOwnBar(windows, window, win::kOBJID_HSCROLL).Usable()); // that bar is not there
    }
}

// The hook library swallows a press when the probe says yes under WheelParentRule::AcceptAtOnce;
// the program starts a gesture when it says yes under MarkAndWalkOn. Where the two disagree a
// swallowed press is lost, so they part only under a "_WwB" parent without bars.
constexpr std::uint32_t kUsable = 0;
constexpr std::uint32_t kVertBar = 1; // SBS_VERT
constexpr std::uint32_t kSizeBox = 8; // SBS_SIZEBOX

struct Scene {
    const char* name;
    // Builds the desktop and answers the window under the press.
    std::function<WindowHandle(FakeWindowQueries&)> build;
    bool acceptAtOnce;  // the verdict for the hook library
    bool markAndWalkOn; // the verdict for the program
};

class WheelParent : public ::testing::TestWithParam<Scene> {};

TEST_P(WheelParent, MattersOnlyUnderAWwBParentWithoutBars) {
    const Scene& scene = GetParam();
    FakeWindowQueries windows;
    const WindowHandle window = scene.build(windows);
    EXPECT_EQ(ProbeScrollableWindow(windows, window, WheelParentRule::AcceptAtOnce).Scrollable,
              scene.acceptAtOnce);
    EXPECT_EQ(ProbeScrollableWindow(windows, window, WheelParentRule::MarkAndWalkOn).Scrollable,
              scene.markAndWalkOn);
}

WindowHandle ChildOf(FakeWindowQueries& w, const char* parentClass, const char* className) {
    return w.AddChild(w.AddTopLevel(parentClass), className);
}

INSTANTIATE_TEST_SUITE_P(
    Probe, WheelParent,
    ::testing::Values(Scene{"OwnVerticalBar",
                            [](FakeWindowQueries& w) {
                                const WindowHandle edit = w.AddTopLevel("Edit");
                                w.SetBarState(edit, win::kOBJID_VSCROLL, kUsable);
                                return edit;
                            },
                            true, true},
                      Scene{"OwnBarDisabled",
                            [](FakeWindowQueries& w) {
                                const WindowHandle edit = w.AddTopLevel("Edit");
                                w.SetBarState(edit, win::kOBJID_VSCROLL, win::kSTATE_SYSTEM_UNAVAILABLE);
                                return edit;
                            },
                            false, false},
                      Scene{"ComboListWithABar",
                            [](FakeWindowQueries& w) {
                                const WindowHandle list = ChildOf(w, "Frame", "ComboLBox");
                                w.SetBarState(list, win::kOBJID_VSCROLL, kUsable);
                                return list;
                            },
                            false, false},
                      Scene{"WheelTargetClass",
                            [](FakeWindowQueries& w) { return ChildOf(w, "Frame", "xSALFRAME"); }, true,
                            true},
                      Scene{"SiblingBar",
                            [](FakeWindowQueries& w) {
                                const WindowHandle view = ChildOf(w, "Frame", "View");
                                w.AddChild(w.Parent(view), "ScrollBar", kVertBar);
                                return view;
                            },
                            true, true},
                      Scene{"SiblingSizeBox",
                            [](FakeWindowQueries& w) {
                                const WindowHandle view = ChildOf(w, "Frame", "View");
                                w.AddChild(w.Parent(view), "ScrollBar", kSizeBox);
                                return view;
                            },
                            false, false},
                      Scene{"BarInsideALongerNamedSibling",
                            [](FakeWindowQueries& w) {
                                const WindowHandle view = ChildOf(w, "Frame", "View");
                                w.AddChild(w.AddChild(w.Parent(view), "MyScrollBarEx"), "ScrollBar",
                                           kVertBar);
                                return view;
                            },
                            true, true},
                      Scene{"TopLevelBesideABar",
                            [](FakeWindowQueries& w) {
                                w.AddTopLevel("ScrollBar", kVertBar);
                                return w.AddTopLevel("View");
                            },
                            false, false},
                      // The one place where they part: the hook swallows, the program finds nothing to drag.
                      Scene{"WwBParentWithoutBars",
                            [](FakeWindowQueries& w) { return ChildOf(w, "_WwB", "_WwG"); }, true, false},
                      Scene{"WwBParentWithABar",
                            [](FakeWindowQueries& w) {
                                const WindowHandle page = ChildOf(w, "_WwB", "_WwG");
                                w.AddChild(w.Parent(page), "ScrollBar", kVertBar);
                                return page;
                            },
                            true, true},
                      Scene{"GoneWindow",
                            [](FakeWindowQueries& w) {
                                const WindowHandle view = ChildOf(w, "Frame", "MozillaWindowClass");
                                w.Destroy(view);
                                return view;
                            },
                            false, false}),
    [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace gw
