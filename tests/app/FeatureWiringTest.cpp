// The features meet in the main window: the hooks' messages and the two timers reach the scroll
// engine, hide-while-typing and PopDesk in the right order. Each feature's own behaviour has its
// own tests; these check the joints.

#include "Fakes.h"

#include "shared/HookShare.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

namespace gw::test {
namespace {

// Started with the defaults (right button, Classic, Move Scroll, scrolling on) and a page of a
// wheel-target window under the cursor.
struct Wired : MainFormRig {
    WindowHandle page;

    Wired() {
        Start();
        const WindowHandle frame = windows.AddTopLevel("Frame");
        page = windows.AddChild(frame, "MozillaWindowClass");
        scrollWorld.underCursor = page;
    }
    void Mouse(std::uint32_t message, std::int32_t x, std::int32_t y) {
        Do([&] { form.HandleHookMouse(message, PackHookPosition(x, y)); });
    }
    void Key(std::uint32_t virtualKey) {
        Do([&] { form.HandleHookKey(virtualKey, 0x001E0001); });
    }
    // PopDesk on the top left corner with the wait of list entry `wait`, its menu shown in `view`.
    void PopDesk(int wait, FakeMenuView* view = nullptr) {
        if (view) {
            form.desktopmenu.SetView(view);
            deskShell.desktop = {FakeItem{"Notes.txt"}};
        }
        form.PopDeskBox.SetChecked(true);
        form.PopDeskDelayList.SetItemIndex(wait);
        Do([&] { form.ApplyClick(); });
        deskScreen.cursor = Point{0, 0};
    }
    void HideWhileTyping() {
        form.HideWhileTypingBox.SetChecked(true);
        Do([&] { form.ApplyClick(); });
    }
};

TEST(FeatureWiring, TypingHidesAndThePressThatFollowsRestoresBeforeTheGestureCursorGoesUp) {
    Wired rig;
    rig.Key('A'); // ignored while the option is off
    EXPECT_EQ(rig.section.Record.CursorShown, 1);
    EXPECT_TRUE(rig.form.HideCursor.SystemCursorsShown());
    rig.HideWhileTyping();
    rig.Mouse(win::kWM_MOUSEMOVE, 300, 300);
    rig.Key('A');
    EXPECT_EQ(rig.section.Record.CursorShown, 0);
    EXPECT_FALSE(rig.form.HideCursor.SystemCursorsShown());

    rig.ClearRecords();
    rig.Mouse(win::kWM_RBUTTONDOWN, 300, 300); // same place: the press alone brings the cursor back
    const std::vector<std::string> calls = rig.Calls({"SPI_SETCURSORS", "SetSystemCursor"});
    ASSERT_GE(calls.size(), 2u);
    // The restore comes first; had it come second it would have wiped the Move Scroll hand.
    EXPECT_EQ(calls.front(), "SPI_SETCURSORS");
    EXPECT_EQ(calls[1], "SetSystemCursor 32512");
    EXPECT_EQ(rig.section.Record.CursorShown, 1);
    EXPECT_TRUE(rig.form.Engine.Gesturing());
}

// The hook marks what its click rule swallowed; the form reads the message without the mark, so
// the cursor comes back at the press, and the engine replays the click that started no gesture.
TEST(FeatureWiring, ASwallowedPressOverAWindowOurProbeTurnsDownComesBackAsAClick) {
    Wired rig;
    rig.HideWhileTyping();
    rig.scrollWorld.underCursor = rig.windows.AddTopLevel("Plain");
    rig.Mouse(win::kWM_MOUSEMOVE, 300, 300);
    rig.Key('A');
    rig.scrollWorld.log.clear();

    rig.Mouse(win::kWM_RBUTTONDOWN | kHookReportSwallowed, 300, 300);
    EXPECT_EQ(rig.section.Record.CursorShown, 1);
    EXPECT_FALSE(rig.form.Engine.Gesturing());
    rig.Mouse(win::kWM_RBUTTONUP | kHookReportSwallowed, 302, 301);
    const std::vector<std::string> log = rig.scrollWorld.Take();
    EXPECT_EQ(std::count(log.begin(), log.end(), MouseEvent(win::kMOUSEEVENTF_RIGHTDOWN)), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), SetCursorPos(302, 301)), 1);
}

