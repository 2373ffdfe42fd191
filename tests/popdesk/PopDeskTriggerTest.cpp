// The corner trigger against a fake cursor, a fake screen and a fake menu: how many ticks each
// wait needs, which pixel counts as the corner, what stops the count and how the trigger re-arms
// after the menu has closed.

#include "PopDeskFakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace gw {
namespace {

using test::FakeIcons;
using test::FakeMenuView;
using test::FakeScreen;
using test::FakeShell;
using test::Log;

class PopDeskTriggerTest : public ::testing::Test {
protected:
    PopDeskTriggerTest() {
        settings.PopDeskEnabled = true;
        settings.PopDeskCorner = 0;
        settings.PopDeskDelay = 100;
        screen.cursor = {0, 0};
        menu.SetView(&view);
        view.onExitLoop = [this] { trigger.DesktopMenuClosed(); };
        shell.desktop = {{"a"}, {"b"}};
    }

    // Ticks until the menu pops up; 0 when it did not within `limit` ticks.
    int TicksUntilPopup(int limit) {
        const std::size_t before = view.popups.size();
        for (int tick = 1; tick <= limit; ++tick) {
            trigger.CheckCorner();
            if (view.popups.size() != before) {
                return tick;
            }
        }
        return 0;
    }

    int Builds() const { return static_cast<int>(std::count(log.begin(), log.end(), "SHGetMalloc")); }

