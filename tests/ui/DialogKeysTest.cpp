// The keys the configuration window takes for itself, and where they lead among its pages.

#include "ui/DialogKeys.h"
#include "ui/Control.h"

#include <gtest/gtest.h>

#include <string>

namespace gw {
namespace {

using A = DialogKeyAction;

constexpr std::uint32_t kTab = 0x09, kPageUp = 0x21, kPageDown = 0x22, kLeft = 0x25, kRight = 0x27,
                        kF1 = 0x70, kLetterA = 0x41, kSpace = 0x20;

struct KeyCase {
    const char* name;
    DialogKeyPress press;
    A action;
};

TEST(DialogKeys, EachKeyGoesWhereADialogSendsIt) {
    const KeyCase cases[] = {
        {"F1", {kF1}, A::Help},
        {"F1OnTheTabStrip", {kF1, false, false, false, true}, A::Help},
        {"ShiftF1IsNotHelp", {kF1, false, true}, A::None},
        {"CtrlF1IsNotHelp", {kF1, true}, A::None},
        {"Tab", {kTab}, A::NextControl},
        {"ShiftTab", {kTab, false, true}, A::PreviousControl},
        {"CtrlTab", {kTab, true}, A::NextPage},
        {"CtrlShiftTab", {kTab, true, true}, A::PreviousPage},
        {"CtrlTabOnTheTabStrip", {kTab, true, false, false, true}, A::NextPage},
        {"CtrlPageDown", {kPageDown, true}, A::NextPage},
        {"CtrlPageUp", {kPageUp, true}, A::PreviousPage},
        {"PageDownAloneScrollsTheControl", {kPageDown}, A::None},
        {"RightOnTheTabStrip", {kRight, false, false, false, true}, A::TabRight},
        {"LeftOnTheTabStrip", {kLeft, false, false, false, true}, A::TabLeft},
        {"RightInAListStaysThere", {kRight}, A::None},
        {"LeftInASliderStaysThere", {kLeft}, A::None},
        {"ShiftRightOnTheTabStrip", {kRight, false, true, false, true}, A::None},
        {"AltAIsTheApplyMnemonic", {kLetterA, false, false, true}, A::None},
        {"AltTabIsTheSystems", {kTab, false, false, true}, A::None},
        {"AltF1", {kF1, false, false, true}, A::None},
        {"Space", {kSpace}, A::None},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ClassifyDialogKey(c.press), c.action);
    }
}

TEST(PageSwitching, CtrlTabWrapsRoundTheArrowsStopAtTheEnds) {
    const struct {
        const char* name;
        int from;
        bool forward;
        bool wrap;
        int to;
    } cases[] = {
        {"NextWrapsFromTheLast", 4, true, true, 0},
        {"PreviousWrapsFromTheFirst", 0, false, true, 4},
        {"Next", 1, true, true, 2},
        {"Previous", 3, false, true, 2},
        {"RightStopsAtTheLast", 4, true, false, 4},
        {"LeftStopsAtTheFirst", 0, false, false, 0},
        {"Right", 2, true, false, 3},
        {"Left", 2, false, false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TPageControl pages({"Scroll", "Tools", "PopDesk", "Applications", "About"}, c.from);
        pages.SelectNextPage(c.forward, c.wrap);
        EXPECT_EQ(pages.ActivePageIndex(), c.to);
    }
}

TEST(PageSwitching, NoPagesNothingToSwitch) {
    TPageControl none({});
    none.SelectNextPage(true, true);
    EXPECT_EQ(none.ActivePageIndex(), 0);
}

} // namespace
} // namespace gw