TEST(FeatureWiring, TheRestoreComparesWithThePositionBeforeTheEngineMovesItOn) {
    Wired rig;
    rig.HideWhileTyping();
    rig.Mouse(win::kWM_MOUSEMOVE, 300, 300);
    rig.Key(' ');
    rig.Mouse(win::kWM_MOUSEMOVE, 300, 300); // a synthetic move to where it was: stays hidden
    EXPECT_EQ(rig.section.Record.CursorShown, 0);
    rig.Mouse(win::kWM_MOUSEMOVE, 301, 300);
    EXPECT_EQ(rig.section.Record.CursorShown, 1);
}

TEST(FeatureWiring, ApplyWithTheOptionClearedBringsTypedAwayCursorsBack) {
    Wired rig;
    rig.HideWhileTyping();
    rig.Key(' '); // Space on the focused check box is typing too
    ASSERT_FALSE(rig.form.HideCursor.SystemCursorsShown());
    rig.form.HideWhileTypingBox.SetChecked(false);
    rig.ClearRecords();
    rig.Do([&] { rig.form.ApplyClick(); });
    EXPECT_TRUE(rig.Called("SPI_SETCURSORS"));
    EXPECT_TRUE(rig.form.HideCursor.SystemCursorsShown());
    EXPECT_EQ(rig.section.Record.CursorShown, 1);
}

// A press the hook stood aside for is the application's: no gesture, so PopDesk goes on. The
// same press without the flag starts one, and the flag bit never disturbs the message id.
TEST(FeatureWiring, APressTheHookStoodAsideForStartsNoGesture) {
    for (const bool stoodAside : {true, false}) {
        SCOPED_TRACE(stoodAside);
        Wired rig;
        rig.ClearRecords();
        rig.Mouse(win::kWM_RBUTTONDOWN | (stoodAside ? kHookReportStoodAside : 0u), 300, 300);
        EXPECT_EQ(rig.form.Engine.State().Phase, stoodAside ? GesturePhase::Idle : GesturePhase::MoveScroll);
        EXPECT_EQ(rig.Called("SetSystemCursor 32512"), !stoodAside);
        EXPECT_EQ(rig.form.Engine.LastPos(), (Point{300, 300}));
    }
}

TEST(FeatureWiring, TheScrollTimerDrivesAutoScrollAtTheLiveSliderSpeed) {
    Wired rig;
    rig.form.ScrollModeList.SetItemIndex(0); // Auto Scroll
    rig.Do([&] { rig.form.ApplyClick(); });
    rig.form.SpeedYSlider.SetPosition(20); // not applied: the slider counts at once

    rig.Mouse(win::kWM_RBUTTONDOWN, 300, 300);
    EXPECT_TRUE(rig.form.ScrollTimer.Enabled());
    EXPECT_TRUE(rig.form.Engine.Gesturing()); // no PopDesk during a gesture
    rig.Mouse(win::kWM_MOUSEMOVE, 300, 310);  // down
    rig.scrollWorld.log.clear();
    rig.form.ScrollTimer.Fire();
    EXPECT_EQ(rig.form.ScrollTimer.Interval(), 200u);
    // A wheel delta of -(20 + 10 + 4) = -34 in the high word, at the cursor position of the press
    // (the fake's GetCursorPos answers 500, 400).
    EXPECT_EQ(rig.scrollWorld.Take(),
              (std::vector<std::string>{Send(rig.page, win::kWM_MOUSEWHEEL, 0xFFDE0000u,
                                             PackHookPosition(500, 400), win::kSMTO_BLOCK, 20)}));

    rig.Mouse(win::kWM_RBUTTONUP, 300, 310);
    EXPECT_FALSE(rig.form.ScrollTimer.Enabled());
    EXPECT_FALSE(rig.form.Engine.Gesturing());
}

