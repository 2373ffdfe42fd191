// The messages that scroll the target: Auto Scroll ticks, wheel and line steps, thumb drags on a
// separate control and on a window's own bar. Driven through the engine, as the user would.

#include "tests/scroll/ScrollRig.h"

#include <functional>
#include <gtest/gtest.h>

namespace gw::test {
namespace {

using Log = std::vector<std::string>;
using namespace gw::win;

constexpr std::uint32_t kBlockAbort = kSMTO_BLOCK | kSMTO_ABORTIFHUNG;

Log Lines(WindowHandle target, std::uint32_t message, std::uint32_t code, WindowHandle bar) {
    const auto lParam = static_cast<std::intptr_t>(bar.value);
    return {Send(target, message, code, lParam, kBlockAbort, 100),
            Send(target, message, kSB_ENDSCROLL, lParam, kBlockAbort, 100)};
}

// ---------------------------------------------------------------- Auto Scroll ticks

enum class Target { OwnVertical, OwnHorizontal, WheelPage, SiblingVertical, Chromium, Wpf, CoreWindow };

const char* WheelClass(Target kind) {
    switch (kind) {
    case Target::Chromium:
        return "Chrome_RenderWidgetHostHWND";
    case Target::Wpf:
        return "HwndWrapper[App;;1]";
    case Target::CoreWindow:
        return "Windows.UI.Core.CoreWindow";
    default:
        return "MozillaWindowClass";
    }
}

struct Scene {
    WindowHandle pointed;
    WindowHandle target; // where the scroll messages go
    WindowHandle bar;    // the separate control, if any
};

Scene Build(ScrollRig& rig, Target kind) {
    const WindowHandle frame = rig.windows.AddTopLevel("Frame");
    Scene scene;
    switch (kind) {
    case Target::OwnVertical:
    case Target::OwnHorizontal:
        scene.pointed = rig.windows.AddChild(frame, "Edit");
        rig.windows.SetBarState(scene.pointed, kind == Target::OwnVertical ? kOBJID_VSCROLL : kOBJID_HSCROLL,
                                0);
        scene.target = scene.pointed;
        break;
    case Target::WheelPage:
    case Target::Chromium:
    case Target::Wpf:
    case Target::CoreWindow:
        scene.pointed = scene.target = rig.windows.AddChild(frame, WheelClass(kind));
        break;
    case Target::SiblingVertical: {
        scene.pointed = rig.windows.AddChild(frame, "View");
        scene.target = rig.windows.AddChild(frame, "Panel");
        scene.bar = rig.windows.AddChild(scene.target, "ScrollBar", kSBS_VERT);
        break;
    }
    }
    rig.world.underCursor = scene.pointed;
    return scene;
}

struct TickCase {
    const char* name;
    Target kind;
    Point move; // from the press at (500, 400)
    int horzSlider;
    int vertSlider;
    std::function<Log(const Scene&)> expected;
};

class AutoScrollTick : public ::testing::TestWithParam<TickCase> {};

TEST_P(AutoScrollTick, SetsTheIntervalThenSends) {
    const TickCase& c = GetParam();
    ScrollRig rig;
    const Scene scene = Build(rig, c.kind);
    rig.world.cursor = Point{500, 400};
    rig.Press(500, 400);
    rig.MoveTo(500 + c.move.x, 400 + c.move.y);
    rig.horzSlider.SetPosition(c.horzSlider);
    rig.vertSlider.SetPosition(c.vertSlider);
    rig.Log();

    rig.Tick();
    EXPECT_EQ(rig.Log(), c.expected(scene));
}

Log With(const char* interval, Log messages) {
    messages.insert(messages.begin(), interval);
    return messages;
}

INSTANTIATE_TEST_SUITE_P(
    Output, AutoScrollTick,
    ::testing::Values(
        TickCase{"DownSlowest",
                 Target::OwnVertical,
                 {0, 10},
                 60,
                 0,
                 [](const Scene& s) {
                     return With("ScrollTimer interval 600", Lines(s.target, kWM_VSCROLL, kSB_LINEDOWN, {}));
                 }},
        TickCase{"UpFastest",
                 Target::OwnVertical,
                 {0, -10},
                 0,
                 60,
                 [](const Scene& s) {
                     return With("ScrollTimer interval 120", Lines(s.target, kWM_VSCROLL, kSB_LINEUP, {}));
                 }},
        TickCase{"RightSlowest",
                 Target::OwnHorizontal,
                 {10, 0},
                 0,
                 60,
                 [](const Scene& s) {
                     return With("ScrollTimer interval 150", Lines(s.target, kWM_HSCROLL, kSB_LINERIGHT, {}));
                 }},
        TickCase{"LeftFastest",
                 Target::OwnHorizontal,
                 {-10, 0},
                 60,
                 0,
                 [](const Scene& s) {
                     return With("ScrollTimer interval 30", Lines(s.target, kWM_HSCROLL, kSB_LINELEFT, {}));
                 }},
        TickCase{"WheelUpAtTwenty",
                 Target::WheelPage,
                 {0, -10},
                 0,
                 20,
                 [](const Scene& s) {
                     return With("ScrollTimer interval 200",
                                 {Send(s.target, kWM_MOUSEWHEEL, MakeWParam(0, 34), MakeLParam(500, 400),
                                       kSMTO_BLOCK, 20)});
                 }},
        TickCase{"WheelDownAtTwenty",
                 Target::WheelPage,
                 {0, 10},
                 0,
                 20,
                 [](const Scene& s) {
                     return With("ScrollTimer interval 200",
                                 {Send(s.target, kWM_MOUSEWHEEL, MakeWParam(0, -34), MakeLParam(500, 400),
                                       kSMTO_BLOCK, 20)});
                 }},
        TickCase{"WheelAtZero",
                 Target::WheelPage,
                 {0, -10},
                 0,
                 0,
                 [](const Scene& s) {
                     return With("ScrollTimer interval 200", {Send(s.target, kWM_MOUSEWHEEL, MakeWParam(0, 4),
                                                                   MakeLParam(500, 400), kSMTO_BLOCK, 20)});
                 }},
        TickCase{"WheelAtSixty",
                 Target::WheelPage,
                 {0, -10},
                 0,
                 60,
                 [](const Scene& s) {
                     return With("ScrollTimer interval 200",
                                 {Send(s.target, kWM_MOUSEWHEEL, MakeWParam(0, 94), MakeLParam(500, 400),
                                       kSMTO_BLOCK, 20)});
                 }},
        TickCase{"WheelTargetSidewaysUsesLines",
                 Target::WheelPage,
                 {10, 0},
                 60,
                 0,
                 [](const Scene& s) {
                     return With("ScrollTimer interval 30", Lines(s.target, kWM_HSCROLL, kSB_LINERIGHT, {}));
                 }},
        TickCase{"ChromiumRightTurnsTheHorizontalWheelAtTheHorizontalSpeed",
                 Target::Chromium,
                 {10, 0},
                 20,
                 60,
                 [](const Scene& s) {
                     return With("ScrollTimer interval 200",
                                 {Send(s.target, kWM_MOUSEHWHEEL, MakeWParam(0, 34), MakeLParam(500, 400),
                                       kSMTO_BLOCK, 20)});
                 }},
        TickCase{"ChromiumLeft",
                 Target::Chromium,
                 {-10, 0},
                 60,
                 0,
                 [](const Scene& s) {
                     return With("ScrollTimer interval 200",
                                 {Send(s.target, kWM_MOUSEHWHEEL, MakeWParam(0, -94), MakeLParam(500, 400),
                                       kSMTO_BLOCK, 20)});
                 }},
        TickCase{"CoreWindowRight",
                 Target::CoreWindow,
                 {10, 0},
                 60,
                 0,
                 [](const Scene&) {
                     return Log{"ScrollTimer interval 200",
                                "HooksPaused=1",
                                "GetCursorPos",
                                "WindowFromPoint (500,400)",
                                Inject(kMOUSEEVENTF_HWHEEL, 94),
                                "HooksPaused=0"};
                 }},
        TickCase{"SiblingControlGoesToItsParentNamingTheBar",
                 Target::SiblingVertical,
                 {0, 10},
                 0,
                 60,
                 [](const Scene& s) {
                     return With("ScrollTimer interval 120",
                                 Lines(s.target, kWM_VSCROLL, kSB_LINEDOWN, s.bar));
                 }},
        TickCase{"VerticalOnAHorizontalOnlyWindowSendsNothing",
                 Target::OwnHorizontal,
                 {0, 10},
                 60,
                 60,
                 [](const Scene&) { return Log{}; }},
        TickCase{"NoDirectionYetSendsNothing",
                 Target::OwnVertical,
                 {1, 1},
                 60,
                 60,
                 [](const Scene&) { return Log{}; }}),
    [](const auto& p) { return std::string(p.param.name); });

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
    rig.engine.ScrollTimerTimer();
    EXPECT_EQ(rig.Log(), Log{});
}

// ---------------------------------------------------------------- Move Scroll on a wheel target

struct WheelCase {
    const char* name;
    const char* className;
    std::int32_t dy; // after the axis locked
    bool inverse;
    std::int32_t delta;
    bool sideways = false; // dy is a step to the right, the horizontal wheel turns
};

class WheelSteps : public ::testing::TestWithParam<WheelCase> {};

TEST_P(WheelSteps, SendTheDistanceTimesTheFactorIn16Bits) {
    const WheelCase& c = GetParam();
    ScrollRig rig;
    rig.settings.MoveScrollMode = true;
    rig.settings.Inverse = c.inverse;
    const WindowHandle page = rig.windows.AddChild(rig.windows.AddTopLevel("Frame"), c.className);
    rig.world.underCursor = page;
    rig.Press(100, 100);
    rig.MoveTo(c.sideways ? 104 : 100, c.sideways ? 100 : 104);
    rig.Log();
    rig.MoveTo(c.sideways ? 104 + c.dy : 100, c.sideways ? 100 : 104 + c.dy);
    const Point anchor = c.sideways ? Point{104, 100} : Point{100, 104};
    EXPECT_EQ(rig.Log(),
              (Log{Send(page, c.sideways ? kWM_MOUSEHWHEEL : kWM_MOUSEWHEEL, MakeWParam(0, c.delta),
                        MakeLParam(anchor.x, anchor.y), kSMTO_BLOCK, 20)}));
}

INSTANTIATE_TEST_SUITE_P(
    Output, WheelSteps,
    ::testing::Values(WheelCase{"DownScrollsTowardsTheEnd", "MozillaWindowClass", 1, false, -30},
                      WheelCase{"Up", "MozillaWindowClass", -2, false, 60},
                      WheelCase{"InverseDown", "MozillaWindowClass", 1, true, 30},
                      WheelCase{"FactorTen", "SALFRAME", 3, false, -30},
                      WheelCase{"FactorTenInverse", "Internet Explorer_Server", -3, true, -30},
                      // 1100 x 30 = 33000 wraps to -32536 in 16 bits; negated: +32536.
                      WheelCase{"Wraps", "MozillaWindowClass", 1100, false, 32536},
                      // Sideways, right is towards the end: a positive turn.
                      WheelCase{"ChromiumRight", "Chrome_RenderWidgetHostHWND", 3, false, 30, true},
                      WheelCase{"ChromiumLeft", "Chrome_RenderWidgetHostHWND", -2, false, -20, true},
                      WheelCase{"QtInverseRight", "Qt5QWindowIcon", 3, true, -30, true},
                      WheelCase{"QtInverseLeft", "Qt6QWindowIcon", -1, true, 10, true}),
    [](const auto& p) { return std::string(p.param.name); });

struct LineCase {
    const char* name;
    std::int32_t dx; // after the axis locked
    bool inverse;
    std::uint32_t code;
    int lines;
};

class LineSteps : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineSteps, SendOneLinePerTwoPixelsThenEndScroll) {
    const LineCase& c = GetParam();
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

INSTANTIATE_TEST_SUITE_P(Output, LineSteps,
                         ::testing::Values(LineCase{"OnePixel", 1, false, kSB_LINERIGHT, 0},
                                           LineCase{"SevenRight", 7, false, kSB_LINERIGHT, 3},
                                           LineCase{"EightLeft", -8, false, kSB_LINELEFT, 4},
                                           LineCase{"InverseRightGoesLeft", 7, true, kSB_LINELEFT, 3},
                                           LineCase{"InverseLeftGoesRight", -2, true, kSB_LINERIGHT, 1}),
                         [](const auto& p) { return std::string(p.param.name); });

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

struct InjectCase {
    const char* name;
    Point lock;      // the lock move from the press at (100,100)
    Point step;      // then this move
    bool cursorAway; // the cursor has left the window by then
    Log expected;
};

class InjectedWheel : public ::testing::TestWithParam<InjectCase> {};

TEST_P(InjectedWheel, GoesToTheWindowUnderTheCursorWithTheHooksPaused) {
    const InjectCase& c = GetParam();
    ScrollRig rig;
    rig.settings.MoveScrollMode = true;
    Build(rig, Target::CoreWindow);
    rig.Press(100, 100);
    rig.MoveTo(c.lock.x, c.lock.y);
    rig.Log();
    rig.world.cursor = Point{300, 350};
    if (c.cursorAway) {
        rig.world.underCursor = rig.windows.AddTopLevel("Other");
    }
    rig.MoveTo(c.step.x, c.step.y);
    EXPECT_EQ(rig.Log(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Output, InjectedWheel,
    ::testing::Values(InjectCase{"OverTheWindow",
                                 {100, 104},
                                 {100, 107},
                                 false,
                                 {"HooksPaused=1", "GetCursorPos", "WindowFromPoint (300,350)",
                                  Inject(kMOUSEEVENTF_WHEEL, -30), "HooksPaused=0"}},
                      InjectCase{"AwayTheCursorVisitsTheAnchor",
                                 {104, 100},
                                 {107, 100},
                                 true,
                                 {"HooksPaused=1", "GetCursorPos", "WindowFromPoint (300,350)",
                                  SetCursorPos(104, 100), Inject(kMOUSEEVENTF_HWHEEL, 30), Sleep(20),
                                  SetCursorPos(300, 350), "HooksPaused=0"}}),
    [](const auto& p) { return std::string(p.param.name); });

// ---------------------------------------------------------------- thumb drags

TEST(Output, DragOnASeparateControlGrabsInItsClientCoordinates) {
    ScrollRig rig;
    rig.settings.MoveScrollMode = true;
    const Scene scene = Build(rig, Target::SiblingVertical);
    rig.world.bars[{scene.bar.value, kOBJID_CLIENT}] = ScrollBarGeometry{Rect{400, 100, 417, 300}, 17, 30};
    rig.world.clientOrigins[scene.bar.value] = Point{400, 100};
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
                   "PassInput=1", "SetKeyboardState lbutton 0", Attach(7, 1, 0), "MainTimer on"}));
}