    Log log;
    FakeShell shell{log};
    FakeIcons icons{log};
    FakeScreen screen{log};
    FakeMenuView view{log};
    TDesktopMenu menu;
    DesktopLinks links{shell, icons, menu};
    RuntimeSettings settings;
    bool gestureRunning = false;
    PopDeskTrigger trigger{settings, [this] { return gestureRunning; }, screen, links, menu};
};

struct DelayCase {
    std::int32_t delay;
    int tick; // the tick on which the menu opens
};

class DwellTest : public PopDeskTriggerTest, public ::testing::WithParamInterface<DelayCase> {};

TEST_P(DwellTest, MenuOpensOnTheTickThatCompletesTheWait) {
    settings.PopDeskDelay = GetParam().delay;

    EXPECT_EQ(TicksUntilPopup(100), GetParam().tick);
}

INSTANTIATE_TEST_SUITE_P(Delays, DwellTest,
                         ::testing::Values(DelayCase{100, 1}, DelayCase{200, 2}, DelayCase{300, 3},
                                           DelayCase{500, 5}, DelayCase{1000, 10}, DelayCase{2000, 20},
                                           DelayCase{5000, 50}, DelayCase{0, 1}, DelayCase{150, 2},
                                           DelayCase{-1, 0}),
                         [](const auto& param) {
                             return param.param.delay < 0 ? std::string("Negative")
                                                          : "Ms" + std::to_string(param.param.delay);
                         });

struct CornerCase {
    const char* name;
    std::int32_t corner;
    Point at;
    bool opens;
};

class CornerTest : public PopDeskTriggerTest, public ::testing::WithParamInterface<CornerCase> {};

TEST_P(CornerTest, OnlyTheExactCornerPixelOpens) {
    settings.PopDeskCorner = GetParam().corner;
    screen.cursor = GetParam().at;

    EXPECT_EQ(TicksUntilPopup(3) == 1, GetParam().opens);
}

INSTANTIATE_TEST_SUITE_P(Pixels, CornerTest,
                         ::testing::Values(CornerCase{"TopLeft", 0, {0, 0}, true},
                                           CornerCase{"TopLeftRightNeighbour", 0, {1, 0}, false},
                                           CornerCase{"TopLeftLowerNeighbour", 0, {0, 1}, false},
                                           CornerCase{"TopLeftOffScreen", 0, {-1, 0}, false},
                                           CornerCase{"TopRight", 1, {1023, 0}, true},
                                           CornerCase{"TopRightLeftNeighbour", 1, {1022, 0}, false},
                                           CornerCase{"TopRightPastTheEdge", 1, {1024, 0}, false},
                                           CornerCase{"BottomLeft", 2, {0, 767}, true},
                                           CornerCase{"BottomLeftUpperNeighbour", 2, {0, 766}, false},
                                           CornerCase{"BottomRight", 3, {1023, 767}, true},
                                           CornerCase{"BottomRightDiagonalNeighbour", 3, {1022, 766}, false},
                                           CornerCase{"OtherCornerThanChosen", 3, {0, 0}, false},
                                           CornerCase{"NoCornerChosen", -1, {0, 0}, false},
                                           CornerCase{"CornerFour", 4, {1023, 767}, false}),
                         [](const auto& param) { return std::string(param.param.name); });

// With a second monitor to the right of the primary: off, the primary's corner pixels count (one
// of them no corner for the cursor at all); "On every monitor", the corners of the whole desktop.
struct MonitorCase {
    const char* name;
    bool everyMonitor;
    std::int32_t corner;
    Point at;
    bool opens;
};

class EveryMonitorTest : public PopDeskTriggerTest, public ::testing::WithParamInterface<MonitorCase> {};

TEST_P(EveryMonitorTest, TheChosenCornerIsTheDesktopsOnTheMonitorUnderTheCursor) {
    screen.monitors = {{0, 0, 1024, 768}, {1024, 0, 2048, 768}};
    settings.PopDeskEveryMonitor = GetParam().everyMonitor;
    settings.PopDeskCorner = GetParam().corner;
    screen.cursor = GetParam().at;

    EXPECT_EQ(TicksUntilPopup(3) == 1, GetParam().opens);
}

INSTANTIATE_TEST_SUITE_P(TwoMonitors, EveryMonitorTest,
                         ::testing::Values(MonitorCase{"OffPrimaryTopRight", false, 1, {1023, 0}, true},
                                           MonitorCase{"OffSecondTopRight", false, 1, {2047, 0}, false},
                                           MonitorCase{"OnSecondTopRight", true, 1, {2047, 0}, true},
                                           MonitorCase{"OnSecondBottomRight", true, 3, {2047, 767}, true},
                                           MonitorCase{"OnPrimaryTopRightLeadsOn", true, 1, {1023, 0}, false},
                                           MonitorCase{"OnPrimaryTopLeft", true, 0, {0, 0}, true},
                                           MonitorCase{"OnNoCornerChosen", true, -1, {0, 0}, false}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(PopDeskTriggerTest, OneTickAwayRestartsTheCount) {
    settings.PopDeskDelay = 500;
    for (int i = 0; i < 4; ++i) {
        trigger.CheckCorner();
    }
    screen.cursor = {5, 5};
    trigger.CheckCorner();
    EXPECT_EQ(trigger.CornerWait(), 0u);
    screen.cursor = {0, 0};

    EXPECT_EQ(TicksUntilPopup(10), 5);
}

struct IdleCase {
    const char* name;
    std::function<void(RuntimeSettings&, bool&)> make;
};

class IdleTest : public PopDeskTriggerTest, public ::testing::WithParamInterface<IdleCase> {};

TEST_P(IdleTest, NothingChangesAndNothingOpens) {
    settings.PopDeskDelay = 500;
    trigger.CheckCorner();
    trigger.CheckCorner(); // 200 ms counted
    GetParam().make(settings, gestureRunning);
    const int readsBefore = screen.cursorReads;

    for (int i = 0; i < 10; ++i) {
        trigger.CheckCorner();
    }

    EXPECT_EQ(trigger.CornerWait(), 200u);
    EXPECT_TRUE(view.popups.empty());
    EXPECT_EQ(screen.cursorReads, readsBefore + 10); // the cursor is read every tick all the same
}

INSTANTIATE_TEST_SUITE_P(
    States, IdleTest,
    // That the engine's gesture is what counts is the main window's wiring (FeatureWiringTest).
    ::testing::Values(IdleCase{"PopDeskOff", [](RuntimeSettings& s, bool&) { s.PopDeskEnabled = false; }},
                      IdleCase{"GestureRunning", [](RuntimeSettings&, bool& running) { running = true; }},
                      IdleCase{"CornerOutOfRange", [](RuntimeSettings& s, bool&) { s.PopDeskCorner = 7; }},
                      IdleCase{"CornerNone", [](RuntimeSettings& s, bool&) { s.PopDeskCorner = -1; }}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(PopDeskTriggerTest, ShowingBuildsThenBringsForwardThenPopsUpAtTheCursorThenNudges) {
    settings.PopDeskCorner = 3;
    screen.cursor = {1023, 767};

    trigger.CheckCorner();

    const auto at = [&](const std::string& s) { return std::find(log.begin(), log.end(), s) - log.begin(); };
    EXPECT_LT(at("Release folder"), at("SetForegroundWindow")); // the build has finished
    EXPECT_LT(at("SetForegroundWindow"), at("Popup 1023,767"));
    EXPECT_EQ(log.back(), "WM_NULL");
    EXPECT_EQ(view.shown.at(0), (std::vector<std::string>{"DesktopMenu_0", "DesktopMenu_1"}));
    EXPECT_TRUE(links.DeskMenuBuilt());
    EXPECT_FALSE(trigger.DeskMenuOpen());
}

TEST_F(PopDeskTriggerTest, TicksWhileTheMenuIsOpenDoNothing) {
    view.whileOpen = [this] {
        EXPECT_TRUE(trigger.DeskMenuOpen());
        for (int i = 0; i < 5; ++i) {
            trigger.CheckCorner();
        }
    };

    trigger.CheckCorner();

    EXPECT_EQ(view.popups.size(), 1u);
    EXPECT_EQ(Builds(), 1);
    EXPECT_TRUE(links.DeskMenuBuilt());
}

TEST_F(PopDeskTriggerTest, MenuReopensAtTheNextTickWhenTheCursorStaysOnTheCorner) {
    settings.PopDeskDelay = 500;
    ASSERT_EQ(TicksUntilPopup(10), 5);

    EXPECT_EQ(TicksUntilPopup(1), 1);

    EXPECT_EQ(Builds(), 2);
    EXPECT_EQ(shell.freed.size(), 2u); // the first menu's two items
    EXPECT_EQ(view.shown.at(1), view.shown.at(0));
}

TEST_F(PopDeskTriggerTest, AfterClosingElsewhereTheFullWaitAppliesAgain) {
    settings.PopDeskDelay = 300;
    ASSERT_EQ(TicksUntilPopup(10), 3);
    screen.cursor = {300, 300};

    trigger.CheckCorner(); // tears the closed menu down, then the cursor is away

    EXPECT_FALSE(links.DeskMenuBuilt());
    EXPECT_EQ(menu.Count(), 0u);
    EXPECT_EQ(trigger.CornerWait(), 0u);
    screen.cursor = {0, 0};
    EXPECT_EQ(TicksUntilPopup(10), 3);
}

TEST_F(PopDeskTriggerTest, ChosenEntryLaunchesBeforeTheTeardown) {
    view.choose = 1;
    view.whileOpen = [this] { screen.cursor = {200, 100}; }; // the user goes to the entry

    trigger.CheckCorner();
    trigger.CheckCorner();

    ASSERT_EQ(shell.launches.size(), 1u);
    EXPECT_EQ(shell.launches[0].lpIDList, shell.pidls[1]);
    const auto launched = std::find(log.begin(), log.end(), "ShellExecuteExA");
    EXPECT_LT(launched, std::find(log.begin(), log.end(), "Free"));
}

TEST_F(PopDeskTriggerTest, ApplyingSettingsRestartsTheCount) {
    settings.PopDeskDelay = 500;
    for (int i = 0; i < 4; ++i) {
        trigger.CheckCorner();
    }

    trigger.SettingsApplied();

    EXPECT_EQ(TicksUntilPopup(10), 5);
}

TEST_F(PopDeskTriggerTest, CornersFollowAChangeOfResolution) {
    settings.PopDeskCorner = 3;
    screen.cursor = {1023, 767};
    screen.width = 800;
    screen.height = 600;
    EXPECT_EQ(TicksUntilPopup(3), 0);

    screen.cursor = {799, 599};
    EXPECT_EQ(TicksUntilPopup(1), 1);
}

TEST_F(PopDeskTriggerTest, IntervalComesFromItsTimer) {
    trigger.Timer().SetInterval(250);
    settings.PopDeskDelay = 1000;

    EXPECT_EQ(TicksUntilPopup(10), 4);
}

TEST_F(PopDeskTriggerTest, CheckBoxTearsDownAHeldMenuAndALaterTriggerBuildsAfresh) {
    trigger.CheckCorner();
    ASSERT_TRUE(links.DeskMenuBuilt());

    trigger.TearDownHeldMenu();

    EXPECT_FALSE(links.DeskMenuBuilt());
    EXPECT_EQ(shell.freed.size(), 2u);
    EXPECT_FALSE(links.ShellAllocator());

    log.clear();
    trigger.TearDownHeldMenu(); // nothing held: nothing to do
    EXPECT_TRUE(log.empty());

    EXPECT_EQ(TicksUntilPopup(1), 1);
    EXPECT_EQ(menu.Count(), 2u);
}

TEST_F(PopDeskTriggerTest, EmptyMenuAfterAFailedBuildIsShownAndTornDown) {
    shell.folderResult = static_cast<std::int32_t>(0x80004005u);

    trigger.CheckCorner();

    ASSERT_EQ(view.shown.size(), 1u);
    EXPECT_TRUE(view.shown[0].empty());
    EXPECT_TRUE(links.DeskMenuBuilt());
    screen.cursor = {9, 9};
    trigger.CheckCorner();
    EXPECT_FALSE(links.DeskMenuBuilt());
}

// The timer runs only while PopDesk is enabled: without it an idle program gets no tick at all.
// It starts off, follows every apply, and stays off while OK or Apply run (Pause), whatever they
// apply meanwhile; afterwards it follows what they applied.
TEST_F(PopDeskTriggerTest, TheTimerRunsOnlyWhilePopDeskIsEnabled) {
    const struct {
        const char* name;
        bool enabledBefore; // applied before the step
        std::function<void(PopDeskTrigger&, RuntimeSettings&)> step;
        bool during; // the timer while the step runs (before it returns)
        bool after;
    } cases[] = {
        {"off applied", false, [](PopDeskTrigger& t, RuntimeSettings&) { t.SettingsApplied(); }, false,
         false},
        {"on applied", true, [](PopDeskTrigger& t, RuntimeSettings&) { t.SettingsApplied(); }, true, true},
        {"switched on by an apply under a pause", false,
         [](PopDeskTrigger& t, RuntimeSettings& s) {
             const PopDeskTrigger::Pause pause(t);
             s.PopDeskEnabled = true;
             t.SettingsApplied();
             EXPECT_FALSE(t.Timer().Enabled());
         },
         false, true},
        {"switched off by an apply under a pause", true,
         [](PopDeskTrigger& t, RuntimeSettings& s) {
             const PopDeskTrigger::Pause pause(t);
             EXPECT_FALSE(t.Timer().Enabled());
             s.PopDeskEnabled = false;
             t.SettingsApplied();
         },
         false, false},
        {"an apply that failed under a pause", true,
         [](PopDeskTrigger& t, RuntimeSettings&) { const PopDeskTrigger::Pause pause(t); }, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RuntimeSettings applied;
        bool running = false;
        PopDeskTrigger fresh{applied, [&] { return running; }, screen, links, menu};
        EXPECT_FALSE(fresh.Timer().Enabled());
        applied.PopDeskEnabled = c.enabledBefore;
        fresh.SettingsApplied();
        c.step(fresh, applied);
        EXPECT_EQ(fresh.Timer().Enabled(), c.after);
        EXPECT_EQ(fresh.Timer().Interval(), 100u);
    }
}

// Through the timer itself: its ticks count the wait and open the menu, nothing opens while a
// gesture runs (the count waits), and after the menu has closed on the corner it opens again.
TEST_F(PopDeskTriggerTest, TimerTicksOpenTheMenuExceptDuringAGesture) {
    settings.PopDeskDelay = 300;
    trigger.SettingsApplied();
    trigger.Timer().Fire();
    gestureRunning = true;
    for (int i = 0; i < 5; ++i) {
        trigger.Timer().Fire();
    }
    EXPECT_TRUE(view.popups.empty());
    EXPECT_EQ(trigger.CornerWait(), 100u);

    gestureRunning = false;
    trigger.Timer().Fire();
    EXPECT_TRUE(view.popups.empty());
    trigger.Timer().Fire();
    EXPECT_EQ(view.popups.size(), 1u);
    trigger.Timer().Fire(); // the menu has closed, the cursor is still on the corner
    EXPECT_EQ(view.popups.size(), 2u);
}

} // namespace
} // namespace gw
