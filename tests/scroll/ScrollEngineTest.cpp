// The gesture state machine driven by scripts of reported mouse messages. Where the order of the
// Win32 calls matters (the input attached before the capture, handed back before the replay, the
// hooks paused around it) the tests check the exact calls, record switches and timer changes;
// elsewhere they check the state and the effects.

#include "tests/scroll/ScrollRig.h"

#include <gtest/gtest.h>

#include <functional>

namespace gw::test {
namespace {

using namespace gw::win;

const std::uint32_t kPressIds[] = {0, kWM_LBUTTONDOWN, kWM_MBUTTONDOWN, kWM_RBUTTONDOWN};
const std::uint32_t kReleaseIds[] = {0, kWM_LBUTTONUP, kWM_MBUTTONUP, kWM_RBUTTONUP};

bool Replayed(const Log& log) {
    return std::any_of(log.begin(), log.end(),
                       [](const std::string& line) { return line.rfind("mouse_event", 0) == 0; });
}

// ---------------------------------------------------------------- whole gestures, call by call

TEST(Gesture, ClassicAutoScrollDownOnAWindowsOwnBar) {
    ScrollRig rig;
    const WindowHandle edit = rig.EditWithVerticalBar();
    rig.vertSlider.SetPosition(60);

    rig.Press(100, 200);
    EXPECT_EQ(rig.Log(), (Log{"WindowFromPoint (100,200)", "GetCursorPos", Cursors("AUTOCUR"),
                              "GetWindowThreadProcessId " + W(edit), "GetCurrentThreadId", Attach(7, 1, -1),
                              "SetCapture " + W(edit), "ScrollTimer on"}));

    rig.MoveTo(100, 201); // inside the dead zone
    rig.MoveTo(100, 203);
    EXPECT_EQ(rig.Log(), (Log{Cursors("DOWNBLACK")}));

    rig.Tick();
    EXPECT_EQ(rig.Log(),
              (Log{"ScrollTimer interval 120", Send(edit, kWM_VSCROLL, kSB_LINEDOWN, 0, kBlockAbort, 100),
                   Send(edit, kWM_VSCROLL, kSB_ENDSCROLL, 0, kBlockAbort, 100)}));

    rig.Release(100, 203);
    EXPECT_EQ(rig.Log(), (Log{"RestoreSystemCursors", "ScrollTimer off", "ReleaseCapture", Attach(7, 1, 0)}));
    EXPECT_EQ(rig.engine.State().Phase, GesturePhase::Idle);
    EXPECT_EQ(rig.engine.AutoDirection(), ScrollDirection::None);
}

// Without a direction the click comes back at the release point. The toggle form also gives input
// back (here something had cleared it) before the replay, and its gesture is over while the replay's
// messages are dispatched; the classic form's is still on then.
TEST(Gesture, AutoScrollWithoutADirectionReplaysTheClick) {
    for (const bool toggle : {false, true}) {
        SCOPED_TRACE(toggle ? "toggle" : "classic");
        ScrollRig rig;
        rig.settings.ToggleMode = toggle;
        rig.EditWithVerticalBar();
        rig.record.PassInput = toggle ? 0 : 1;
        bool runningDuringReplay = toggle; // the replay must set it
        rig.pump.whilePumping = [&] {
            runningDuringReplay = rig.engine.State().Phase == GesturePhase::AutoScroll;
        };
        rig.Press(100, 200);
        toggle ? rig.Release(100, 200) : rig.MoveTo(102, 202);
        rig.Log();

        const Point at = toggle ? Point{100, 200} : Point{101, 201};
        rig.Release(at.x, at.y);
        EXPECT_EQ(rig.Log(), Cat({{"RestoreSystemCursors", "ScrollTimer off"},
                                  toggle ? Log{"PassInput=1"} : Log{},
                                  {"ReleaseCapture", Attach(7, 1, 0)},
                                  ClickReplay(at.x, at.y),
                                  {}}));
        EXPECT_EQ(runningDuringReplay, !toggle);
        EXPECT_EQ(rig.engine.State().Phase, GesturePhase::Idle);
        EXPECT_EQ(rig.engine.AutoDirection(), ScrollDirection::None);
    }
}

// Dragging the thumb of a window's own bar needs the bar's geometry from another process, which
// Wine does not give us, so this path is proven here rather than in the end-to-end cases.
TEST(Gesture, ClassicMoveScrollDragsTheThumbOfTheWindowsOwnBar) {
    ScrollRig rig;
    rig.settings.MoveScrollMode = true;
    const WindowHandle edit = rig.EditWithVerticalBar();
    rig.Measure(edit, kOBJID_VSCROLL, ScrollBarGeometry{Rect{300, 100, 317, 400}, 17, 50}, Point{100, 100});
    rig.world.keyboard[kVK_LBUTTON] = 0x01;
    rig.world.keyboard[0x10] = 0x80; // shift held at the start of the drag
    const KeyboardState before = rig.world.keyboard;

    rig.Press(100, 200);
    EXPECT_EQ(rig.Log(), (Log{"WindowFromPoint (100,200)", "GetCursorPos", Cursors("HANDBIZ")}));

    rig.MoveTo(100, 203); // 3 pixels: the axis stays free
    EXPECT_EQ(rig.Log(), Log{});

    rig.MoveTo(100, 204); // 4 pixels: locks vertically and grabs the thumb
    EXPECT_EQ(rig.Log(), (Log{"GetWindowThreadProcessId " + W(edit), "GetCurrentThreadId", Attach(7, 1, -1),
                              "SetCursor HANDVERT", Cursors("HANDVERT"), "GetKeyboardState",
                              "SetKeyboardState lbutton 0x81", "GetScrollBarInfo " + W(edit) + " -5",
                              Post(edit, kWM_NCLBUTTONDOWN, kHTVSCROLL, MakeLParam(301, 151)), Sleep(20),
                              "ScreenToClient " + W(edit) + " (301,151)"}));
    EXPECT_EQ(rig.engine.State().Anchor, (Point{100, 204}));

    rig.MoveTo({{100, 214}, {100, 1000}, {100, 1100}, {100, 0}}); // past the bounds: 300 - 17, then 17
    const auto drag = [&](std::int32_t y) {
        return Post(edit, kWM_MOUSEMOVE, kMK_LBUTTON, MakeLParam(201, y));
    };
    EXPECT_EQ(rig.Log(), (Log{"PassInput=0", drag(61), drag(283), drag(283), drag(17)}));

    rig.Release(100, 0);
    EXPECT_EQ(rig.Log(),
              (Log{"RestoreSystemCursors", Sleep(10), Post(edit, kWM_LBUTTONUP, 0, MakeLParam(201, 17)),
                   "PassInput=1", "SetKeyboardState lbutton 0x1", Attach(7, 1, 0)}));
    EXPECT_EQ(rig.world.keyboard, before);
    EXPECT_EQ(rig.engine.State().Axis, ScrollAxis::None);
}

TEST(Gesture, MoveScrollOnAWheelTargetWithMoveLockRecentresAndIgnoresTheOtherAxis) {
    ScrollRig rig;
    rig.settings.MoveScrollMode = true;
    rig.settings.MoveLock = true;
    const WindowHandle page = rig.WheelPage();

    rig.Press(100, 200);
    rig.Log();
    rig.MoveTo(100, 205);
    EXPECT_EQ(rig.Log(), (Log{"GetWindowThreadProcessId " + W(page), "GetCurrentThreadId", Attach(7, 1, -1),
                              "SetCapture " + W(page), Cursors("HANDVERT")}));

    // Two pixels down (a wheel delta of -2 x 30), our own recentring coming back as a move to LastPos,
    // then a move dominated by the other axis.
    rig.MoveTo({{100, 207}, {100, 205}, {104, 205}});
    EXPECT_EQ(rig.Log(),
              (Log{Send(page, kWM_MOUSEWHEEL, MakeWParam(0, -60), MakeLParam(100, 205), kSMTO_BLOCK, 20),
                   SetCursorPos(100, 205)}));

    rig.Release(100, 205);
    EXPECT_EQ(rig.Log(), (Log{"RestoreSystemCursors", "ReleaseCapture", Attach(7, 1, 0)}));
}

// With MoveBack the cursor returns to where the axis locked, at the release or, when the release
// never came, at the next press before anything else.
TEST(Gesture, MoveBackReturnsTheCursorToWhereTheAxisLocked) {
    for (const bool released : {true, false}) {
        SCOPED_TRACE(released ? "released" : "pressed again");
        ScrollRig rig;
        rig.settings.MoveScrollMode = true;
        rig.settings.MoveBack = true;
        rig.WheelPage();
        rig.Press(100, 200);
        rig.MoveTo(100, 210);
        if (released) {
            rig.MoveTo(100, 250);
            rig.Log();
            rig.Release(100, 250);
            EXPECT_EQ(rig.Log(), (Log{"RestoreSystemCursors", "ReleaseCapture", Attach(7, 1, 0),
                                      SetCursorPos(100, 210)}));
        } else {
            rig.Log();
            rig.Press(300, 300);
            const Log log = rig.Log();
            ASSERT_GE(log.size(), 2u);
            EXPECT_EQ(log[0], SetCursorPos(100, 210));
            EXPECT_EQ(log[1], "WindowFromPoint (300,300)");
            EXPECT_EQ(rig.engine.State().Axis, ScrollAxis::None);
        }
    }
}

TEST(Gesture, ToggleAutoScrollEndsAtTheSecondRelease) {
    ScrollRig rig;
    rig.settings.ToggleMode = true;
    rig.EditWithVerticalBar();

    rig.Press(100, 200);
    rig.Release(100, 200);
    EXPECT_EQ(rig.engine.State().Toggle, ToggleStage::ReleasedOnce);
    rig.MoveTo(100, 190);
    rig.Log();

    rig.Press(100, 190); // the second click's press is ignored
    EXPECT_EQ(rig.Log(), Log{});

    rig.Release(100, 190);
    const Log log = rig.Log();
    EXPECT_EQ(Occurrences(log, "RestoreSystemCursors"), 1);
    EXPECT_EQ(Occurrences(log, "ReleaseCapture"), 1);
    EXPECT_EQ(Occurrences(log, Attach(7, 1, 0)), 1);
    EXPECT_FALSE(Replayed(log)); // a direction had been chosen
    EXPECT_FALSE(rig.scrollTimer.Enabled());
    EXPECT_EQ(rig.engine.State().Toggle, ToggleStage::None);
    EXPECT_EQ(rig.engine.State().Phase, GesturePhase::Idle);
}

TEST(Gesture, ToggleMoveScrollReplaysOnlyForTheActivationButton) {
    for (const bool activation : {true, false}) {
        SCOPED_TRACE(activation ? "activation button" : "other button");
        ScrollRig rig;
        rig.settings.ToggleMode = true;
        rig.settings.MoveScrollMode = true;
        rig.WheelPage();
        rig.Press(100, 200);
        rig.Release(100, 200, kWM_LBUTTONUP); // any button's release advances the stage
        rig.Log();

        rig.Release(100, 200, activation ? kWM_RBUTTONUP : kWM_MBUTTONUP);
        const Log log = rig.Log();
        EXPECT_EQ(log.front(), "RestoreSystemCursors");
        EXPECT_EQ(Occurrences(log, "HooksPaused=1"), activation ? 1 : 0);
        EXPECT_EQ(rig.engine.State().Phase, GesturePhase::Idle);
    }
}

// ---------------------------------------------------------------- presses and releases

// A message (at 100,200 over a window with a vertical bar) that changes nothing; gestureFirst: an
// Auto Scroll gesture is running, started by a right press or, in the toggle form, a right click.
TEST(Gesture, MessagesThatStartOrEndNothingLeaveEverythingAlone) {
    const struct {
        const char* name;
        bool gestureFirst, toggle, scrollEnabled;
        std::uint32_t id;
    } cases[] = {
        {"press with scrolling off", false, false, false, kWM_RBUTTONDOWN},
        {"left is not the activation button", false, false, true, kWM_LBUTTONDOWN},
        {"middle is not the activation button", false, false, true, kWM_NCMBUTTONDOWN},
        {"press while the toggle gesture runs", true, true, true, kWM_RBUTTONDOWN},
        {"a double click has no class", false, false, true, kWM_RBUTTONDBLCLK},
        {"release without a gesture", false, false, true, kWM_RBUTTONUP},
        {"release with scrolling off", true, false, false, kWM_RBUTTONUP},
        {"release of the left button", true, false, true, kWM_LBUTTONUP},
        {"release of the middle button", true, false, true, kWM_MBUTTONUP},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScrollRig rig;
        rig.settings.ToggleMode = c.toggle;
        rig.EditWithVerticalBar();
        if (c.gestureFirst && c.toggle) {
            rig.Press(10, 10);
            rig.Release(10, 10);
            rig.Log();
        } else if (c.gestureFirst) {
            rig.Press(100, 200);
            rig.Log();
        }
        rig.settings.ScrollEnabled = c.scrollEnabled;
        rig.engine.HandleHookMouse(c.id, 100, 200, false);
        EXPECT_EQ(rig.Log(), Log{});
        EXPECT_EQ(rig.engine.State().Phase == GesturePhase::AutoScroll, c.gestureFirst);
    }
}

TEST(Gesture, PressOverAWindowTheProbeRejectsGivesInputBack) {
    ScrollRig rig;
    rig.world.underCursor = rig.windows.AddTopLevel("Plain");
    rig.record.PassInput = 0;
    rig.Press(100, 200);
    const Log log = rig.Log();
    EXPECT_EQ(Occurrences(log, "WindowFromPoint (100,200)"), 1);
    EXPECT_EQ(rig.record.PassInput, 1);
    EXPECT_EQ(rig.engine.State().Phase, GesturePhase::Idle);
    EXPECT_FALSE(rig.scrollTimer.Enabled() || rig.guardTimer.Enabled());
    EXPECT_FALSE(std::any_of(log.begin(), log.end(),
                             [](const std::string& line) { return line.rfind("SystemCursors", 0) == 0; }));
}

TEST(Gesture, NonClientPressAndReleaseCountLikeClientOnes) {
    ScrollRig rig;
    rig.EditWithVerticalBar();
    rig.Press(100, 200, kWM_NCRBUTTONDOWN);
    EXPECT_EQ(rig.engine.State().Phase, GesturePhase::AutoScroll);
    rig.Release(100, 200, kWM_NCRBUTTONUP);
    EXPECT_EQ(rig.engine.State().Phase, GesturePhase::Idle);
}

// ---------------------------------------------------------------- click replay and swapped buttons

TEST(Gesture, ReplayInjectsTheButtonTheUserPressed) {
    const struct {
        std::uint8_t button;
        bool swapped;
        std::uint32_t down, up;
    } cases[] = {
        {1, false, kMOUSEEVENTF_LEFTDOWN, kMOUSEEVENTF_LEFTUP},
        {2, false, kMOUSEEVENTF_MIDDLEDOWN, kMOUSEEVENTF_MIDDLEUP},
        {3, false, kMOUSEEVENTF_RIGHTDOWN, kMOUSEEVENTF_RIGHTUP},
        // Swapped: the logical left button is the physical right one and the other way round.
        {1, true, kMOUSEEVENTF_RIGHTDOWN, kMOUSEEVENTF_RIGHTUP},
        {2, true, kMOUSEEVENTF_MIDDLEDOWN, kMOUSEEVENTF_MIDDLEUP},
        {3, true, kMOUSEEVENTF_LEFTDOWN, kMOUSEEVENTF_LEFTUP},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "button " << int{c.button} << " swapped " << c.swapped);
        ScrollRig rig;
        rig.settings.MoveScrollMode = true;
        rig.settings.ActivateButton = static_cast<MouseButton>(c.button);
        rig.world.swapped = c.swapped;
        rig.WheelPage();
        rig.Press(100, 200, kPressIds[c.button]);
        rig.MoveTo(101, 203); // still within the dead zone
        rig.Log();

        rig.Release(101, 203, kReleaseIds[c.button]);
        const Log replay = ClickReplay(101, 203, c.down, c.up);
        EXPECT_EQ(rig.Log(), Cat({{"RestoreSystemCursors"}, replay}));

        // The same click, swallowed by the hook over a window our probe turns down.
        rig.world.underCursor = rig.windows.AddTopLevel("Plain");
        rig.Press(100, 200, kPressIds[c.button], true);
        rig.Log();
        rig.Release(101, 203, kReleaseIds[c.button], true);
        EXPECT_EQ(rig.Log(), replay);
    }
}

// ---------------------------------------------------------------- a press the hook swallowed

// The hook's probe and ours can disagree about a window (under Wine ours cannot read another
// process's bars at all). A press the hook swallowed and no gesture took comes back as a click
// when the hook swallows its release too; with or without the hook's flag, a gesture runs as ever.
TEST(SwallowedPress, ComesBackAsAClickOnlyWhenNoGestureTookIt) {
    const Log replay = ClickReplay(101, 201);
    const Log gestureReplay = Cat({{"RestoreSystemCursors"}, replay});
    struct Case {
        bool swallowed;
        bool gesture; // our probe takes the window
        bool toggle;
        Log release; // what the release of a click without movement does
    };
    const Case cases[] = {
        {true, false, false, replay},
        // No gesture, so no toggle stage: the first release ends the click.
        {true, false, true, replay},
        {false, false, false, {}}, // the application had the press: a replay would make two clicks
        {false, false, true, {}},
        {true, true, false, gestureReplay},
        {false, true, false, gestureReplay},
        {true, true, true, {}}, // the toggle gesture goes on
        {false, true, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "swallowed " << c.swallowed << " gesture " << c.gesture << " toggle " << c.toggle);
        ScrollRig rig;
        rig.settings.MoveScrollMode = true;
        rig.settings.ToggleMode = c.toggle;
        if (c.gesture) {
            rig.WheelPage();
        } else {
            rig.world.underCursor = rig.windows.AddTopLevel("Plain");
        }
        rig.Press(100, 200, kWM_RBUTTONDOWN, c.swallowed);
        rig.MoveTo(101, 201);
        rig.Log();
        rig.Release(101, 201, kWM_RBUTTONUP, c.swallowed);
        EXPECT_EQ(rig.Log(), c.release);
        EXPECT_EQ(rig.engine.State().Phase == GesturePhase::MoveScroll, c.gesture && c.toggle);
        EXPECT_EQ(rig.engine.State().WaitingClick, MouseButton::None);
    }
}

// What happens to a click that waits for its release (swallowed at 100,200 over a window our
// probe turns down) before the release comes, swallowed, at 101,201.
TEST(SwallowedPress, AWaitingClickIsReplayedOnceOrForgotten) {
    struct Case {
        const char* name;
        std::function<void(ScrollRig&)> meanwhile;
        int replays;
    };
    const Case cases[] = {
        {"nothing", [](ScrollRig&) {}, 1},
        {"moves", [](ScrollRig& r) { r.MoveTo(300, 300); }, 1},
        {"another button's click",
         [](ScrollRig& r) {
             r.Press(100, 200, kWM_LBUTTONDOWN);
             r.Release(100, 200, kWM_LBUTTONUP, true);
         },
         1},
        {"a second swallowed press", [](ScrollRig& r) { r.Press(100, 200, kWM_RBUTTONDOWN, true); }, 1},
        {"a press that was not swallowed", [](ScrollRig& r) { r.Press(100, 200); }, 0},
        {"a release that was not swallowed", [](ScrollRig& r) { r.Release(100, 200); }, 0},
        {"settings applied", [](ScrollRig& r) { r.engine.ResetGestureState(); }, 0},
        {"scrolling switched off: the hook lets the release through",
         [](ScrollRig& r) {
             r.settings.ScrollEnabled = false;
             r.Release(100, 200);
         },
         0},
        {"a gesture started by another button",
         [](ScrollRig& r) {
             r.settings.ActivateButton = MouseButton::Left;
             r.WheelPage();
             r.Press(100, 200, kWM_LBUTTONDOWN, true);
         },
         0},
        {"the same release once more while the replay runs",
         [](ScrollRig& r) { r.pump.whilePumping = [&r] { r.Release(101, 201, kWM_RBUTTONUP, true); }; }, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScrollRig rig;
        rig.world.underCursor = rig.windows.AddTopLevel("Plain");
        rig.Press(100, 200, kWM_RBUTTONDOWN, true);
        c.meanwhile(rig);
        rig.Release(101, 201, kWM_RBUTTONUP, true);
        const Log log = rig.Log();
        EXPECT_EQ(Occurrences(log, MouseEvent(kMOUSEEVENTF_RIGHTDOWN)), c.replays);
        EXPECT_EQ(Occurrences(log, SetCursorPos(101, 201)), c.replays);
    }
}

TEST(Gesture, NothingIsReplayedOnceTheAxisLocked) {
    ScrollRig rig;
    rig.settings.MoveScrollMode = true;
    rig.WheelPage();
    rig.Press(100, 200);
    rig.MoveTo({{100, 204}, {100, 200}});
    rig.Release(100, 200);
    EXPECT_EQ(Occurrences(rig.Log(), "HooksPaused=1"), 0);
}

// ---------------------------------------------------------------- Move Scroll axis lock

TEST(Gesture, AxisLocksBeyondThreePixelsAlongTheDominantAxis) {
    const struct {
        std::int32_t x, y; // from a press at (100,100)
        ScrollAxis axis;
    } cases[] = {
        {100, 103, ScrollAxis::None},       {100, 104, ScrollAxis::Vertical},
        {100, 96, ScrollAxis::Vertical},    {103, 100, ScrollAxis::None},
        {104, 100, ScrollAxis::Horizontal}, {96, 100, ScrollAxis::Horizontal},
        {104, 104, ScrollAxis::Vertical}, // a tie counts vertical
        {105, 104, ScrollAxis::Horizontal}, {101, 103, ScrollAxis::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Pt(c.x, c.y));
        ScrollRig rig;
        rig.settings.MoveScrollMode = true;
        const WindowHandle edit = rig.EditWithVerticalBar();
        rig.windows.SetBarState(edit, kOBJID_HSCROLL, 0);
        rig.Press(100, 100);
        rig.MoveTo(c.x, c.y);
        EXPECT_EQ(rig.engine.State().Axis, c.axis);
        EXPECT_EQ(rig.engine.State().Anchor,
                  c.axis == ScrollAxis::None ? (Point{100, 100}) : (Point{c.x, c.y}));
    }
}

TEST(Gesture, AnAxisWithoutABarStaysFree) {
    ScrollRig rig;
    rig.settings.MoveScrollMode = true;
    const WindowHandle list = rig.windows.AddChild(rig.windows.AddTopLevel("Frame"), "List");
    rig.windows.SetBarState(list, kOBJID_HSCROLL, 0);
    rig.world.underCursor = list;
    rig.Press(100, 100);
    rig.MoveTo(100, 120);
    EXPECT_EQ(rig.engine.State().Axis, ScrollAxis::None);
    rig.MoveTo(130, 120);
    EXPECT_EQ(rig.engine.State().Axis, ScrollAxis::Horizontal);
}

TEST(Gesture, HorizontalStepsOnAWheelTargetSendLines) {
    ScrollRig rig;
    rig.settings.MoveScrollMode = true;
    const WindowHandle page = rig.WheelPage();
    rig.Press(100, 100);
    rig.MoveTo(105, 100);
    EXPECT_EQ(rig.Log().back(), Cursors("HANDHORZ"));
    rig.MoveTo(112, 101);
    const std::string line = Send(page, kWM_HSCROLL, kSB_LINERIGHT, 0, kSMTO_BLOCK, 10);
    EXPECT_EQ(rig.Log(),
              (Log{line, line, line, Send(page, kWM_HSCROLL, kSB_ENDSCROLL, 0, kBlockAbort, 100)}));
    rig.MoveTo(112, 105); // vertical steps are ignored once horizontal locked
    EXPECT_EQ(rig.Log(), Log{});
}

// ---------------------------------------------------------------- Auto Scroll direction

TEST(Gesture, AutoDirectionFollowsTheSteps) {
    const struct {
        const char* name;
        std::vector<Point> moves; // after a press at (100, 100)
        ScrollDirection direction;
        bool inverse = false, moveLock = false;
    } cases[] = {
        {"dead zone corner", {{102, 102}, {98, 98}}, ScrollDirection::None},
        {"right", {{103, 100}}, ScrollDirection::Right},
        {"left", {{97, 100}}, ScrollDirection::Left},
        {"down", {{100, 103}}, ScrollDirection::Down},
        {"up", {{100, 97}}, ScrollDirection::Up},
        {"a tie counts vertical", {{103, 103}}, ScrollDirection::Down},
        {"one-pixel steps leave the zone",
         {{101, 100}, {102, 100}, {103, 100}, {104, 100}},
         ScrollDirection::None},
        {"a one-pixel step keeps the direction", {{103, 100}, {103, 99}, {103, 98}}, ScrollDirection::Right},
        {"two pixels turn", {{103, 100}, {103, 98}}, ScrollDirection::Up},
        {"inverse goes against the step", {{100, 103}}, ScrollDirection::Up, true},
        {"inverse right", {{97, 100}}, ScrollDirection::Right, true},
        {"inverse, one pixel turns", {{100, 103}, {100, 102}}, ScrollDirection::Down, true},
        {"MoveLock follows the offset from the anchor",
         {{100, 110}, {100, 105}},
         ScrollDirection::Down,
         false,
         true},
        {"without MoveLock the last step counts", {{100, 110}, {100, 105}}, ScrollDirection::Up},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScrollRig rig;
        rig.settings.Inverse = c.inverse;
        rig.settings.MoveLock = c.moveLock;
        rig.WheelPage();
        rig.Press(100, 100);
        rig.MoveTo(c.moves);
        EXPECT_EQ(rig.engine.AutoDirection(), c.direction);
    }
}

TEST(Gesture, DirectionCursorChangesOnlyWithTheDirection) {
    ScrollRig rig;
    rig.WheelPage();
    rig.Press(100, 100);
    rig.Log();
    rig.MoveTo({{90, 100}, {80, 100}, {80, 90}, {80, 80}});
    EXPECT_EQ(rig.Log(), (Log{Cursors("LEFTBLACK"), Cursors("UPBLACK")}));
    rig.Release(80, 80);
    EXPECT_EQ(rig.Log().front(), "RestoreSystemCursors");
}

// A monitor left of the primary one: positions are negative, and a move across x = 0 is a step of
// a few pixels. The press looks there, the click comes back there, MoveLock holds the cursor there.
TEST(Gesture, GesturesWorkOnAMonitorLeftOfThePrimary) {
    {
        SCOPED_TRACE("auto scroll and its replay");
        ScrollRig rig;
        rig.WheelPage();
        rig.Press(-500, 300);
        EXPECT_EQ(Occurrences(rig.Log(), "WindowFromPoint (-500,300)"), 1);
        rig.Release(-499, 301);
        EXPECT_EQ(Occurrences(rig.Log(), SetCursorPos(-499, 301)), 1);
        rig.Press(-500, 300);
        rig.MoveTo(-510, 300);
        EXPECT_EQ(rig.engine.AutoDirection(), ScrollDirection::Left);
        EXPECT_EQ(rig.engine.LastPos(), (Point{-510, 300}));
    }
    {
        SCOPED_TRACE("move scroll across x = 0 under MoveLock");
        ScrollRig rig;
        rig.settings.MoveScrollMode = true;
        rig.settings.MoveLock = true;
        const WindowHandle page = rig.WheelPage();
        rig.Press(-2, 100);
        rig.MoveTo(3, 100); // 5 pixels to the right: the horizontal axis locks here
        EXPECT_EQ(rig.engine.State().Axis, ScrollAxis::Horizontal);
        EXPECT_EQ(rig.engine.State().Anchor, (Point{3, 100}));
        rig.Log();
        rig.MoveTo(-4, 100); // 7 pixels back to the left: three lines, and the cursor held at the lock
        const std::string line = Send(page, kWM_HSCROLL, kSB_LINELEFT, 0, kSMTO_BLOCK, 10);
        EXPECT_EQ(rig.Log(),
                  (Log{line, line, line, Send(page, kWM_HSCROLL, kSB_ENDSCROLL, 0, kBlockAbort, 100),
                       SetCursorPos(3, 100)}));
    }
}

// ---------------------------------------------------------------- LastPos and settings

TEST(Gesture, LastPosFollowsEveryMessageOrStaysOnTheAnchorUnderMoveLock) {
    ScrollRig rig;
    rig.WheelPage();
    rig.engine.HandleHookMouse(kWM_MOUSEWHEEL, 40, 50, false); // no class, but still remembered
    EXPECT_EQ(rig.engine.LastPos(), (Point{40, 50}));

    rig.settings.MoveLock = true;
    rig.Press(100, 100);
    rig.MoveTo(130, 140);
    EXPECT_EQ(rig.engine.LastPos(), (Point{100, 100}));
}

TEST(Gesture, ApplyingSettingsForgetsAxisDirectionAndToggleButNotTheGesture) {
    ScrollRig rig;
    rig.settings.ToggleMode = true;
    rig.WheelPage();
    rig.Press(100, 100);
    rig.MoveTo(100, 110);
    ASSERT_EQ(rig.engine.AutoDirection(), ScrollDirection::Down);

    rig.engine.ResetGestureState();
    EXPECT_EQ(rig.engine.AutoDirection(), ScrollDirection::None);
    EXPECT_EQ(rig.engine.State().Toggle, ToggleStage::None);
    EXPECT_EQ(rig.engine.State().Axis, ScrollAxis::None);
    EXPECT_EQ(rig.engine.State().Phase, GesturePhase::AutoScroll);
}

// ---------------------------------------------------------------- a release that never comes

// An Auto Scroll gesture without a direction (a reported release would replay its click). The
// script: 'u' a guard tick with no button held, 'h' a tick with the row's physical key held, 'r'
// the release reported.
TEST(Gesture, ReleaseGuardEndsAGestureOnlyWhenTheButtonStaysUp) {
    const struct {
        const char* name;
        std::uint8_t activate;
        bool swapped, toggle;
        std::uint32_t heldKey;
        const char* script;
        bool running, replayed;
    } cases[] = {
        {"held goes on", 3, false, false, kVK_RBUTTON, "hhhh", true, false},
        {"up once then held again goes on", 3, false, false, kVK_RBUTTON, "uhuhu", true, false},
        {"up twice ends without a click", 3, false, false, kVK_RBUTTON, "huu", false, false},
        {"release reported first ends normally", 3, false, false, kVK_RBUTTON, "ruu", false, true},
        {"swapped right is the physical left", 3, true, false, kVK_LBUTTON, "hhh", true, false},
        {"swapped right ignores the physical right", 3, true, false, kVK_RBUTTON, "hh", false, false},
        {"swapped left is the physical right", 1, true, false, kVK_RBUTTON, "hhh", true, false},
        {"middle never swaps", 2, true, false, kVK_MBUTTON, "hhh", true, false},
        {"toggle has no guard", 3, false, true, kVK_RBUTTON, "uuuu", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScrollRig rig;
        rig.settings.ActivateButton = static_cast<MouseButton>(c.activate);
        rig.settings.ToggleMode = c.toggle;
        rig.world.swapped = c.swapped;
        rig.EditWithVerticalBar();
        rig.Press(100, 200, kPressIds[c.activate]);
        if (c.toggle) {
            rig.Release(100, 200, kReleaseIds[c.activate]);
        }
        rig.Log();
        for (const char* step = c.script; *step != '\0'; ++step) {
            rig.world.keysDown.clear();
            if (*step == 'h') {
                rig.world.keysDown.insert(c.heldKey);
            }
            *step == 'r' ? rig.Release(100, 200, kReleaseIds[c.activate]) : rig.GuardTick();
        }
        const Log log = rig.Log();
        EXPECT_EQ(rig.engine.State().Phase == GesturePhase::AutoScroll, c.running);
        EXPECT_EQ(rig.guardTimer.Enabled(), c.running && !c.toggle);
        EXPECT_EQ(Replayed(log), c.replayed);
    }
}

// The guard ends a gesture that was still a click without replaying it, but the click is not lost:
// a busy target may take the release late, and the hook's report of it (swallowed, at its own
// point) brings the click back, once. A new press of the button forgets it.
TEST(Gesture, ReleaseGuardKeepsAClickForALateRelease) {
    struct Case {
        const char* name;
        bool move;                              // Move Scroll, else Auto Scroll
        std::function<void(ScrollRig&)> during; // before the guard ends the gesture
        std::function<void(ScrollRig&)> after;  // after it, before the late release
        bool swallowed;                         // the late release as the hook reports it
        int replays;
    };
    const auto nothing = [](ScrollRig&) {};
    const Case cases[] = {
        {"auto scroll, no direction", false, nothing, nothing, true, 1},
        {"move scroll, no axis", true, nothing, nothing, true, 1},
        {"auto scroll, a direction chosen", false, [](ScrollRig& r) { r.MoveTo(100, 210); }, nothing, true,
         0},
        {"move scroll, the axis locked", true, [](ScrollRig& r) { r.MoveTo(100, 210); }, nothing, true, 0},
        {"the release reached the application", false, nothing, nothing, false, 0},
        {"a new press first", false, nothing,
         [](ScrollRig& r) {
             r.world.underCursor = r.windows.AddTopLevel("Plain");
             r.Press(300, 300);
         },
         true, 0},
        {"the same release twice", false, nothing,
         [](ScrollRig& r) { r.Release(102, 203, kWM_RBUTTONUP, true); }, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScrollRig rig;
        rig.settings.MoveScrollMode = c.move;
        rig.WheelPage();
        rig.Press(100, 200, kWM_RBUTTONDOWN, true);
        c.during(rig);
        rig.GuardTick();
        rig.GuardTick();
        ASSERT_FALSE(rig.engine.Gesturing());
        EXPECT_FALSE(Replayed(rig.Log()));
        c.after(rig);
        rig.Release(102, 203, kWM_RBUTTONUP, c.swallowed);
        const Log log = rig.Log();
        EXPECT_EQ(Occurrences(log, MouseEvent(kMOUSEEVENTF_RIGHTDOWN)), c.replays);
        EXPECT_EQ(Occurrences(log, SetCursorPos(102, 203)), c.replays);
    }
}

// Switching scrolling off ends a running gesture as a release would, without a click: the cursors
// back, the timers and the capture let go, the input given back; a release that comes afterwards
// changes nothing.
TEST(Gesture, SwitchingScrollingOffEndsAGestureWithoutAClick) {
    struct Case {
        const char* name;
        bool toggle, move;
        std::function<void(ScrollRig&)> during;
    };
    const auto nothing = [](ScrollRig&) {};
    const Case cases[] = {
        {"toggle auto scroll, no direction", true, false, nothing},
        {"toggle auto scroll going down", true, false, [](ScrollRig& r) { r.MoveTo(100, 210); }},
        {"toggle move scroll, no axis", true, true, nothing},
        {"toggle move scroll dragging", true, true,
         [](ScrollRig& r) {
             r.MoveTo({{100, 210}, {100, 220}});
         }},
        {"classic auto scroll, no direction", false, false, nothing},
        {"classic move scroll dragging", false, true,
         [](ScrollRig& r) {
             r.MoveTo({{100, 210}, {100, 220}});
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScrollRig rig;
        Ledger ledger;
        rig.world.ledger = &ledger;
        rig.settings.ToggleMode = c.toggle;
        rig.settings.MoveScrollMode = c.move;
        const WindowHandle edit = rig.EditWithVerticalBar();
        rig.Measure(edit, kOBJID_VSCROLL, ScrollBarGeometry{Rect{300, 100, 317, 400}, 17, 50},
                    Point{100, 100});
        rig.Press(100, 200);
        if (c.toggle) {
            rig.Release(100, 200);
        }
        c.during(rig);
        rig.Log();

        rig.settings.ScrollEnabled = false;
        rig.engine.ScrollingSwitchedOff();
        rig.Release(100, 220);
        const Log log = rig.Log();
        EXPECT_EQ(Occurrences(log, "RestoreSystemCursors"), 1);
        EXPECT_FALSE(Replayed(log));
        EXPECT_FALSE(rig.engine.Gesturing());
        EXPECT_EQ(rig.engine.State().Toggle, ToggleStage::None);
        EXPECT_FALSE(rig.scrollTimer.Enabled() || rig.guardTimer.Enabled());
        EXPECT_EQ(rig.record.PassInput, 1);
        for (const auto& [kind, held] : ledger.Outstanding()) {
            EXPECT_EQ(held, 0u) << kind;
        }
        EXPECT_TRUE(ledger.Faults().empty());
    }
}

// A gesture that ends without the user's release may end while its target hangs. Giving up the
// capture waits for the target's thread, so nothing is let go until the target answers again: a
// tick of the guard's timer asks it, and a new gesture detaches at once, leaving the capture.
TEST(Gesture, EndingWithoutAReleaseNeverWaitsForAHungTarget) {
    struct Case {
        const char* name;
        bool move; // a Move Scroll gesture locked on a wheel target, else Auto Scroll
        std::function<void(ScrollRig&)> end;
    };
    const Case cases[] = {
        {"the guard", false,
         [](ScrollRig& r) {
             r.GuardTick();
             r.GuardTick();
         }},
        {"scrolling switched off", false,
         [](ScrollRig& r) {
             r.settings.ScrollEnabled = false;
             r.engine.ScrollingSwitchedOff();
         }},
        {"settings applied", true, [](ScrollRig& r) { r.engine.ResetGestureState(); }},
    };
    for (const Case& c : cases) {
        for (const bool newGesture : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.name << (newGesture ? ", then a new gesture" : ""));
            ScrollRig rig;
            Ledger ledger;
            rig.world.ledger = &ledger;
            rig.settings.MoveScrollMode = c.move;
            const WindowHandle page = rig.WheelPage();
            rig.Press(100, 200);
            rig.MoveTo(100, 210);
            rig.world.targetAnswers = false;
            rig.Log();

            c.end(rig);
            Log log = rig.Log();
            EXPECT_EQ(Occurrences(log, "Answers " + W(page) + " 30ms"), 1);
            EXPECT_EQ(Occurrences(log, "ReleaseCapture") + Occurrences(log, Attach(7, 1, 0)), 0);
            EXPECT_FALSE(rig.engine.Gesturing());
            EXPECT_TRUE(rig.guardTimer.Enabled());
            rig.GuardTick(); // still hung
            EXPECT_EQ(Occurrences(rig.Log(), "ReleaseCapture"), 0);

            if (newGesture) {
                rig.settings.ScrollEnabled = true;
                rig.Press(300, 300);
                log = rig.Log();
                EXPECT_EQ(Occurrences(log, Attach(7, 1, 0)), 1);
                EXPECT_EQ(Occurrences(log, "ReleaseCapture"), 0);
                EXPECT_EQ(ledger.Outstanding().at("thread input attachment"), c.move ? 0u : 1u);
                continue;
            }
            rig.world.targetAnswers = true;
            rig.GuardTick();
            log = rig.Log();
            EXPECT_EQ(log, (Log{"Answers " + W(page) + " 30ms", "ReleaseCapture", Attach(7, 1, 0)}));
            EXPECT_FALSE(rig.guardTimer.Enabled());
            for (const auto& [kind, held] : ledger.Outstanding()) {
                EXPECT_EQ(held, 0u) << kind;
            }
        }
    }
}

// A thumb drag that ends without its release, by the guard or by settings applied in the middle of
// it, ends as a release would: the thumb let go, the keyboard state back, the input detached, and
// no click replayed, then or at a later release.
TEST(Gesture, DragEndedWithoutReleaseLetsGoOfTheThumbAndReplaysNothing) {
    for (const bool guard : {true, false}) {
        SCOPED_TRACE(guard ? "guard" : "settings applied");
        ScrollRig rig;
        rig.settings.MoveScrollMode = true;
        const WindowHandle edit = rig.EditWithVerticalBar();
        rig.Measure(edit, kOBJID_VSCROLL, ScrollBarGeometry{Rect{300, 100, 317, 400}, 17, 50},
                    Point{100, 100});
        rig.Press(100, 200);
        rig.MoveTo({{100, 204}, {100, 214}});
        rig.Log();

        if (guard) {
            rig.GuardTick();
            rig.GuardTick();
        } else {
            rig.engine.ResetGestureState();
        }
        rig.Release(100, 214);
        const Log log = rig.Log();
        EXPECT_EQ(Occurrences(log, Post(edit, kWM_LBUTTONUP, 0, MakeLParam(201, 61))), 1);
        EXPECT_EQ(Occurrences(log, "SetKeyboardState lbutton 0"), 1);
        EXPECT_EQ(Occurrences(log, Attach(7, 1, 0)), 1);
        EXPECT_EQ(rig.record.PassInput, 1);
        EXPECT_FALSE(Replayed(log));
        EXPECT_EQ(rig.engine.State().Phase, GesturePhase::Idle);
        EXPECT_FALSE(rig.guardTimer.Enabled());
    }
}

// Every way a gesture ends leaves the engine idle: no phase, no toggle stage, axis or direction,
// the cursors back once, the timers off, the input given back. A click comes back only at a
// release of the activation button that ends a gesture that was still a click; the guard keeps
// such a click waiting for a late release instead.
TEST(Gesture, EveryEndLeavesTheEngineIdle) {
    enum class How { Release, OtherButtonRelease, Guard, Apply, SwitchOff };
    const struct {
        const char* name;
        bool toggle, move, moved; // moved: the axis locked or the direction chosen
        How how;
        int replays;
        MouseButton waiting;
    } cases[] = {
        {"release, auto scroll, a click", false, false, false, How::Release, 1, MouseButton::None},
        {"release, auto scroll going down", false, false, true, How::Release, 0, MouseButton::None},
        {"release, move scroll, a click", false, true, false, How::Release, 1, MouseButton::None},
        {"release, move scroll locked", false, true, true, How::Release, 0, MouseButton::None},
        {"toggle click, auto scroll, a click", true, false, false, How::Release, 1, MouseButton::None},
        {"toggle click of another button", true, false, false, How::OtherButtonRelease, 0, MouseButton::None},
        {"toggle click, move scroll, a click", true, true, false, How::Release, 1, MouseButton::None},
        {"toggle click, move scroll locked", true, true, true, How::Release, 0, MouseButton::None},
        {"guard, auto scroll, a click", false, false, false, How::Guard, 0, MouseButton::Right},
        {"guard, auto scroll going down", false, false, true, How::Guard, 0, MouseButton::None},
        {"guard, move scroll locked", false, true, true, How::Guard, 0, MouseButton::None},
        {"settings applied, move scroll locked", false, true, true, How::Apply, 0, MouseButton::None},
        {"settings applied, toggle move scroll locked", true, true, true, How::Apply, 0, MouseButton::None},
        {"scrolling off, toggle auto scroll, a click", true, false, false, How::SwitchOff, 0,
         MouseButton::None},
        {"scrolling off, move scroll locked", false, true, true, How::SwitchOff, 0, MouseButton::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScrollRig rig;
        rig.settings.ToggleMode = c.toggle;
        rig.settings.MoveScrollMode = c.move;
        rig.WheelPage();
        rig.Press(100, 200);
        if (c.toggle) {
            rig.Release(100, 200);
        }
        if (c.moved) {
            rig.MoveTo(100, 210);
        }
        ASSERT_TRUE(rig.engine.Gesturing());
        rig.Log();

        switch (c.how) {
        case How::Release:
            rig.Release(rig.engine.LastPos().x, rig.engine.LastPos().y);
            break;
        case How::OtherButtonRelease:
            rig.Release(100, 200, kWM_MBUTTONUP);
            break;
        case How::Guard:
            rig.GuardTick();
            rig.GuardTick();
            break;
        case How::Apply:
            rig.engine.ResetGestureState();
            break;
        case How::SwitchOff:
            rig.settings.ScrollEnabled = false;
            rig.engine.ScrollingSwitchedOff();
            break;
        }
        const Log log = rig.Log();
        const GestureState& state = rig.engine.State();
        EXPECT_EQ(state.Phase, GesturePhase::Idle);
        EXPECT_EQ(state.Toggle, ToggleStage::None);
        EXPECT_EQ(state.Axis, ScrollAxis::None);
        EXPECT_EQ(state.Direction, ScrollDirection::None);
        EXPECT_EQ(state.WaitingClick, c.waiting);
        EXPECT_EQ(Occurrences(log, "RestoreSystemCursors"), 1);
        EXPECT_EQ(Occurrences(log, MouseEvent(kMOUSEEVENTF_RIGHTDOWN)), c.replays);
        EXPECT_FALSE(rig.scrollTimer.Enabled() || rig.guardTimer.Enabled());
        EXPECT_EQ(rig.record.PassInput, 1);
        EXPECT_EQ(rig.record.HooksPaused, 0);
    }
}

// A Toggle gesture has no guard, also when it begins while the guard still asks the hung target of
// an earlier Classic gesture: the new gesture leaves that target, and the guard stops with it
// instead of taking the Toggle gesture's button, up all along, for a lost release.
TEST(Gesture, AToggleGestureAfterAHungTargetRunsWithoutTheGuard) {
    ScrollRig rig;
    rig.WheelPage();
    rig.Press(100, 200);
    rig.world.targetAnswers = false;
    rig.GuardTick();
    rig.GuardTick();
    ASSERT_FALSE(rig.engine.Gesturing());
    ASSERT_TRUE(rig.guardTimer.Enabled()); // asking the hung target

    rig.settings.ToggleMode = true;
    rig.engine.ResetGestureState();
    rig.Press(100, 200);
    rig.Release(100, 200);
    EXPECT_FALSE(rig.guardTimer.Enabled());
    rig.GuardTick();
    rig.GuardTick();
    rig.GuardTick();
    EXPECT_EQ(rig.engine.State().Phase, GesturePhase::AutoScroll);
    EXPECT_EQ(rig.engine.State().Toggle, ToggleStage::ReleasedOnce);
}

} // namespace
} // namespace gw::test