// The speed that follows the distance, applied from its box: the tick gets the time from the clock,
// so a tick 60 ms after the last turns the wheel twice as far as one 30 ms after it.
TEST(FeatureWiring, TheScrollTimerHandsTheClockToTheSpeedThatFollowsTheDistance) {
    Wired rig;
    rig.form.ScrollModeList.SetItemIndex(0); // Auto Scroll
    rig.form.AutoFollowBox.SetChecked(true);
    rig.Do([&] { rig.form.ApplyClick(); });
    rig.Mouse(win::kWM_RBUTTONDOWN, 300, 300);
    rig.Mouse(win::kWM_MOUSEMOVE, 300, 420);
    std::vector<std::int16_t> turns;
    for (const std::uint32_t ms : {1000u, 1030u, 1090u}) {
        rig.scrollWorld.clockMs = ms;
        rig.scrollWorld.log.clear();
        rig.form.ScrollTimer.Fire();
        unsigned wParam = 0;
        std::sscanf(rig.scrollWorld.Take().at(0).c_str(), "Send %*s %*x %x", &wParam);
        turns.push_back(static_cast<std::int16_t>(wParam >> 16));
    }
    EXPECT_EQ(rig.form.ScrollTimer.Interval(), 30u);
    EXPECT_LT(turns[1], -20); // 120 pixels down at slider 20: about 36 units a tick
    EXPECT_NEAR(turns[2], 2 * turns[1], 1);
}

// The PopDesk timer runs exactly while PopDesk is applied: not at the start (PopDesk off), not for a
// box ticked and not applied, on after Apply or OK with the box ticked, off after either with it
// cleared. Off, the program gets no timer message at all.
TEST(FeatureWiring, PopDeskTimerRunsOnlyWhilePopDeskIsApplied) {
    Wired rig;
    TTimer& timer = rig.form.DeskTrigger.Timer();
    EXPECT_FALSE(timer.Enabled());
    const struct { bool ticked, ok; } steps[] = {{true, false}, {false, false}, {true, true}, {false, true}};
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message()
                     << (step.ticked ? "ticked, " : "cleared, ") << (step.ok ? "OK" : "Apply"));
        rig.form.PopDeskBox.SetChecked(step.ticked);
        EXPECT_EQ(timer.Enabled(), !step.ticked); // the box alone changes nothing
        rig.Do([&] { step.ok ? rig.form.OkButton.Click() : rig.form.ApplyClick(); });
        EXPECT_EQ(timer.Enabled(), step.ticked);
        EXPECT_EQ(timer.Interval(), 100u);
    }
}

TEST(FeatureWiring, PopDeskTimerOpensPopDeskOnTheCornerAndTheMenuLoopEndReArmsIt) {
    Wired rig;
    FakeMenuView view{rig.deskLog};
    rig.PopDesk(1, &view); // 200 ms
    rig.form.DeskTrigger.Timer().Fire();
    EXPECT_TRUE(view.popups.empty());
    bool openDuringLoop = false;
    view.whileOpen = [&] { openDuringLoop = rig.form.DeskTrigger.DeskMenuOpen(); };
    view.onExitLoop = [&] { rig.form.DesktopMenuLoopEnded(); };
    rig.form.DeskTrigger.Timer().Fire();
    ASSERT_EQ(view.popups.size(), 1u);
    EXPECT_EQ(view.shown[0], (std::vector<std::string>{"DesktopMenu_0"}));
    EXPECT_TRUE(openDuringLoop);
    EXPECT_FALSE(rig.form.DeskTrigger.DeskMenuOpen());

    // Still on the corner: the next tick tears the old menu down and shows a fresh one.
    rig.form.DeskTrigger.Timer().Fire();
    EXPECT_EQ(view.popups.size(), 2u);
}

