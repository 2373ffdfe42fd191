#include "shared/ScrollBarWalk.h"

#include "tests/shared/FakeWindowQueries.h"

#include <gtest/gtest.h>

#include <cstring>

#include <string>

namespace gw {
namespace {

using test::FakeWindowQueries;

constexpr std::uint32_t kChildVisible = 0x50000000; // WS_CHILD | WS_VISIBLE, as real controls carry

TEST(ScrollBarClassName, OnlyNamesThatOccurWithinScrollBarCount) {
    struct Case {
        const char* name;
        bool bar;
    };
    const Case cases[] = {
        {"ScrollBar", true},  {"Bar", true},        {"Scroll", true},         {"r", true},
        {"llB", true},        {"", false},          {"MyScrollBarEx", false}, {"ScrollBars", false},
        {"scrollbar", false}, {"SCROLLBAR", false}, {"Edit", false},          {"BarScroll", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsScrollBarClassName(c.name), c.bar) << '"' << c.name << '"';
    }
    EXPECT_FALSE(IsScrollBarClassName(nullptr));
}

TEST(ClassNameContains, IsACaseSensitiveSubstringTest) {
    struct Case {
        const char* name;
        const char* part;
        bool found;
    };
    const Case cases[] = {
        {"ComboLBox", "ComboLBox", true},
        {"WindowsForms.ComboLBox.app", "ComboLBox", true},
        {"combolbox", "ComboLBox", false},
        {"ComboLBo", "ComboLBox", false},
        {"MozillaWindowClassX", "MozillaWindowClass", true},
        {"aaab", "aab", true}, // a false start must not hide a later match
        {"", "SALFRAME", false},
        {"SALFRAME", "", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClassNameContains(c.name, c.part), c.found) << c.name << " / " << c.part;
    }
    EXPECT_FALSE(ClassNameContains(nullptr, "x"));
}

TEST(ReadClassName, GoneWindowReadsEmptyAndLongNamesAreCutAt253) {
    FakeWindowQueries windows;
    const std::string longName(400, 'x');
    const WindowHandle longOne = windows.AddTopLevel(longName);
    const WindowHandle gone = windows.AddTopLevel("Edit");
    windows.Destroy(gone);

    char buffer[kClassNameBufferSize];
    EXPECT_EQ(ReadClassName(windows, longOne, buffer), 253);
    EXPECT_EQ(std::string(buffer), std::string(253, 'x'));
    EXPECT_EQ(ReadClassName(windows, gone, buffer), 0);
    EXPECT_STREQ(buffer, "");
}

TEST(ClassifyScrollBar, StyleDecidesOrientationAndSizeBoxesCountForNothing) {
    struct Case {
        std::uint32_t style;
        bool vert;
        bool horz;
    };
    const Case cases[] = {
        {0, false, false}, // no style at all: nothing to tell
        {kChildVisible | 0, false, true},
        {kChildVisible | 1, true, false},
        {kChildVisible | 2, false, true},
        {kChildVisible | 3, true, false},
        {kChildVisible | 4, false, true},
        {kChildVisible | 5, true, false},
        {kChildVisible | 6, false, true},
        {kChildVisible | 7, true, false},
        {kChildVisible | 8, false, false},
        {kChildVisible | 9, false, false},
        {kChildVisible | 10, false, false},
        {kChildVisible | 11, false, false},
        {kChildVisible | 12, false, false},
        {kChildVisible | 13, false, false},
        {kChildVisible | 14, false, false},
        {kChildVisible | 15, false, false},
        {0x10, false, true}, // only high bits: a horizontal bar
        {1, true, false},
    };
    for (const Case& c : cases) {
        FakeWindowQueries windows;
        const WindowHandle bar = windows.AddTopLevel("ScrollBar", c.style);
        ScrollBarFindings findings;
        ClassifyScrollBar(windows, bar, findings);
        EXPECT_EQ(findings.CanScrollVert, c.vert) << std::hex << c.style;
        EXPECT_EQ(findings.CanScrollHorz, c.horz) << std::hex << c.style;
        EXPECT_EQ(findings.VertBarControl, c.vert ? bar : WindowHandle{}) << std::hex << c.style;
        EXPECT_EQ(findings.HorzBarControl, c.horz ? bar : WindowHandle{}) << std::hex << c.style;
    }
}

TEST(ClassifyScrollBar, ALaterBarOfTheSameOrientationReplacesTheEarlierOne) {
    FakeWindowQueries windows;
    const WindowHandle first = windows.AddTopLevel("ScrollBar", kChildVisible | 1);
    const WindowHandle second = windows.AddTopLevel("ScrollBar", kChildVisible | 1);
    ScrollBarFindings findings;
    ClassifyScrollBar(windows, first, findings);
    ClassifyScrollBar(windows, second, findings);
    EXPECT_EQ(findings.VertBarControl, second);
    EXPECT_FALSE(findings.CanScrollHorz);
}

class ChildWalk : public ::testing::Test {
protected:
    FakeWindowQueries windows;
    WindowHandle parent = windows.AddTopLevel("Panel");
    ScrollBarFindings findings;
};

TEST_F(ChildWalk, AParentWithoutChildrenChangesNothing) {
    EXPECT_FALSE(FindChildScrollBars(windows, parent, findings));
    EXPECT_FALSE(findings.Any());
}

TEST_F(ChildWalk, FindsBarsAmongTheDirectChildren) {
    windows.AddChild(parent, "Edit");
    const WindowHandle vert = windows.AddChild(parent, "ScrollBar", kChildVisible | 1);
    windows.AddChild(parent, "Static");
    EXPECT_TRUE(FindChildScrollBars(windows, parent, findings));
    EXPECT_TRUE(findings.CanScrollVert);
    EXPECT_FALSE(findings.CanScrollHorz);
    EXPECT_EQ(findings.VertBarControl, vert);
}

TEST_F(ChildWalk, LooksOnlyOneLevelDeep) {
    const WindowHandle frame = windows.AddChild(parent, "Frame");
    windows.AddChild(frame, "ScrollBar", kChildVisible | 1);
    const WindowHandle longName = windows.AddChild(parent, "MyScrollBarEx", kChildVisible | 1);
    windows.AddChild(longName, "ScrollBar", kChildVisible);
    EXPECT_FALSE(FindChildScrollBars(windows, parent, findings));
    EXPECT_FALSE(findings.Any());
}

TEST_F(ChildWalk, StopsOnceBothDirectionsAreFound) {
    windows.AddChild(parent, "ScrollBar", kChildVisible | 1);
    windows.AddChild(parent, "ScrollBar", kChildVisible);
    const WindowHandle after = windows.AddChild(parent, "ScrollBar", kChildVisible | 1);
    EXPECT_TRUE(FindChildScrollBars(windows, parent, findings));
    EXPECT_TRUE(findings.Both());
    EXPECT_FALSE(windows.WasRead(after));
}

TEST_F(ChildWalk, AnswersFlagsThatWereSetBeforeTheCall) {
    windows.AddChild(parent, "Edit");
    findings.CanScrollHorz = true;
    EXPECT_TRUE(FindChildScrollBars(windows, parent, findings));
}

TEST_F(ChildWalk, EndsAtAMissingNextChild) {
    const WindowHandle a = windows.AddChild(parent, "Edit");
    const WindowHandle unreachable = windows.AddChild(parent, "ScrollBar", kChildVisible | 1);
    windows.OverrideNext(a, WindowHandle{});
    EXPECT_FALSE(FindChildScrollBars(windows, parent, findings));
    EXPECT_FALSE(windows.WasRead(unreachable));
}

TEST_F(ChildWalk, EndsAtTheLastChildEvenIfTheListGoesOn) {
    const WindowHandle a = windows.AddChild(parent, "Edit");
    const WindowHandle last = windows.AddChild(parent, "Static");
    const WindowHandle stranger = windows.AddTopLevel("ScrollBar", kChildVisible | 1);
    windows.OverrideNext(last, stranger);
    EXPECT_FALSE(FindChildScrollBars(windows, parent, findings));
    EXPECT_TRUE(windows.WasRead(a));
    EXPECT_FALSE(windows.WasRead(stranger));
}

class SiblingWalk : public ::testing::Test {
protected:
    FakeWindowQueries windows;
    WindowHandle parent = windows.AddTopLevel("Dialog");
    ScrollBarFindings findings;
};

TEST_F(SiblingWalk, ClassifiesSiblingBarsAndSearchesTheChildrenOfOthers) {
    const WindowHandle view = windows.AddChild(parent, "View");
    const WindowHandle horz = windows.AddChild(parent, "ScrollBar", kChildVisible);
    const WindowHandle pane = windows.AddChild(parent, "Pane");
    const WindowHandle vert = windows.AddChild(pane, "ScrollBar", kChildVisible | 1);
    ScanSiblingScrollBars(windows, view, findings);
    EXPECT_TRUE(findings.Both());
    EXPECT_EQ(findings.HorzBarControl, horz);
    EXPECT_EQ(findings.VertBarControl, vert);
}

TEST_F(SiblingWalk, TheWindowItselfIsOneOfTheSiblings) {
    const WindowHandle view = windows.AddChild(parent, "View");
    const WindowHandle vert = windows.AddChild(view, "ScrollBar", kChildVisible | 1);
    ScanSiblingScrollBars(windows, view, findings);
    EXPECT_EQ(findings.VertBarControl, vert);
}

TEST_F(SiblingWalk, StartsAtTheFirstSiblingWhereverTheWindowSits) {
    const WindowHandle vert = windows.AddChild(parent, "ScrollBar", kChildVisible | 1);
    windows.AddChild(parent, "Static");
    const WindowHandle view = windows.AddChild(parent, "View");
    ScanSiblingScrollBars(windows, view, findings);
    EXPECT_EQ(findings.VertBarControl, vert);
}

TEST_F(SiblingWalk, ALongerNameWithScrollBarInItIsNoBarButItsChildrenAreSearched) {
    const WindowHandle view = windows.AddChild(parent, "View");
    const WindowHandle custom = windows.AddChild(parent, "MyScrollBarEx", kChildVisible | 1);
    const WindowHandle inner = windows.AddChild(custom, "ScrollBar", kChildVisible);
    ScanSiblingScrollBars(windows, view, findings);
    EXPECT_FALSE(findings.CanScrollVert);
    EXPECT_TRUE(findings.CanScrollHorz);
    EXPECT_EQ(findings.HorzBarControl, inner);
}

TEST_F(SiblingWalk, SizeBoxesAndStylelessBarsFindNothing) {
    const WindowHandle view = windows.AddChild(parent, "View");
    windows.AddChild(parent, "ScrollBar", kChildVisible | 8);
    windows.AddChild(parent, "ScrollBar", 0);
    windows.AddChild(parent, "ScrollBar", kChildVisible | 0xF);
    ScanSiblingScrollBars(windows, view, findings);
    EXPECT_FALSE(findings.Any());
}

TEST_F(SiblingWalk, StopsOnceBothDirectionsAreFound) {
    const WindowHandle view = windows.AddChild(parent, "View");
    windows.AddChild(parent, "ScrollBar", kChildVisible | 1);
    const WindowHandle pane = windows.AddChild(parent, "Pane");
    windows.AddChild(pane, "ScrollBar", kChildVisible);
    windows.AddChild(pane, "ScrollBar", kChildVisible); // same pane, after both were found
    const WindowHandle after = windows.AddChild(parent, "Pane");
    ScanSiblingScrollBars(windows, view, findings);
    EXPECT_TRUE(findings.Both());
    EXPECT_FALSE(windows.WasRead(after));
}

TEST_F(SiblingWalk, EndsAtAMissingNextSibling) {
    const WindowHandle view = windows.AddChild(parent, "View");
    const WindowHandle beyond = windows.AddChild(parent, "ScrollBar", kChildVisible | 1);
    windows.OverrideNext(view, WindowHandle{});
    ScanSiblingScrollBars(windows, view, findings);
    EXPECT_FALSE(findings.Any());
    EXPECT_FALSE(windows.WasRead(beyond));
}

TEST_F(SiblingWalk, EndsAtTheLastSiblingEvenIfTheListGoesOn) {
    const WindowHandle view = windows.AddChild(parent, "View");
    const WindowHandle stranger = windows.AddTopLevel("ScrollBar", kChildVisible | 1);
    windows.OverrideNext(view, stranger);
    ScanSiblingScrollBars(windows, view, findings); // view is the only sibling, so also the last
    EXPECT_FALSE(findings.Any());
    EXPECT_FALSE(windows.WasRead(stranger));
}

TEST_F(SiblingWalk, AListThatTurnsInACircleStillEnds) {
    const WindowHandle view = windows.AddChild(parent, "View");
    const WindowHandle other = windows.AddChild(parent, "Static");
    windows.AddChild(parent, "Static"); // the last one, never reached
    windows.OverrideNext(other, view);
    ScanSiblingScrollBars(windows, view, findings);
    EXPECT_FALSE(findings.Any());
    EXPECT_GT(windows.namesRead.size(), 2u);
}

// The probe hands over the class name it has read; the walk then answers the same without asking
// for that window's name a second time (a Win32 call less per press in every process).
TEST_F(SiblingWalk, AClassNameTheCallerHasReadIsNotReadAgain) {
    for (const char* own : {"View", "ScrollBar"}) {
        FakeWindowQueries desktop;
        const WindowHandle dialog = desktop.AddTopLevel("Dialog");
        const WindowHandle view = desktop.AddChild(dialog, own, kChildVisible | 1);
        const WindowHandle pane = desktop.AddChild(dialog, "Pane");
        desktop.AddChild(pane, "ScrollBar", kChildVisible);
        ScrollBarFindings read;
        ScanSiblingScrollBars(desktop, view, read);
        desktop.namesRead.clear();
        ScrollBarFindings known;
        ScanSiblingScrollBars(desktop, view, known, own, static_cast<int>(std::strlen(own)));
        EXPECT_EQ(known.Both(), read.Both()) << own;
        EXPECT_EQ(known.VertBarControl, read.VertBarControl) << own;
        EXPECT_EQ(known.HorzBarControl, read.HorzBarControl) << own;
        EXPECT_FALSE(desktop.WasRead(view)) << own;
    }
}

TEST_F(SiblingWalk, AWindowThatIsGoneFindsNothing) {
    const WindowHandle view = windows.AddChild(parent, "View");
    windows.AddChild(parent, "ScrollBar", kChildVisible | 1);
    windows.Destroy(view);
    ScanSiblingScrollBars(windows, view, findings);
    EXPECT_FALSE(findings.Any());
}

} // namespace
} // namespace gw
