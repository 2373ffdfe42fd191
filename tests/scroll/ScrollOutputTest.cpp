// The messages that scroll the target: Auto Scroll ticks, wheel and line steps, thumb drags on a
// separate control and on a window's own bar. Driven through the engine, as the user would.

#include "tests/scroll/ScrollRig.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace gw::test {
namespace {

using namespace gw::win;

Log Lines(WindowHandle target, std::uint32_t message, std::uint32_t code, WindowHandle bar) {
    const auto lParam = static_cast<std::intptr_t>(bar.value);
    return {Send(target, message, code, lParam, kBlockAbort, 100),
            Send(target, message, kSB_ENDSCROLL, lParam, kBlockAbort, 100)};
}

// ---------------------------------------------------------------- Auto Scroll ticks

// The window under the cursor: an "Edit" with its own bar, a "View" beside a "Panel" that holds a
// vertical scroll bar control (the messages go to the panel, naming the bar), or a wheel target.
enum class Target {
    OwnVertical,
    OwnHorizontal,
    SiblingVertical,
    WheelPage,
    Chromium,
    Wpf,
    CoreWindow,
    OwnBoth
};
const char* const kWheelClasses[] = {"MozillaWindowClass", "Chrome_RenderWidgetHostHWND",
                                     "HwndWrapper[App;;1]", "Windows.UI.Core.CoreWindow"};

struct Scene {
    WindowHandle pointed, target, bar;
};

Scene Build(ScrollRig& rig, Target kind) {
    const WindowHandle frame = rig.windows.AddTopLevel("Frame");
    Scene s;
    if (kind == Target::SiblingVertical) {
        s.pointed = rig.windows.AddChild(frame, "View");
        s.target = rig.windows.AddChild(frame, "Panel");
        s.bar = rig.windows.AddChild(s.target, "ScrollBar", kSBS_VERT);
    } else if (kind == Target::OwnVertical || kind == Target::OwnHorizontal || kind == Target::OwnBoth) {
        s.pointed = s.target = rig.windows.AddChild(frame, "Edit");
        if (kind != Target::OwnHorizontal) {
            rig.windows.SetBarState(s.target, kOBJID_VSCROLL, 0);
        }
        if (kind != Target::OwnVertical) {
            rig.windows.SetBarState(s.target, kOBJID_HSCROLL, 0);
        }
    } else {
        s.pointed = s.target = rig.windows.AddChild(frame, kWheelClasses[static_cast<int>(kind) - 3]);
    }
    rig.world.underCursor = s.pointed;
    return s;
}

// A tick of an Auto Scroll gesture pressed at (500,400) and moved by `move`. A scroll message
// sends a line (arg: its code) then SB_ENDSCROLL, a wheel message one turn (arg: the delta); message
// 0 injects a horizontal turn of arg under the cursor; interval 0: nothing is sent at all.
TEST(Output, AutoScrollTickSetsTheIntervalThenSends) {
    const struct {
        const char* name;
        Target kind;
        Point move;
        int horzSlider, vertSlider;
        std::uint32_t interval, message = 0;
        std::int32_t arg = 0;
    } cases[] = {
        {"down slowest", Target::OwnVertical, {0, 10}, 60, 0, 600, kWM_VSCROLL, kSB_LINEDOWN},
        {"up fastest", Target::OwnVertical, {0, -10}, 0, 60, 120, kWM_VSCROLL, kSB_LINEUP},
        {"right slowest", Target::OwnHorizontal, {10, 0}, 0, 60, 150, kWM_HSCROLL, kSB_LINERIGHT},
        {"left fastest", Target::OwnHorizontal, {-10, 0}, 60, 0, 30, kWM_HSCROLL, kSB_LINELEFT},
        {"wheel up at 20", Target::WheelPage, {0, -10}, 0, 20, 200, kWM_MOUSEWHEEL, 34},
        {"wheel down at 20", Target::WheelPage, {0, 10}, 0, 20, 200, kWM_MOUSEWHEEL, -34},
        {"wheel at 0", Target::WheelPage, {0, -10}, 0, 0, 200, kWM_MOUSEWHEEL, 4},
        {"wheel at 60", Target::WheelPage, {0, -10}, 0, 60, 200, kWM_MOUSEWHEEL, 94},
        {"a wheel target sideways uses lines",
         Target::WheelPage,
         {10, 0},
         60,
         0,
         30,
         kWM_HSCROLL,
         kSB_LINERIGHT},
        {"Chromium right turns the horizontal wheel at the horizontal speed",
         Target::Chromium,
         {10, 0},
         20,
         60,
         200,
         kWM_MOUSEHWHEEL,
         34},
        {"Chromium left", Target::Chromium, {-10, 0}, 60, 0, 200, kWM_MOUSEHWHEEL, -94},
        {"CoreWindow right", Target::CoreWindow, {10, 0}, 60, 0, 200, 0, 94},
        {"a sibling control goes to its parent naming the bar",
         Target::SiblingVertical,
         {0, 10},
         0,
         60,
         120,
         kWM_VSCROLL,
         kSB_LINEDOWN},
        {"vertical on a horizontal-only window sends nothing", Target::OwnHorizontal, {0, 10}, 60, 60, 0},
        {"no direction yet sends nothing", Target::OwnVertical, {1, 1}, 60, 60, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScrollRig rig;
        const Scene s = Build(rig, c.kind);
        rig.Press(500, 400); // the fake's cursor is there too
        rig.MoveTo(500 + c.move.x, 400 + c.move.y);
        rig.horzSlider.SetPosition(c.horzSlider);
        rig.vertSlider.SetPosition(c.vertSlider);
        rig.Log();

        rig.Tick();
        Log sent;
        if (c.message == kWM_VSCROLL || c.message == kWM_HSCROLL) {
            sent = Lines(s.target, c.message, static_cast<std::uint32_t>(c.arg), s.bar);
        } else if (c.message != 0) {
            sent = {Send(s.target, c.message, MakeWParam(0, c.arg), MakeLParam(500, 400), kSMTO_BLOCK, 20)};
        } else {
            sent = {"HooksPaused=1", "GetCursorPos", "WindowFromPoint (500,400)",
                    Inject(kMOUSEEVENTF_HWHEEL, c.arg), "HooksPaused=0"};
        }
        EXPECT_EQ(rig.Log(), c.interval == 0
                                 ? Log{}
                                 : Cat({{"ScrollTimer interval " + std::to_string(c.interval)}, sent}));
    }
}

TEST(Output, SlidersAreReadAtEveryTickAndTheIntervalCarriesIntoTheNextGesture) {
    ScrollRig rig;
    rig.EditWithVerticalBar();
    rig.Press(100, 100);
    rig.MoveTo(100, 110);
    rig.vertSlider.SetPosition(10);
    rig.Tick();
    rig.vertSlider.SetPosition(50);
    rig.Tick();
    rig.Release(100, 110);
    rig.Log();

    rig.Press(100, 100);
    const Log log = rig.Log();
    EXPECT_EQ(rig.scrollTimer.Interval(), 200u); // 600 - 8 x 50, from the last tick
    EXPECT_EQ(std::count(log.begin(), log.end(), "ScrollTimer interval 200"), 0);
}

TEST(Output, TicksAfterTheGestureEndedDoNothing) {
    ScrollRig rig;
    rig.EditWithVerticalBar();
    rig.Press(100, 100);
    rig.MoveTo(100, 110);
    rig.Release(100, 110);
    rig.Log();
    rig.engine.ScrollTimerTimer(0);
    EXPECT_EQ(rig.Log(), Log{});
}

// ---------------------------------------------------------------- Move Scroll on a wheel target

// Steps after the axis locked (at 100,104, or at 104,100 sideways, where the horizontal wheel
// turns and right is towards the end) send the distance times the family's factor in 16 bits.
TEST(Output, MoveScrollWheelSteps) {
    const struct {
        const char* className;
        std::int32_t step;
        bool inverse;
        std::int32_t delta;
        bool sideways = false;
    } cases[] = {
        {"MozillaWindowClass", 1, false, -30}, // down scrolls towards the end
        {"MozillaWindowClass", -2, false, 60},
        {"MozillaWindowClass", 1, true, 30},
        {"SALFRAME", 3, false, -30}, // factor ten
        {"Internet Explorer_Server", -3, true, -30},
        {"MozillaWindowClass", 1100, false, 32536}, // 33000 wraps to -32536 in 16 bits; negated
        {"Chrome_RenderWidgetHostHWND", 3, false, 30, true},
        {"Chrome_RenderWidgetHostHWND", -2, false, -20, true},
        {"Qt5QWindowIcon", 3, true, -30, true},
        {"Qt6QWindowIcon", -1, true, 10, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.className << " " << c.step << " inverse " << c.inverse);
        ScrollRig rig;
        rig.settings.MoveScrollMode = true;
        rig.settings.Inverse = c.inverse;
        const WindowHandle page = rig.windows.AddChild(rig.windows.AddTopLevel("Frame"), c.className);
        rig.world.underCursor = page;
        const Point anchor = c.sideways ? Point{104, 100} : Point{100, 104};
        rig.Press(100, 100);
        rig.MoveTo(anchor.x, anchor.y);
        rig.Log();
        rig.MoveTo(anchor.x + (c.sideways ? c.step : 0), anchor.y + (c.sideways ? 0 : c.step));
        EXPECT_EQ(rig.Log(),
                  (Log{Send(page, c.sideways ? kWM_MOUSEHWHEEL : kWM_MOUSEWHEEL, MakeWParam(0, c.delta),
                            MakeLParam(anchor.x, anchor.y), kSMTO_BLOCK, 20)}));
    }
}

// Sideways steps on a wheel target send one line per two pixels, then SB_ENDSCROLL.
TEST(Output, MoveScrollLineSteps) {
    const struct {
        std::int32_t dx; // after the axis locked
        bool inverse;
        std::uint32_t code;
        int lines;
    } cases[] = {
        {1, false, kSB_LINERIGHT, 0}, {7, false, kSB_LINERIGHT, 3}, {-8, false, kSB_LINELEFT, 4},
        {7, true, kSB_LINELEFT, 3},   {-2, true, kSB_LINERIGHT, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << " inverse " << c.inverse);
        ScrollRig rig;
        rig.settings.MoveScrollMode = true;
        rig.settings.Inverse = c.inverse;
        const WindowHandle page = rig.WheelPage();
        rig.Press(100, 100);
        rig.MoveTo(104, 100);
        rig.Log();
        rig.MoveTo(104 + c.dx, 100);
        Log expected(static_cast<std::size_t>(c.lines), Send(page, kWM_HSCROLL, c.code, 0, kSMTO_BLOCK, 10));
        expected.push_back(Send(page, kWM_HSCROLL, kSB_ENDSCROLL, 0, kBlockAbort, 100));
        EXPECT_EQ(rig.Log(), expected);
    }
}

// ---------------------------------------------------------------- whole notches and injected input

// A family that scrolls a fixed distance per wheel message gets whole notches only; the rest waits
// for the next tick.
TEST(Output, AutoScrollOnAWholeNotchFamilySendsANotchOnceTheTicksMakeOne) {
    ScrollRig rig;
    const Scene scene = Build(rig, Target::Wpf);
    rig.world.cursor = Point{500, 400};
    rig.Press(500, 400);
    rig.MoveTo(500, 410);
    rig.vertSlider.SetPosition(60); // 94 a tick
    rig.Tick();
    rig.Log();
    const Log notch{
        Send(scene.target, kWM_MOUSEWHEEL, MakeWParam(0, -120), MakeLParam(500, 400), kSMTO_BLOCK, 20)};
    for (const Log& expected : {notch, notch, notch, Log{}}) { // 188, 162, 136, then 110 kept back
        rig.Tick();
        EXPECT_EQ(rig.Log(), expected);
    }
}

TEST(Output, MoveScrollOnAWholeNotchFamilyKeepsBackPartsOfANotchWithinAGestureOnly) {
    ScrollRig rig;
    rig.settings.MoveScrollMode = true;
    const Scene scene = Build(rig, Target::Wpf);
    const auto notch = [&](std::int16_t delta) {
        return Log{
            Send(scene.target, kWM_MOUSEWHEEL, MakeWParam(0, delta), MakeLParam(100, 104), kSMTO_BLOCK, 20)};
    };
    rig.Press(100, 100);
    rig.MoveTo(100, 104);
    rig.Log();
    const struct {
        std::int32_t y;
        Log expected;
    } steps[] = {{109, {}}, {114, {}}, {119, notch(-120)}, {103, notch(120)}, {112, {}}}; // left: -80
    for (const auto& step : steps) {
        rig.MoveTo(100, step.y);
        EXPECT_EQ(rig.Log(), step.expected) << step.y;
    }
    rig.Release(100, 112);

    rig.Press(100, 100);
    rig.MoveTo(100, 104);
    rig.Log();
    rig.MoveTo(100, 109); // -50: with the -80 of the last gesture it would make a notch
    EXPECT_EQ(rig.Log(), Log{});
}

// On a family that takes only real input the wheel is injected under the cursor with the hooks
// paused; when the cursor has left the window it visits the anchor for the turn.
TEST(Output, InjectedWheelGoesToTheWindowUnderTheCursor) {
    for (const bool away : {false, true}) {
        SCOPED_TRACE(away ? "away" : "over the window");
        ScrollRig rig;
        rig.settings.MoveScrollMode = true;
        Build(rig, Target::CoreWindow);
        rig.Press(100, 100);
        away ? rig.MoveTo(104, 100) : rig.MoveTo(100, 104);
        rig.Log();
        rig.world.cursor = Point{300, 350};
        if (away) {
            rig.world.underCursor = rig.windows.AddTopLevel("Other");
        }
        away ? rig.MoveTo(107, 100) : rig.MoveTo(100, 107);
        const Log probe{"HooksPaused=1", "GetCursorPos", "WindowFromPoint (300,350)"};
        EXPECT_EQ(rig.Log(), away ? Cat({probe,
                                         {SetCursorPos(104, 100), Inject(kMOUSEEVENTF_HWHEEL, 30), Sleep(20),
                                          SetCursorPos(300, 350), "HooksPaused=0"}})
                                  : Cat({probe, {Inject(kMOUSEEVENTF_WHEEL, -30), "HooksPaused=0"}}));
    }
}

// ---------------------------------------------------------------- thumb drags

TEST(Output, DragOnASeparateControlGrabsInItsClientCoordinates) {
    ScrollRig rig;
    rig.settings.MoveScrollMode = true;
    const Scene scene = Build(rig, Target::SiblingVertical);
    rig.Measure(scene.bar, kOBJID_CLIENT, ScrollBarGeometry{Rect{400, 100, 417, 300}, 17, 30},
                Point{400, 100});
    rig.Press(100, 100);
    rig.Log();

    rig.MoveTo(100, 110);
    EXPECT_EQ(rig.Log(), (Log{"GetWindowThreadProcessId " + W(scene.pointed), "GetCurrentThreadId",
                              Attach(7, 1, -1), "SetCursor HANDVERT", Cursors("HANDVERT"), "GetKeyboardState",
                              "SetKeyboardState lbutton 0x81", "GetScrollBarInfo " + W(scene.bar) + " -4",
                              "ScreenToClient " + W(scene.bar) + " (401,131)",
                              Post(scene.bar, kWM_LBUTTONDOWN, kMK_LBUTTON, MakeLParam(1, 31)), Sleep(20)}));

    rig.MoveTo(100, 115);
    rig.Release(100, 115);
    EXPECT_EQ(rig.Log(),
              (Log{"PassInput=0", Post(scene.bar, kWM_MOUSEMOVE, kMK_LBUTTON, MakeLParam(1, 36)),
                   "RestoreSystemCursors", Sleep(10), Post(scene.bar, kWM_LBUTTONUP, 0, MakeLParam(1, 36)),
                   "PassInput=1", "SetKeyboardState lbutton 0", Attach(7, 1, 0)}));
}

TEST(Output, HorizontalDragOnTheOwnBarWithInverseMovesAgainstTheMouse) {
    ScrollRig rig;
    rig.settings.MoveScrollMode = true;
    rig.settings.Inverse = true;
    const Scene scene = Build(rig, Target::OwnHorizontal);
    rig.Measure(scene.target, kOBJID_HSCROLL, ScrollBarGeometry{Rect{100, 300, 400, 317}, 17, 40},
                Point{100, 100});
    rig.Press(200, 200);
    rig.MoveTo(205, 200);
    EXPECT_EQ(Occurrences(rig.Log(), Post(scene.target, kWM_NCLBUTTONDOWN, kHTHSCROLL, MakeLParam(141, 301))),
              1);

    rig.MoveTo(215, 200); // right by 10: the thumb goes left by 10
    rig.MoveTo(300, 200); // far right: the thumb stops at the left bound (17)
    EXPECT_EQ(rig.Log(),
              (Log{"PassInput=0", Post(scene.target, kWM_MOUSEMOVE, kMK_LBUTTON, MakeLParam(31, 201)),
                   Post(scene.target, kWM_MOUSEMOVE, kMK_LBUTTON, MakeLParam(17, 201))}));
}

TEST(Output, BarTooShortForItsButtonsGetsNoMoves) {
    ScrollRig rig;
    rig.settings.MoveScrollMode = true;
    const WindowHandle edit = rig.EditWithVerticalBar();
    rig.Measure(edit, kOBJID_VSCROLL, ScrollBarGeometry{Rect{300, 100, 317, 120}, 17, 0}, Point{});
    rig.Press(100, 100);
    rig.MoveTo(100, 110);
    rig.Log();
    rig.MoveTo(100, 111);
    rig.MoveTo(100, 90);
    EXPECT_EQ(rig.Log(), (Log{"PassInput=0"}));
}

TEST(Output, BarThatCannotBeMeasuredIsNeitherGrabbedNorReleasedButTheKeyboardComesBack) {
    ScrollRig rig;
    rig.settings.MoveScrollMode = true;
    const WindowHandle edit = rig.EditWithVerticalBar(); // no geometry: GetScrollBarInfo fails
    rig.world.keyboard[kVK_LBUTTON] = 0x01;
    const KeyboardState before = rig.world.keyboard;
    rig.Press(100, 100);
    rig.MoveTo(100, 110);
    EXPECT_EQ(rig.Log().back(), "GetScrollBarInfo " + W(edit) + " -5");

    rig.MoveTo(100, 120);
    rig.Release(100, 120);
    EXPECT_EQ(rig.Log(), (Log{"PassInput=0", "RestoreSystemCursors", "PassInput=1",
                              "SetKeyboardState lbutton 0x1", Attach(7, 1, 0)}));
    EXPECT_EQ(rig.world.keyboard, before);
}

TEST(Output, TargetOnOurOwnThreadIsNeitherAttachedNorCaptured) {
    ScrollRig rig;
    const WindowHandle page = rig.WheelPage();
    rig.world.windowThreads[page.value] = 1;
    rig.Press(100, 100);
    for (const std::string& line : rig.Log()) {
        EXPECT_FALSE(line.starts_with("AttachThreadInput") || line.starts_with("SetCapture")) << line;
    }
    rig.Release(100, 100);
    EXPECT_EQ(Occurrences(rig.Log(), Attach(1, 1, 0)), 1); // detaching is harmless
}

// ---------------------------------------------------------------- the speed follows the distance

// What the log's scroll messages and injected turns amount to towards the end of the page (down,
// right): lines, or units of the wheel.
struct Scrolled {
    double down = 0;
    double right = 0;
};
Scrolled Tally(const Log& log) {
    Scrolled total;
    for (const std::string& line : log) {
        unsigned message = 0, wp = 0;
        int delta = 0;
        if (std::sscanf(line.c_str(), "SendInput %x %d", &message, &delta) == 2) {
            (message == kMOUSEEVENTF_WHEEL ? total.down : total.right) +=
                message == kMOUSEEVENTF_WHEEL ? -delta : delta;
        } else if (std::sscanf(line.c_str(), "Send %*s %x %x", &message, &wp) == 2) {
            const int step = wp == kSB_LINEDOWN ? 1 : wp == kSB_LINEUP ? -1 : 0; // also RIGHT, LEFT
            const auto turn = static_cast<std::int16_t>(wp >> 16);
            total.down += message == kWM_VSCROLL ? step : message == kWM_MOUSEWHEEL ? -turn : 0;
            total.right += message == kWM_HSCROLL ? step : message == kWM_MOUSEHWHEEL ? turn : 0;
        }
    }
    return total;
}

// Per second, over six seconds of ticks on time after the first, with the gesture pressed at
// (500,400) and the cursor moved to the offset from there.
Scrolled PerSecond(ScrollRig& rig, Point offset) {
    rig.Press(500, 400);
    rig.MoveTo(500 + offset.x, 400 + offset.y);
    rig.TickOnTime();
    rig.Log();
    const std::uint32_t start = rig.world.clockMs;
    while (rig.world.clockMs - start < 6000) {
        rig.TickOnTime();
    }
    const Scrolled total = Tally(rig.Log());
    return {total.down / 6, total.right / 6};
}

// Lines or wheel units a second at offsets from the Anchor: the sliders' speed (2.27 vertical and
// 7.69 horizontal lines, 170 and 95 wheel units at 20 and 10) at 40 pixels, ((d - 10) / 30)^1.5
// times it elsewhere, at most ten times it; nothing within 10 pixels.
TEST(Follow, OffsetsGiveTheseAmountsASecondOnEveryOutput) {
    const struct {
        const char* name;
        Target kind;
        Point offset;
        double down, right;
        int horzSlider = 10, vertSlider = 20;
        bool inverse = false;
    } cases[] = {
        {"within the dead zone", Target::OwnBoth, {10, -10}, 0, 0},
        {"a pixel beyond it", Target::OwnVertical, {0, 11}, 0.014, 0},
        {"at the reference distance", Target::OwnVertical, {0, 40}, 2.273, 0},
        {"up", Target::OwnVertical, {0, -40}, -2.273, 0},
        {"near", Target::OwnVertical, {0, 20}, 0.437, 0},
        {"further", Target::OwnVertical, {0, 70}, 6.428, 0},
        {"further still", Target::OwnVertical, {0, 100}, 11.809, 0},
        {"the cap", Target::OwnVertical, {0, 300}, 22.727, 0},
        {"the fastest slider", Target::OwnVertical, {0, 70}, 23.570, 0, 10, 60},
        {"the slowest slider", Target::OwnVertical, {0, 70}, 4.714, 0, 10, 0},
        {"diagonally", Target::OwnBoth, {70, 70}, 6.428, 21.764},
        {"Inverse", Target::OwnBoth, {70, 70}, -6.428, -21.764, 10, 20, true},
        {"five lines a tick at most", Target::OwnHorizontal, {200, 0}, 0, 166.667, 60},
        {"a sibling bar control", Target::SiblingVertical, {0, 100}, 11.809, 0},
        {"a page: the wheel, and lines sideways", Target::WheelPage, {-30, 120}, 1193.6, -4.187},
        {"Chromium: both wheels", Target::Chromium, {60, -60}, -365.8, 204.4},
        {"UWP: injected turns", Target::CoreWindow, {-60, 120}, 1193.6, -204.4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScrollRig rig;
        rig.settings.AutoFollow = true;
        rig.settings.Inverse = c.inverse;
        rig.horzSlider.SetPosition(c.horzSlider);
        rig.vertSlider.SetPosition(c.vertSlider);
        Build(rig, c.kind);
        const Scrolled rate = PerSecond(rig, c.offset);
        EXPECT_NEAR(rate.down, c.down, 0.2);
        EXPECT_NEAR(rate.right, c.right, 0.2);
    }
}

// Parts of a line wait for the next tick: at 0.44 lines a second a line comes every 2.3 s, evenly;
// back within the dead zone the part is forgotten, and a first direction is needed before anything
// scrolls. A late tick makes up for two intervals, not for all the time it was late.
TEST(Follow, SlowSpeedsMoveEvenlyAndTicksCountTheirTime) {
    ScrollRig rig;
    rig.settings.AutoFollow = true;
    rig.vertSlider.SetPosition(20);
    const Scene s = Build(rig, Target::OwnVertical);
    const std::string line = Send(s.target, kWM_VSCROLL, kSB_LINEDOWN, 0, kBlockAbort, 100);
    rig.Press(500, 400);
    rig.Log();
    rig.TickOnTime();
    EXPECT_EQ(rig.Log(), (Log{"ScrollTimer interval 30"})); // no direction yet
    rig.MoveTo(500, 420);
    std::vector<std::uint32_t> lines;
    for (int i = 0; i < 300; ++i) {
        rig.TickOnTime();
        if (Occurrences(rig.Log(), line) == 1) {
            lines.push_back(rig.world.clockMs);
        }
    }
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NEAR(lines[2] - lines[1], 2286, 30);
    EXPECT_NEAR(lines[1] - lines[0], 2286, 30);

    rig.MoveTo(500, 405); // back: the 0.9 line kept is dropped
    rig.TickOnTime();
    rig.MoveTo(500, 700); // the cap: 22.7 lines a second, 0.68 a tick
    rig.world.clockMs += 5000;
    rig.Tick();
    EXPECT_EQ(Occurrences(rig.Log(), line), 1); // 60 ms worth, not 5 s
}

// The cursors show the dominant direction of the offset, the four-way badge again back within the
// dead zone; the direction chosen still keeps the release from replaying a click.
TEST(Follow, TheCursorShowsTheDominantDirection) {
    ScrollRig rig;
    rig.settings.AutoFollow = true;
    Build(rig, Target::Chromium);
    rig.Press(500, 400);
    rig.Log();
    const struct {
        Point at;
        Log cursors;
    } steps[] = {
        {{508, 393}, {}}, {{512, 403}, {Cursors("RIGHTBLACK")}}, {{512, 420}, {Cursors("DOWNBLACK")}},
        {{470, 440}, {}}, {{503, 397}, {Cursors("AUTOCUR")}},    {{500, 380}, {Cursors("UPBLACK")}}};
    for (const auto& step : steps) {
        rig.MoveTo(step.at.x, step.at.y);
        EXPECT_EQ(rig.Log(), step.cursors) << step.at.x << "," << step.at.y;
    }
    rig.MoveTo(500, 400);
    rig.Release(500, 400);
    EXPECT_EQ(Occurrences(rig.Log(), "HooksPaused=1"), 0); // no click replayed
}

// Without the option the ticks are today's whatever the clock and the distance: the same gesture
// 30 and 120 pixels out, ticked at odd times, sends exactly the same calls.
TEST(Follow, WithoutTheOptionTheTicksIgnoreDistanceAndTime) {
    for (const Target kind : {Target::OwnBoth, Target::SiblingVertical, Target::WheelPage, Target::Chromium,
                              Target::Wpf, Target::CoreWindow}) {
        Log logs[2];
        for (const int far : {0, 1}) {
            ScrollRig rig;
            Build(rig, kind);
            rig.vertSlider.SetPosition(60);
            rig.Press(500, 400);
            for (const Point to : {Point{500, 430}, Point{530, 430}, Point{530, 460}}) {
                rig.MoveTo(to.x + far * 3 * (to.x - 500), to.y + far * 3 * (to.y - 400));
                for (int i = 0; i < 5; ++i) {
                    rig.world.clockMs += far ? 7 + 1000 * i : 30;
                    rig.Tick();
                }
            }
            logs[far] = rig.Log();
        }
        EXPECT_EQ(logs[0], logs[1]) << static_cast<int>(kind);
        EXPECT_GT(Tally(logs[0]).down, 0) << static_cast<int>(kind);
    }
}

} // namespace
} // namespace gw::test
