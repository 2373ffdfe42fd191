#include "hooks/HookProcedures.h"

#include "shared/Win32Values.h"
#include "tests/hooks/FakeHookHost.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

namespace gw {
namespace {

using test::FakeHookHost;
using test::NextHookCall;
using test::PostedMessage;
using namespace gw::win;

constexpr HookHandle kKeyboardHook(0x77);
constexpr HookHandle kMouseHook(0x88);
constexpr std::intptr_t kStructAddress = 0x0012'F0A0; // what lParam carries: the MOUSEHOOKSTRUCT
constexpr Point kOverScrollable{10, 20};
constexpr Point kOverPlain{300, 400};

// Every mouse message the hook may see, for the tables below.
constexpr std::uint32_t kAllMouseMessages[] = {
    kWM_MOUSEMOVE,       kWM_NCMOUSEMOVE, kWM_LBUTTONDOWN,     kWM_LBUTTONUP,     kWM_LBUTTONDBLCLK,
    kWM_RBUTTONDOWN,     kWM_RBUTTONUP,   kWM_RBUTTONDBLCLK,   kWM_MBUTTONDOWN,   kWM_MBUTTONUP,
    kWM_MBUTTONDBLCLK,   kWM_MOUSEWHEEL,  kWM_NCLBUTTONDOWN,   kWM_NCLBUTTONUP,   kWM_NCLBUTTONDBLCLK,
    kWM_NCRBUTTONDOWN,   kWM_NCRBUTTONUP, kWM_NCRBUTTONDBLCLK, kWM_NCMBUTTONDOWN, kWM_NCMBUTTONUP,
    kWM_NCMBUTTONDBLCLK,
};

class MouseHook : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }

    // A fresh process over a fresh desktop: the cursor over a scrollable window, scrolling with
    // the right button.
    void Reset() {
        host = FakeHookHost{};
        state = HookProcessState{kKeyboardHook, kMouseHook};
        const WindowHandle scrollable = host.windows.AddTopLevel("MozillaWindowClass");
        const WindowHandle plain = host.windows.AddTopLevel("Static");
        host.windowAt = {{kOverScrollable, scrollable}, {kOverPlain, plain}};
        host.cursor = kOverScrollable;
        host.record.ScrollEnabled = 1;
        host.record.ActivateButton = 3;
    }

    std::intptr_t Mouse(std::uint32_t message, int code = kHC_ACTION) {
        const MouseHookInfo info{messagePoint, extraInfo};
        const std::intptr_t result = MouseHookProc(host, state, code, message, kStructAddress, &info);
        EXPECT_TRUE(host.AllClosed());
        EXPECT_EQ(host.closes, host.recordPresent ? host.opens : 0); // each call closes what it opened
        return result;
    }
    bool Swallowed(std::intptr_t result) const { return result == kSwallowInput; }
    bool Passed(std::intptr_t result, std::uint32_t message, int code = kHC_ACTION) const {
        return result == FakeHookHost::kNextHookResult && !host.nextCalls.empty() &&
               host.nextCalls.back() == NextHookCall{kMouseHook, code, message, kStructAddress};
    }
    // swallowed: marked as held back by the click rule.
    PostedMessage Report(std::uint32_t message, bool swallowed = false) const {
        return {FakeHookHost::kMainWindow, WM_HOOKMOUSE, message | (swallowed ? kHookReportSwallowed : 0u),
                static_cast<std::intptr_t>(PackHookPosition(messagePoint.x, messagePoint.y))};
    }
    std::uint8_t Armed(int button) const {
        return button == 1   ? state.LeftClickArmed
               : button == 2 ? state.MiddleClickArmed
                             : state.RightClickArmed;
    }

    FakeHookHost host;
    HookProcessState state;
    Point messagePoint = kOverPlain;
    std::uintptr_t extraInfo = 0; // what the input carried
};