// The whole gesture, a click that has not chosen a direction yet included; the release ends the wait.
TEST(FeatureWiring, PopDeskWaitsWhileAGestureRuns) {
    struct Case {
        const char* name;
        Point moveTo; // from the press at (300, 300)
        bool waits;
    };
    const Case cases[] = {
        {"Left", {290, 300}, true}, {"Down", {300, 310}, true}, {"NoDirectionYet", {301, 301}, true}};
    for (const Case& c : cases) {
        Wired rig;
        rig.form.ScrollModeList.SetItemIndex(0); // Auto Scroll
        rig.PopDesk(6);                          // 5000 ms: one tick only counts
        rig.Mouse(win::kWM_RBUTTONDOWN, 300, 300);
        rig.Mouse(win::kWM_MOUSEMOVE, c.moveTo.x, c.moveTo.y);
        rig.Do([&] { rig.form.DeskTrigger.Timer().Fire(); });
        EXPECT_EQ(rig.form.DeskTrigger.CornerWait(), c.waits ? 0u : 100u) << c.name;
        rig.Mouse(win::kWM_RBUTTONUP, c.moveTo.x, c.moveTo.y);
        rig.Do([&] { rig.form.DeskTrigger.Timer().Fire(); });
        EXPECT_EQ(rig.form.DeskTrigger.CornerWait(), c.waits ? 100u : 200u) << c.name;
    }
}

TEST(FeatureWiring, ThePopDeskBoxTearsDownAMenuStillHeld) {
    Wired rig;
    FakeMenuView view{rig.deskLog};
    rig.PopDesk(0, &view);
    rig.form.DeskTrigger.Timer().Fire();
    ASSERT_TRUE(rig.form.DeskLinks.DeskMenuBuilt());

    rig.form.PopDeskBox.SetChecked(false);
    EXPECT_FALSE(rig.form.DeskLinks.DeskMenuBuilt());
    EXPECT_TRUE(rig.form.DeskLinks.DeskItems().empty());
}

// A Toggle gesture has no release to wait for: switching scrolling off, by a click on the tray icon,
// its Enable item or Apply, ends it, with the cursors back and nothing replayed.
TEST(FeatureWiring, SwitchingScrollingOffEndsAToggleGesture) {
    struct Case {
        const char* name;
        std::function<void(Wired&)> switchOff;
    };
    const Case cases[] = {
        {"tray click", [](Wired& r) { r.form.TrayIcon.MouseDown(TMouseButton::Left, 0, {}); }},
        {"tray item", [](Wired& r) { r.form.EnableItem.Click(); }},
        {"apply",
         [](Wired& r) {
             r.form.ScrollEnabledBox.SetChecked(false);
             r.form.ApplyClick();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Wired rig;
        rig.form.ActivationModeList.SetItemIndex(1); // Toggle
        rig.form.ScrollModeList.SetItemIndex(0);     // Auto Scroll
        rig.Do([&] { rig.form.ApplyClick(); });
        rig.Mouse(win::kWM_RBUTTONDOWN, 300, 300);
        rig.Mouse(win::kWM_RBUTTONUP, 300, 300);
        rig.Mouse(win::kWM_MOUSEMOVE, 300, 320);
        ASSERT_TRUE(rig.form.ScrollTimer.Enabled());
        rig.ClearRecords();
        rig.scrollWorld.log.clear();

        rig.Do([&] { c.switchOff(rig); });
        EXPECT_FALSE(rig.form.Engine.Gesturing());
        EXPECT_FALSE(rig.form.ScrollTimer.Enabled());
        EXPECT_TRUE(rig.Called("SPI_SETCURSORS"));
        const std::vector<std::string> log = rig.scrollWorld.Take();
        EXPECT_EQ(std::count(log.begin(), log.end(), "HooksPaused=1"), 0);
        EXPECT_EQ(rig.section.Record.ScrollEnabled, 0);
    }
}

TEST(FeatureWiring, ExitDuringAGestureBringsTheCursorsBack) {
    Wired rig;
    rig.Mouse(win::kWM_RBUTTONDOWN, 300, 300);
    ASSERT_TRUE(rig.form.Engine.Gesturing());
    rig.ClearRecords();
    rig.form.FormDestroy();
    EXPECT_TRUE(rig.Called("SPI_SETCURSORS"));
}

} // namespace
} // namespace gw::test
