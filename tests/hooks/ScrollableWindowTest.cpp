#include "hooks/ScrollableWindow.h"

#include "shared/Win32Values.h"
#include "tests/shared/FakeWindowQueries.h"

#include <gtest/gtest.h>

#include <optional>

namespace gw {
namespace {

using test::FakeWindowQueries;

constexpr std::uint32_t kChildVisible = 0x50000000;
constexpr std::uint32_t kUsable = 0;
constexpr std::uint32_t kDisabled = win::kSTATE_SYSTEM_UNAVAILABLE;
constexpr std::uint32_t kHidden = win::kSTATE_SYSTEM_INVISIBLE;

TEST(IsScrollableWindow, ClassNameRulesDecideBeforeAnyBarIsLookedAt) {
    struct Case {
        const char* className;
        bool scrollable;
    };
    const Case cases[] = {
        {"ComboLBox", false},
        {"WindowsForms10.ComboLBox.app", false},
        {"Internet Explorer_Server", true},
        {"Shell Embedding Internet Explorer_Server 2", true},
        {"MozillaWindowClass", true},
        {"MozillaWindowClassChild", true},
        {"xSALFRAMEx", true},
        {"SALFRAME", true},
    };
    for (const Case& c : cases) {
        FakeWindowQueries windows;
        const WindowHandle parent = windows.AddTopLevel("Frame");
        const WindowHandle window = windows.AddChild(parent, c.className);
        // Usable bars and a vertical sibling bar must not change the verdict of a name rule.
        windows.SetBarState(window, win::kOBJID_VSCROLL, kUsable);
        windows.AddChild(parent, "ScrollBar", kChildVisible | 1);
        EXPECT_EQ(IsScrollableWindow(windows, window), c.scrollable) << c.className;
        EXPECT_EQ(windows.barQueries, 0) << c.className;
    }
}

TEST(IsScrollableWindow, NameRulesAreCaseSensitive) {
    FakeWindowQueries windows;
    const WindowHandle lower = windows.AddTopLevel("mozillawindowclass");
    EXPECT_FALSE(IsScrollableWindow(windows, lower));
    const WindowHandle combo = windows.AddTopLevel("combolbox");
    windows.SetBarState(combo, win::kOBJID_VSCROLL, kUsable);
    EXPECT_TRUE(IsScrollableWindow(windows, combo));
}

TEST(IsScrollableWindow, OwnBarsCountOnlyWhenEnabledAndShown) {
    struct Case {
        std::optional<std::uint32_t> horz; // nullopt: GetScrollBarInfo fails
        std::optional<std::uint32_t> vert;
        bool scrollable;
    };
    const Case cases[] = {
        {std::nullopt, kUsable, true},
        {kUsable, std::nullopt, true},
        {std::nullopt, std::nullopt, false},
        {std::nullopt, kDisabled, false},
        {std::nullopt, kHidden, false},
        {kDisabled | kHidden, kDisabled | kHidden, false},
        {kHidden, kDisabled, false},
        {kDisabled, kUsable, true},
        {std::nullopt, 0x10 /* pressed: other bits do not matter */, true},
        {0x40 /* STATE_SYSTEM_OFFSCREEN */, std::nullopt, true},
    };
    for (const Case& c : cases) {
        FakeWindowQueries windows;
        const WindowHandle window = windows.AddTopLevel("Edit"); // top-level: no sibling walk to help
        if (c.horz) {
            windows.SetBarState(window, win::kOBJID_HSCROLL, *c.horz);
        }
        if (c.vert) {
            windows.SetBarState(window, win::kOBJID_VSCROLL, *c.vert);
        }
        EXPECT_EQ(IsScrollableWindow(windows, window), c.scrollable)
            << "horz " << c.horz.value_or(0xDEAD) << " vert " << c.vert.value_or(0xDEAD);
    }
}

TEST(IsScrollableWindow, ATopLevelWindowWithoutUsableBarsIsNotWalked) {
    FakeWindowQueries windows;
    const WindowHandle window = windows.AddTopLevel("Edit");
    windows.SetBarState(window, win::kOBJID_VSCROLL, kDisabled);
    windows.AddTopLevel("ScrollBar", kChildVisible | 1); // a top-level sibling bar
    windows.AddChild(window, "ScrollBar", kChildVisible | 1);
    EXPECT_FALSE(IsScrollableWindow(windows, window));
    EXPECT_EQ(windows.relativeQueries, 0);
}

TEST(IsScrollableWindow, AChildOfAWwBWindowIsScrollable) {
    struct Case {
        const char* parentClass;
        bool scrollable;
    };
    const Case cases[] = {{"_WwB", true}, {"_WwBx", true}, {"x_WwB", true}, {"_wwb", false}, {"_Ww", false}};
    for (const Case& c : cases) {
        FakeWindowQueries windows;
        const WindowHandle parent = windows.AddTopLevel(c.parentClass);
        const WindowHandle window = windows.AddChild(parent, "_WwG");
        EXPECT_EQ(IsScrollableWindow(windows, window), c.scrollable) << c.parentClass;
    }
}

TEST(IsScrollableWindow, SiblingControlsMakeAChildScrollable) {
    struct Case {
        const char* siblingClass;
        std::uint32_t siblingStyle;
        bool scrollable;
    };
    const Case cases[] = {
        {"ScrollBar", kChildVisible | 1, true},  // SBS_VERT
        {"ScrollBar", kChildVisible, true},      // SBS_HORZ
        {"ScrollBar", kChildVisible | 8, false}, // SBS_SIZEBOX
        {"ScrollBar", 0, false},
        {"Bar", kChildVisible | 1, true},
        {"MyScrollBarEx", kChildVisible | 1, false},
        {"Button", kChildVisible | 1, false},
    };
    for (const Case& c : cases) {
        FakeWindowQueries windows;
        const WindowHandle parent = windows.AddTopLevel("Dialog");
        const WindowHandle window = windows.AddChild(parent, "Canvas");
        windows.AddChild(parent, c.siblingClass, c.siblingStyle);
        EXPECT_EQ(IsScrollableWindow(windows, window), c.scrollable)
            << c.siblingClass << ' ' << c.siblingStyle;
    }
}

TEST(IsScrollableWindow, ABarInsideASiblingCounts) {
    FakeWindowQueries windows;
    const WindowHandle parent = windows.AddTopLevel("Dialog");
    const WindowHandle window = windows.AddChild(parent, "Canvas");
    const WindowHandle custom = windows.AddChild(parent, "MyScrollBarEx");
    windows.AddChild(custom, "ScrollBar", kChildVisible | 1);
    EXPECT_TRUE(IsScrollableWindow(windows, window));
}

TEST(IsScrollableWindow, AChildWithNothingToScrollAroundIt) {
    FakeWindowQueries windows;
    const WindowHandle parent = windows.AddTopLevel("Dialog");
    const WindowHandle window = windows.AddChild(parent, "Static");
    windows.SetBarState(window, win::kOBJID_VSCROLL, kHidden);
    windows.AddChild(parent, "Button");
    const WindowHandle group = windows.AddChild(parent, "Group");
    windows.AddChild(windows.AddChild(group, "Pane"), "ScrollBar", kChildVisible | 1); // two levels down
    EXPECT_FALSE(IsScrollableWindow(windows, window));
}

TEST(IsScrollableWindow, AWindowThatIsGoneIsNotScrollable) {
    FakeWindowQueries windows;
    const WindowHandle parent = windows.AddTopLevel("Dialog");
    const WindowHandle window = windows.AddChild(parent, "Canvas");
    windows.AddChild(parent, "ScrollBar", kChildVisible | 1);
    windows.Destroy(window);
    EXPECT_FALSE(IsScrollableWindow(windows, window));
    EXPECT_FALSE(IsScrollableWindow(windows, WindowHandle{}));
}

} // namespace
} // namespace gw