// PassInput, HooksPaused and the hook code decide whether anything is looked at, reported or
// swallowed; the activation press over a scrollable window shows when the click rule runs.
TEST_F(MouseHook, PassInputHooksPausedAndCodeGateEverything) {
    struct Case {
        std::uint8_t passInput;
        std::uint8_t hooksPaused;
        int code;
        bool swallowed;
        bool examined;
    };
    const Case cases[] = {
        {1, 0, kHC_ACTION, false, true},  {1, 0, kHC_NOREMOVE, false, false},
        {1, 1, kHC_ACTION, false, false}, {1, 1, kHC_NOREMOVE, false, false},
        {0, 0, kHC_ACTION, true, true},   {0, 0, kHC_NOREMOVE, true, false},
        {0, 1, kHC_ACTION, true, false},  {0, 1, kHC_NOREMOVE, true, false},
        {2, 0, kHC_ACTION, false, true},  {0, 7, kHC_ACTION, true, false},
    };
    for (const Case& c : cases) {
        for (const std::uint32_t message : {kWM_MOUSEMOVE, kWM_LBUTTONDOWN, kWM_NCRBUTTONDOWN}) {
            SCOPED_TRACE(testing::Message()
                         << "PassInput " << int(c.passInput) << " HooksPaused " << int(c.hooksPaused)
                         << " code " << c.code << " message " << message);
            Reset();
            host.record.PassInput = c.passInput;
            host.record.HooksPaused = c.hooksPaused;
            host.record.ActivateButton = 1;
            const std::intptr_t result = Mouse(message, c.code);
            // The left press is the activation press over a scrollable window: it is swallowed
            // exactly when it is examined at all.
            const bool probed = c.examined && message == kWM_LBUTTONDOWN;
            EXPECT_EQ(host.cursorReads, probed ? 1 : 0);
            EXPECT_EQ(state.LeftClickArmed, probed ? 1 : 0);
            if (c.swallowed || probed) {
                EXPECT_TRUE(Swallowed(result));
                EXPECT_TRUE(host.nextCalls.empty());
            } else {
                EXPECT_TRUE(Passed(result, message, c.code));
            }
            EXPECT_EQ(host.posts.size(), c.examined ? 1u : 0u);
            EXPECT_EQ(host.opens, 1);
        }
    }
}

struct ButtonRule {
    std::uint8_t activateButton;
    std::uint32_t press;
    std::uint32_t release;
    std::uint32_t nonClientRelease;
    std::uint32_t doubleClick;
    std::uint32_t nonClientPress;
};
constexpr ButtonRule kButtonRules[] = {
    {1, kWM_LBUTTONDOWN, kWM_LBUTTONUP, kWM_NCLBUTTONUP, kWM_LBUTTONDBLCLK, kWM_NCLBUTTONDOWN},
    {2, kWM_MBUTTONDOWN, kWM_MBUTTONUP, kWM_NCMBUTTONUP, kWM_MBUTTONDBLCLK, kWM_NCMBUTTONDOWN},
    {3, kWM_RBUTTONDOWN, kWM_RBUTTONUP, kWM_NCRBUTTONUP, kWM_RBUTTONDBLCLK, kWM_NCRBUTTONDOWN},
};

// The activation press over a scrollable window arms and is swallowed, and so is the release that
// disarms; over another window both pass. Every message is reported, marked when the click rule
// held it back: the program replays such a click when it starts no gesture with it, and must never
// replay one the application got.
TEST_F(MouseHook, TheClickRuleSwallowsAndMarksTheActivationClick) {
    for (const ButtonRule& b : kButtonRules) {
        struct Step {
            std::uint8_t passInput;
            Point cursor;
            std::uint32_t message;
            bool marked;
        };
        const Step steps[] = {
            // Double clicks and presses on the frame neither arm nor disarm.
            {1, kOverScrollable, b.doubleClick, false},
            {1, kOverScrollable, b.nonClientPress, false},
            {1, kOverScrollable, b.release, false},
            // A release on the frame ends the swallowed click too.
            {1, kOverScrollable, b.press, true},
            {1, kOverScrollable, b.nonClientRelease, true},
            {1, kOverScrollable, b.nonClientRelease, false},
            {1, kOverScrollable, b.press, true},
            {1, kOverScrollable, b.doubleClick, false},
            {1, kOverScrollable, b.nonClientPress, false},
            {1, kOverScrollable, kWM_MOUSEMOVE, false},
            {1, kOverScrollable, b.release, true},
            {1, kOverScrollable, b.release, false},
            {1, kOverPlain, b.press, false},
            {1, kOverPlain, b.release, false},
            {0, kOverPlain, b.press, false}, // PassInput 0 swallows whatever the click rule says
            {0, kOverScrollable, b.press, true},
            {0, kOverScrollable, b.release, true},
            {0, kOverScrollable, b.press, true},
            {0, kOverScrollable, b.nonClientRelease, true},
            {0, kOverScrollable, b.release, false},
        };
        Reset();
        host.record.ActivateButton = b.activateButton;
        for (const Step& step : steps) {
            SCOPED_TRACE(testing::Message() << "ActivateButton " << int(b.activateButton) << " PassInput "
                                            << int(step.passInput) << " message " << step.message);
            host.record.PassInput = step.passInput;
            host.cursor = step.cursor;
            const std::intptr_t result = Mouse(step.message);
            EXPECT_EQ(Swallowed(result), step.marked || step.passInput == 0);
            EXPECT_EQ(Passed(result, step.message), !Swallowed(result));
            ASSERT_FALSE(host.posts.empty());
            EXPECT_EQ(host.posts.back(), Report(step.message, step.marked));
        }
        for (int other = 1; other <= 3; ++other) {
            EXPECT_EQ(Armed(other), 0) << other; // nor any other button's flag
        }
    }
}