TEST(Output, HorizontalDragOnTheOwnBarWithInverseMovesAgainstTheMouse) {
    ScrollRig rig;
    rig.settings.MoveScrollMode = true;
    rig.settings.Inverse = true;
    const Scene scene = Build(rig, Target::OwnHorizontal);
    rig.world.bars[{scene.target.value, kOBJID_HSCROLL}] =
        ScrollBarGeometry{Rect{100, 300, 400, 317}, 17, 40};
    rig.world.clientOrigins[scene.target.value] = Point{100, 100};
    rig.Press(200, 200);
    rig.MoveTo(205, 200);
    const Log grab = rig.Log();
    EXPECT_NE(std::find(grab.begin(), grab.end(),
                        Post(scene.target, kWM_NCLBUTTONDOWN, kHTHSCROLL, MakeLParam(141, 301))),
              grab.end());

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
    rig.world.bars[{edit.value, kOBJID_VSCROLL}] = ScrollBarGeometry{Rect{300, 100, 317, 120}, 17, 0};
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
    const Log grab = rig.Log();
    EXPECT_EQ(grab.back(), "GetScrollBarInfo " + W(edit) + " -5");

    rig.MoveTo(100, 120);
    rig.Release(100, 120);
    EXPECT_EQ(rig.Log(), (Log{"PassInput=0", "RestoreSystemCursors", "PassInput=1",
                              "SetKeyboardState lbutton 0x1", Attach(7, 1, 0), "MainTimer on"}));
    EXPECT_EQ(rig.world.keyboard, before);
}

TEST(Output, TargetOnOurOwnThreadIsNeitherAttachedNorCaptured) {
    ScrollRig rig;
    const WindowHandle page = rig.WheelPage();
    rig.world.windowThreads[page.value] = 1;
    rig.Press(100, 100);
    const Log press = rig.Log();
    EXPECT_EQ(std::count_if(press.begin(), press.end(),
                            [](const std::string& line) {
                                return line.starts_with("AttachThreadInput") ||
                                       line.starts_with("SetCapture");
                            }),
              0);
    rig.Release(100, 100);
    const Log release = rig.Log();
    EXPECT_NE(std::find(release.begin(), release.end(), Attach(1, 1, 0)),
              release.end()); // detaching is harmless
}

} // namespace
} // namespace gw::test