// Where the hook stands aside, the activation press goes on untouched, arms nothing and is reported
// with the flag; its release then passes too. Only that press opens the stand-aside record.
TEST_F(MouseHook, StandingAsideLeavesTheWholeClickToTheApplication) {
    struct Case {
        const char* name;
        std::function<void(FakeHookHost&)> arrange;
        bool standsAside;
    };
    const Case cases[] = {
        {"listed", [](FakeHookHost& h) { h.List({"MSPaint.exe"}); }, true},
        {"another program listed", [](FakeHookHost& h) { h.List({"notepad.exe"}); }, false},
        {"full screen in front, option on",
         [](FakeHookHost& h) {
             h.aside.FullScreenAside = 1;
             h.foreground = h.windows.AddTopLevel("Game");
             h.bounds[h.foreground.value] = {0, 0, 800, 600};
             h.monitors = {{0, 0, 800, 600}};
         },
         true},
        {"no stand-aside record", [](FakeHookHost& h) { h.asidePresent = false; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        c.arrange(host);
        for (const std::uint32_t message : {kWM_MOUSEMOVE, kWM_LBUTTONDOWN, kWM_RBUTTONUP, kWM_MBUTTONDOWN}) {
            Mouse(message);
        }
        EXPECT_EQ(host.asideOpens, 0); // moves, releases and other buttons cost nothing more
        const std::intptr_t press = Mouse(kWM_RBUTTONDOWN);
        EXPECT_EQ(host.asideOpens, 1);
        EXPECT_EQ(Passed(press, kWM_RBUTTONDOWN), c.standsAside);
        EXPECT_EQ(state.RightClickArmed, c.standsAside ? 0 : 1);
        EXPECT_EQ(host.windows.namesRead.empty(), c.standsAside); // the probe is not even asked
        PostedMessage report = Report(kWM_RBUTTONDOWN, !c.standsAside);
        report.wParam |= c.standsAside ? kHookReportStoodAside : 0;
        EXPECT_EQ(host.posts.back(), report);
        EXPECT_EQ(Passed(Mouse(kWM_RBUTTONUP), kWM_RBUTTONUP), c.standsAside);
        EXPECT_EQ(host.posts.back(), Report(kWM_RBUTTONUP, !c.standsAside));
    }
}

// Only the activation button's own press ever asks the probe; outside 1 to 3 there is no rule at
// all, and flags set before stay as they are.
TEST_F(MouseHook, OnlyTheActivationButtonsOwnPressEverAsksTheProbe) {
    for (const std::uint8_t button : {0, 1, 2, 3, 4, 255}) {
        const bool ruled = button >= 1 && button <= 3;
        Reset();
        host.record.ActivateButton = button;
        state.LeftClickArmed = state.MiddleClickArmed = state.RightClickArmed = ruled ? 0 : 1;
        for (const std::uint32_t message : kAllMouseMessages) {
            if (ruled && message == kButtonRules[button - 1].press) {
                continue;
            }
            SCOPED_TRACE(testing::Message() << "ActivateButton " << int(button) << " message " << message);
            EXPECT_TRUE(Passed(Mouse(message), message));
            EXPECT_EQ(host.cursorReads, 0);
            EXPECT_EQ(state.LeftClickArmed + state.MiddleClickArmed + state.RightClickArmed, ruled ? 0 : 3);
        }
        EXPECT_EQ(host.posts.size(), std::size(kAllMouseMessages) - (ruled ? 1 : 0));
    }
}

TEST_F(MouseHook, ScrollDisabledSwallowsNothingButStillReportsEverything) {
    EXPECT_TRUE(Swallowed(Mouse(kWM_RBUTTONDOWN)));
    host.record.ScrollEnabled = 0;
    EXPECT_TRUE(Passed(Mouse(kWM_RBUTTONUP), kWM_RBUTTONUP));
    EXPECT_EQ(state.RightClickArmed, 1); // no rule ran, so the flag waits
    EXPECT_TRUE(Passed(Mouse(kWM_RBUTTONDOWN), kWM_RBUTTONDOWN));
    EXPECT_TRUE(Passed(Mouse(kWM_MOUSEMOVE), kWM_MOUSEMOVE));
    EXPECT_EQ(host.cursorReads, 1);
    EXPECT_EQ(host.posts.size(), 4u);
}

TEST_F(MouseHook, ChangingTheActivationButtonLeavesTheOldReleaseToPass) {
    EXPECT_TRUE(Swallowed(Mouse(kWM_RBUTTONDOWN)));
    host.record.ActivateButton = 1;
    EXPECT_TRUE(Passed(Mouse(kWM_RBUTTONUP), kWM_RBUTTONUP));
    EXPECT_TRUE(Passed(Mouse(kWM_LBUTTONUP), kWM_LBUTTONUP));
    EXPECT_EQ(state.RightClickArmed, 1);
    EXPECT_EQ(state.LeftClickArmed, 0);
    host.record.ActivateButton = 3;
    EXPECT_TRUE(Swallowed(Mouse(kWM_RBUTTONUP))); // the old flag still waited
    EXPECT_EQ(state.RightClickArmed, 0);
}

TEST_F(MouseHook, ThePressTestLooksUnderTheCursorNotAtTheMessagePoint) {
    messagePoint = kOverPlain;
    host.cursor = kOverScrollable;
    EXPECT_TRUE(Swallowed(Mouse(kWM_RBUTTONDOWN)));
    EXPECT_EQ(host.windowQueries, std::vector<Point>{kOverScrollable});
    EXPECT_TRUE(Swallowed(Mouse(kWM_RBUTTONUP)));

    messagePoint = kOverScrollable;
    host.cursor = kOverPlain;
    EXPECT_TRUE(Passed(Mouse(kWM_RBUTTONDOWN), kWM_RBUTTONDOWN));
    EXPECT_EQ(state.RightClickArmed, 0);
}

TEST_F(MouseHook, AnUnreadableCursorArmsNothing) {
    host.cursorReadable = false;
    EXPECT_TRUE(Passed(Mouse(kWM_RBUTTONDOWN), kWM_RBUTTONDOWN));
    EXPECT_TRUE(host.windowQueries.empty());
    EXPECT_EQ(state.RightClickArmed, 0);
    EXPECT_EQ(host.posts.size(), 1u);
}

TEST_F(MouseHook, PositionsArePackedAsTheirLow16Bits) {
    struct Case {
        Point point;
        std::uint32_t packed;
    };
    const Case cases[] = {
        {{0, 0}, 0x0000'0000},
        {{1023, 767}, 0x02FF'03FF},
        {{-1, 0}, 0x0000'FFFF},
        {{0, -1}, 0xFFFF'0000},
        {{-1, -1}, 0xFFFF'FFFF},
        {{-32768, 5}, 0x0005'8000},
        {{0x12345, 0x10002}, 0x0002'2345},
        {{-1920, 1200}, 0x04B0'F880},
    };
    for (const Case& c : cases) {
        host.posts.clear();
        messagePoint = c.point;
        Mouse(kWM_MOUSEMOVE);
        ASSERT_EQ(host.posts.size(), 1u);
        EXPECT_EQ(host.posts[0].message, WM_HOOKMOUSE);
        EXPECT_EQ(host.posts[0].wParam, kWM_MOUSEMOVE);
        EXPECT_EQ(static_cast<std::uint32_t>(host.posts[0].lParam), c.packed)
            << c.point.x << ',' << c.point.y;
    }
}

TEST_F(MouseHook, WithoutTheRecordEverythingPassesAndNothingChanges) {
    host.recordPresent = false;
    host.record.PassInput = 0; // not there, so not read
    state.RightClickArmed = 1;
    for (const std::uint32_t message : kAllMouseMessages) {
        EXPECT_TRUE(Passed(Mouse(message), message)) << message;
    }
    EXPECT_TRUE(host.posts.empty());
    EXPECT_EQ(host.closes, 0);
    EXPECT_EQ(host.cursorReads, 0);
    EXPECT_EQ(state.RightClickArmed, 1);
}

// Reports go to the main window of the record; without one, to nobody.
TEST_F(MouseHook, ReportsGoToTheMainWindowOfTheRecord) {
    host.record.MainWindow = 0xFFFF'FF00;
    Mouse(kWM_MOUSEWHEEL);
    ASSERT_EQ(host.posts.size(), 1u);
    EXPECT_EQ(host.posts[0].window, 0xFFFF'FF00u);
    host.record.MainWindow = 0;
    EXPECT_TRUE(Swallowed(Mouse(kWM_RBUTTONDOWN)));
    EXPECT_TRUE(Passed(Mouse(kWM_MOUSEMOVE), kWM_MOUSEMOVE));
    EXPECT_EQ(host.posts.size(), 1u);
}

TEST_F(MouseHook, CallsWithoutAHookStructOrWithANegativeCodeGoStraightOn) {
    host.record.PassInput = 0;
    EXPECT_EQ(MouseHookProc(host, state, kHC_ACTION, kWM_RBUTTONDOWN, 0, nullptr),
              FakeHookHost::kNextHookResult);
    EXPECT_EQ(host.nextCalls.back(), (NextHookCall{kMouseHook, kHC_ACTION, kWM_RBUTTONDOWN, 0}));
    const MouseHookInfo info{messagePoint, 0};
    EXPECT_EQ(MouseHookProc(host, state, -1, kWM_RBUTTONDOWN, kStructAddress, &info),
              FakeHookHost::kNextHookResult);
    EXPECT_EQ(host.nextCalls.back(), (NextHookCall{kMouseHook, -1, kWM_RBUTTONDOWN, kStructAddress}));
    EXPECT_EQ(host.opens, 0);
    EXPECT_TRUE(host.posts.empty());
    EXPECT_EQ(state.RightClickArmed, 0);
}

// Our own input (a replayed click, an injected wheel) passes untouched whenever the application
// takes it off its queue, long after HooksPaused is 0 again: nothing reported, no click rule, no
// flag armed or disarmed, not even the record opened. Other extra information changes nothing.
TEST_F(MouseHook, OurOwnInputPassesUnreportedAndUntouched) {
    for (const std::uint8_t passInput : {1, 0}) {
        for (const std::uint32_t message : kAllMouseMessages) {
            SCOPED_TRACE(testing::Message() << "PassInput " << int(passInput) << " message " << message);
            Reset();
            host.record.PassInput = passInput;
            state.LeftClickArmed = 1; // a click of the user's own waits for its release
            host.cursor = kOverScrollable;
            extraInfo = kInjectedInputMark;
            EXPECT_TRUE(Passed(Mouse(message), message));
            EXPECT_TRUE(host.posts.empty());
            EXPECT_EQ(host.opens + host.cursorReads, 0);
            EXPECT_EQ(state.LeftClickArmed, 1);
            EXPECT_EQ(state.RightClickArmed, 0);
        }
    }
    Reset();
    extraInfo = 0xFF515700; // a pen's signature: the user's own input
    EXPECT_TRUE(Swallowed(Mouse(kWM_RBUTTONDOWN)));
    EXPECT_EQ(host.posts.back(), Report(kWM_RBUTTONDOWN, true));
}

// The system counts a press the mouse hook swallowed towards a double click, so the press we replay
// for it arrives as one. As the application takes it, the message hook makes it the press it stands
// for, unless it completes a double click with the last press the application got: the user's own
// double click, both clicks replayed, stays one. Window 1 at (50,50) unless a step says otherwise;
// the double-click limits are 500 ms and 4 x 4 pixels.
TEST(MessageHook, AReplayedPressIsADoubleClickOnlyWhereTheUsersOwnWouldBe) {
    struct Step {
        std::uint32_t message;
        bool ours;
        std::uint32_t time;
        std::uint32_t delivered; // what the application gets
        bool removed = true;     // PM_REMOVE, else a peek
        Point at{50, 50};
        std::uintptr_t window = 1;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"a replayed click", {{kWM_RBUTTONDBLCLK, true, 1000, kWM_RBUTTONDOWN}}},
        {"the user's own double click passes", {{kWM_RBUTTONDBLCLK, false, 1000, kWM_RBUTTONDBLCLK}}},
        {"a replayed press that is no double click", {{kWM_RBUTTONDOWN, true, 1000, kWM_RBUTTONDOWN}}},
        {"a double click, both clicks replayed, then a third",
         {{kWM_RBUTTONDBLCLK, true, 1000, kWM_RBUTTONDOWN},
          {kWM_RBUTTONDBLCLK, true, 1240, kWM_RBUTTONDBLCLK},
          {kWM_RBUTTONDBLCLK, true, 1400, kWM_RBUTTONDOWN}}},
        {"too late for a double click",
         {{kWM_RBUTTONDBLCLK, true, 1000, kWM_RBUTTONDOWN},
          {kWM_RBUTTONDBLCLK, true, 1500, kWM_RBUTTONDOWN}}},
        {"just in time, across the tick count's wrap",
         {{kWM_RBUTTONDBLCLK, true, 0xFFFF'FF00, kWM_RBUTTONDOWN},
          {kWM_RBUTTONDBLCLK, true, 0xF3, kWM_RBUTTONDBLCLK}}},
        {"too far for a double click",
         {{kWM_RBUTTONDBLCLK, true, 1000, kWM_RBUTTONDOWN},
          {kWM_RBUTTONDBLCLK, true, 1100, kWM_RBUTTONDOWN, true, {52, 50}}}},
        {"another window",
         {{kWM_RBUTTONDBLCLK, true, 1000, kWM_RBUTTONDOWN},
          {kWM_RBUTTONDBLCLK, true, 1100, kWM_RBUTTONDOWN, true, {50, 50}, 2}}},
        {"another button in between",
         {{kWM_RBUTTONDBLCLK, true, 1000, kWM_RBUTTONDOWN},
          {kWM_LBUTTONDOWN, false, 1050, kWM_LBUTTONDOWN},
          {kWM_RBUTTONDBLCLK, true, 1100, kWM_RBUTTONDOWN}}},
        {"the user's click first, then a replayed one",
         {{kWM_RBUTTONDOWN, false, 1000, kWM_RBUTTONDOWN},
          {kWM_RBUTTONDBLCLK, true, 1100, kWM_RBUTTONDBLCLK}}},
        {"a peek counts for nothing",
         {{kWM_RBUTTONDBLCLK, true, 1000, kWM_RBUTTONDOWN, false},
          {kWM_RBUTTONDBLCLK, true, 1000, kWM_RBUTTONDOWN},
          {kWM_RBUTTONDBLCLK, true, 1100, kWM_RBUTTONDBLCLK, false},
          {kWM_RBUTTONDBLCLK, true, 1100, kWM_RBUTTONDBLCLK}}},
        {"every button, client area and frame",
         {{kWM_LBUTTONDBLCLK, true, 1000, kWM_LBUTTONDOWN},
          {kWM_MBUTTONDBLCLK, true, 2000, kWM_MBUTTONDOWN},
          {kWM_NCLBUTTONDBLCLK, true, 3000, kWM_NCLBUTTONDOWN},
          {kWM_NCRBUTTONDBLCLK, true, 4000, kWM_NCRBUTTONDOWN},
          {kWM_NCMBUTTONDBLCLK, true, 5000, kWM_NCMBUTTONDOWN},
          {kWM_NCMBUTTONDBLCLK, true, 5100, kWM_NCMBUTTONDBLCLK}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHookHost host;
        HookProcessState state{};
        state.Watches[0] = {host.thread, HookHandle(0x99), host.now};
        for (const Step& step : c.steps) {
            SCOPED_TRACE(testing::Message() << "message " << step.message << " at " << step.time);
            host.messageExtraInfo = step.ours ? kInjectedInputMark : 0;
            QueuedMessage message{WindowHandle(step.window), step.message, step.time, step.at};
            const std::uintptr_t removal = step.removed ? kPM_REMOVE : 0;
            EXPECT_EQ(GetMessageHookProc(host, state, kHC_ACTION, removal, kStructAddress, &message),
                      FakeHookHost::kNextHookResult);
            EXPECT_EQ(message.message, step.delivered);
            EXPECT_EQ(host.nextCalls.back(),
                      (NextHookCall{HookHandle(0x99), kHC_ACTION, removal, kStructAddress}));
        }
    }
}

// Everything else the application takes goes on untouched and costs no more than a look at its
// id: the extra information is never asked for.
TEST(MessageHook, EverythingButAPressGoesOnUntouched) {
    FakeHookHost host;
    HookProcessState state{};
    state.Watches[0] = {host.thread, HookHandle(0x99), host.now};
    host.messageExtraInfo = kInjectedInputMark;
    for (const std::uint32_t id : {kWM_NULL, kWM_MOUSEMOVE, kWM_MOUSEWHEEL, kWM_COMMAND, kWM_VSCROLL,
                                   kWM_USER, 0x0113u /* WM_TIMER */}) {
        QueuedMessage message{WindowHandle(1), id, 1000, {50, 50}};
        GetMessageHookProc(host, state, kHC_ACTION, kPM_REMOVE, 0, &message);
        EXPECT_EQ(message.message, id);
    }
    QueuedMessage doubleClick{WindowHandle(1), kWM_RBUTTONDBLCLK, 1000, {50, 50}};
    GetMessageHookProc(host, state, -1, kPM_REMOVE, 0, &doubleClick);
    EXPECT_EQ(doubleClick.message, kWM_RBUTTONDBLCLK); // a negative code goes straight on
    GetMessageHookProc(host, state, kHC_ACTION, kPM_REMOVE, 0, nullptr);
    EXPECT_EQ(host.extraInfoReads, 0);
    EXPECT_EQ(state.LastPress.message, 0u);
    EXPECT_EQ(host.nextCalls.size(), 9u);
    EXPECT_TRUE(host.watchCalls.empty());
}

// The mouse hook begins to watch a thread's queue when it swallows a press there, since a click
// comes back for it; a watch the thread holds begins again. Slots run out at eight threads; a
// watch that cannot begin frees its slot. A press that reaches the application begins nothing and
// clears the press a replay could pair with.
TEST_F(MouseHook, ASwallowedPressWatchesItsThreadsQueue) {
    state.LastPress = {kWM_RBUTTONDOWN, WindowHandle(1), 10, {1, 1}, false};
    Mouse(kWM_RBUTTONDOWN);
    EXPECT_EQ(host.watchCalls, (std::vector<std::string>{"watch 81 2304"}));
    EXPECT_EQ(state.Watches[0].thread, host.thread);
    EXPECT_EQ(state.Watches[0].since, host.now);
    EXPECT_EQ(state.LastPress.message, kWM_RBUTTONDOWN); // the application got nothing
    Mouse(kWM_RBUTTONUP);
    Mouse(kWM_RBUTTONDOWN);
    EXPECT_EQ(host.watchCalls, (std::vector<std::string>{"watch 81 2304", "stop 2304", "watch 81 2306"}));

    Mouse(kWM_RBUTTONUP);
    host.watchCalls.clear();
    host.cursor = kOverPlain;
    Mouse(kWM_RBUTTONDOWN); // reaches the application
    Mouse(kWM_RBUTTONUP);
    EXPECT_TRUE(host.watchCalls.empty());
    EXPECT_EQ(state.LastPress.message, 0u);

    host.cursor = kOverScrollable;
    for (std::uint32_t thread = 1; thread <= 8; ++thread) {
        host.thread = thread;
        Mouse(kWM_RBUTTONDOWN);
        Mouse(kWM_RBUTTONUP);
    }
    EXPECT_EQ(host.watchCalls.size(), 7u); // the eighth thread finds every slot taken
    host.watchCalls.clear();
    host.thread = 7;
    host.watchFails = true;
    Mouse(kWM_RBUTTONDOWN);
    EXPECT_EQ(host.watchCalls, (std::vector<std::string>{"stop 2310", "watch failed"}));
    EXPECT_EQ(state.Watches[7].thread, 0u);
}

// A watch ends once the click replayed for the swallowed press is through (its release taken off
// the queue, not merely peeked at) or when it runs out, whatever the message; until then it goes on.
TEST(MessageHook, TheWatchEndsWithTheReplayedReleaseOrRunsOut) {
    struct Step {
        std::uint32_t message;
        bool ours;
        bool removed;
        std::uint32_t after; // ms since the watch began
        bool ends;
    };
    const std::vector<Step> steps[] = {
        {{kWM_RBUTTONUP, false, true, 10, false},
         {kWM_RBUTTONUP, true, false, 20, false},
         {kWM_MOUSEMOVE, true, true, 30, false},
         {kWM_RBUTTONUP, true, true, 40, true}},
        {{kWM_NCLBUTTONUP, true, true, 40, true}},
        {{kWM_NULL, false, true, 9'999, false}, {kWM_NULL, false, true, 10'001, true}},
    };
    for (const auto& script : steps) {
        FakeHookHost host;
        HookProcessState state{};
        state.Watches[2] = {host.thread, HookHandle(0x99), host.now};
        const std::uint32_t start = host.now;
        for (const Step& step : script) {
            SCOPED_TRACE(testing::Message() << "message " << step.message << " after " << step.after);
            ASSERT_EQ(state.Watches[2].thread, host.thread);
            host.messageExtraInfo = step.ours ? kInjectedInputMark : 0;
            host.now = start + step.after;
            QueuedMessage message{WindowHandle(1), step.message, host.now, {50, 50}};
            GetMessageHookProc(host, state, kHC_ACTION, step.removed ? kPM_REMOVE : 0, 0, &message);
            EXPECT_EQ(host.nextCalls.back().hook, HookHandle(0x99));
            EXPECT_EQ(host.watchCalls,
                      step.ends ? std::vector<std::string>{"stop 153"} : std::vector<std::string>{});
            EXPECT_EQ(state.Watches[2].thread, step.ends ? 0u : host.thread);
        }
    }
}

class KeyboardHook : public ::testing::Test {
protected:
    std::intptr_t Key(int code) {
        const std::intptr_t result = KeyboardHookProc(host, state, code, kVirtualKey, kKeyFlags);
        EXPECT_EQ(result, FakeHookHost::kNextHookResult);
        EXPECT_EQ(host.nextCalls.back(), (NextHookCall{kKeyboardHook, code, kVirtualKey, kKeyFlags}));
        EXPECT_TRUE(host.AllClosed());
        return result;
    }

    static constexpr std::uintptr_t kVirtualKey = 0x41;
    static constexpr std::intptr_t kKeyFlags = static_cast<std::int32_t>(0xC01E0001u); // release of 'A'
    FakeHookHost host;
    HookProcessState state{kKeyboardHook, kMouseHook};
};

// The mouse switches (PassInput, HooksPaused) do not concern it; a record without a main window
// reports to nobody.
TEST_F(KeyboardHook, ReportsKeystrokesOnlyWhenAskedAndAlwaysPassesThemOn) {
    struct Case {
        bool present;
        std::uint8_t reportKeys;
        int code;
        bool reported;
        bool mouseSwitches = false;
        std::uint32_t mainWindow = FakeHookHost::kMainWindow;
    };
    const Case cases[] = {
        {true, 1, kHC_ACTION, true},       {true, 0, kHC_ACTION, false},
        {true, 1, kHC_NOREMOVE, false},    {true, 1, -1, false},
        {false, 1, kHC_ACTION, false},     {true, 9, kHC_ACTION, true},
        {true, 1, kHC_ACTION, true, true}, {true, 1, kHC_ACTION, false, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "present " << c.present << " ReportKeys " << int(c.reportKeys) << " code " << c.code
                     << " mouse switches " << c.mouseSwitches << " main window " << c.mainWindow);
        host = FakeHookHost{};
        host.recordPresent = c.present;
        host.record.ReportKeys = c.reportKeys;
        host.record.PassInput = c.mouseSwitches ? 0 : 1;
        host.record.HooksPaused = c.mouseSwitches ? 1 : 0;
        host.record.MainWindow = c.mainWindow;
        Key(c.code);
        if (c.reported) {
            const PostedMessage expected{FakeHookHost::kMainWindow, WM_HOOKKEY, kVirtualKey, kKeyFlags};
            EXPECT_EQ(host.posts, std::vector<PostedMessage>{expected});
        } else {
            EXPECT_TRUE(host.posts.empty());
        }
        EXPECT_EQ(host.opens, c.code == kHC_ACTION ? 1 : 0);
    }
}

} // namespace
} // namespace gw
