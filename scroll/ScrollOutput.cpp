#include "scroll/ScrollOutput.h"

#include "shared/Win32Values.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace gw {

namespace {

constexpr std::uint8_t kKeyHeldAndToggled = 0x81;
constexpr std::uint32_t kGrabPauseMs = 20;    // lets the bar take the grab before the first move
constexpr std::uint32_t kReleasePauseMs = 10; // lets the last move land before the release
constexpr std::uint32_t kWheelTimeoutMs = 20;
constexpr std::uint32_t kMoveLineTimeoutMs = 10; // each line of a sideways Move Scroll step
constexpr std::uint32_t kWheelInterval = 200;
// The tick of the speed that follows the distance: short, so that each tick moves little and the
// page glides. Just under two periods of the system's default 15.6 ms clock, so the ticks come
// evenly. A family that gets injected wheel input keeps the wheel's pace: a turn may make the
// cursor visit the window, and that must not happen thirty times a second.
constexpr std::uint32_t kFollowInterval = 30;
// A wheel message carries 16 bits. The fastest follow speed (94 a turn, 5 turns a second, ten
// times) makes about 1,900 in the longest tick the follow allows, far below it.
constexpr std::int32_t kWheelDeltaLimit = std::numeric_limits<std::int16_t>::max();
// How long an injected wheel gets to reach the window under the cursor before the cursor, moved
// there for it, goes back to where the user left it.
constexpr std::uint32_t kInjectPauseMs = 20;
constexpr int kSliderMax = 60;

std::intptr_t HandleParam(WindowHandle window) {
    return static_cast<std::intptr_t>(window.value);
}

int Speed(const TTrackBar& slider) {
    return std::clamp(slider.Position(), 0, kSliderMax);
}

// The Auto Scroll wheel delta of a slider position: 4 (slider 0) to 94 (slider 60) per tick.
std::int16_t AutoWheelDelta(const TTrackBar& slider) {
    const int speed = Speed(slider);
    return static_cast<std::int16_t>(speed + speed / 2 + 4);
}

// The Auto Scroll line intervals of a slider position: vertical 600 ms (slider 0) to 120 ms (60),
// horizontal 150 ms to 30 ms.
std::uint32_t VertLineInterval(const TTrackBar& slider) {
    return static_cast<std::uint32_t>(600 - 8 * Speed(slider));
}
std::uint32_t HorzLineInterval(const TTrackBar& slider) {
    return static_cast<std::uint32_t>(150 - 2 * Speed(slider));
}

// A Move Scroll step times the wheel factor, in the 16 bits the wheel message carries.
std::int16_t MoveWheelDelta(std::int32_t step, std::int32_t factor) {
    return static_cast<std::int16_t>(static_cast<std::int16_t>(step) * static_cast<std::int16_t>(factor));
}

} // namespace

void ScrollOutput::AttachTargetInput(bool capture) {
    targetThreadId_ = env_.Window.GetWindowThreadProcessId(gesture_.PointedWindow);
    ownThreadId_ = env_.Window.GetCurrentThreadId();
    if (targetThreadId_ != ownThreadId_) {
        env_.Window.AttachThreadInput(targetThreadId_, ownThreadId_, -1);
        if (capture) {
            env_.Window.SetCapture(gesture_.PointedWindow);
        }
    }
}

void ScrollOutput::DetachTargetInput() {
    env_.Window.AttachThreadInput(targetThreadId_, ownThreadId_, 0);
}

void ScrollOutput::LetGoOfTarget(bool capture, bool released) {
    if (capture && !released && !env_.Window.Answers(gesture_.PointedWindow, kAnswerTimeoutMs)) {
        holding_ = true;
        heldWindow_ = gesture_.PointedWindow;
        return;
    }
    if (capture) {
        env_.Window.ReleaseCapture();
    }
    DetachTargetInput();
}

void ScrollOutput::RetryLetGo() {
    if (holding_ && env_.Window.Answers(heldWindow_, kAnswerTimeoutMs)) {
        holding_ = false;
        env_.Window.ReleaseCapture();
        DetachTargetInput();
    }
}

void ScrollOutput::AbandonTarget() {
    if (holding_) {
        holding_ = false;
        DetachTargetInput();
    }
}

WindowHandle ScrollOutput::ThumbWindow(ScrollAxis axis) const {
    const WindowHandle control = axis == ScrollAxis::Vertical ? probe_.VertBarControl : probe_.HorzBarControl;
    return control ? control : probe_.ScrollTarget;
}

void ScrollOutput::BeginThumbDrag(ScrollAxis axis) {
    const bool vertical = axis == ScrollAxis::Vertical;
    const int cursorId = vertical ? HANDVERT : HANDHORZ;
    AttachTargetInput(false);
    env_.Cursors.ShowOnOwnThread(cursorId);
    env_.Cursors.SetAllSystemCursors(cursorId);

    // The target thread must see the left button held while its bar tracks our moves.
    env_.Window.GetKeyboardState(savedKeyState_);
    savedLButtonState_ = savedKeyState_[win::kVK_LBUTTON];
    savedKeyState_[win::kVK_LBUTTON] = kKeyHeldAndToggled;
    env_.Window.SetKeyboardState(savedKeyState_);

    ThumbDrag& drag = Drag(axis);
    drag = ThumbDrag{};
    const WindowHandle control = vertical ? probe_.VertBarControl : probe_.HorzBarControl;
    const WindowHandle target = ThumbWindow(axis);
    const std::int32_t objectId =
        control ? win::kOBJID_CLIENT : (vertical ? win::kOBJID_VSCROLL : win::kOBJID_HSCROLL);

    ScrollBarGeometry bar;
    if (!env_.Window.GetScrollBarInfo(target, objectId, bar)) {
        // Without the bar's geometry any point we made up could land anywhere in the target;
        // the drag goes on without a grab and ends cleanly at the release.
        return;
    }
    Point point = vertical ? Point{bar.rcScrollBar.left + 1, bar.rcScrollBar.top + bar.xyThumbTop + 1}
                           : Point{bar.rcScrollBar.left + bar.xyThumbTop + 1, bar.rcScrollBar.top + 1};
    if (control) {
        env_.Window.ScreenToClient(control, point);
        env_.Window.Post(control, win::kWM_LBUTTONDOWN, win::kMK_LBUTTON, MakeLParam(point.x, point.y));
        env_.Input.Sleep(kGrabPauseMs);
    } else {
        env_.Window.Post(target, win::kWM_NCLBUTTONDOWN, vertical ? win::kHTVSCROLL : win::kHTHSCROLL,
                         MakeLParam(point.x, point.y));
        env_.Input.Sleep(kGrabPauseMs);
    }
    drag.min = bar.dxyLineButton;
    drag.max = (vertical ? bar.rcScrollBar.bottom - bar.rcScrollBar.top
                         : bar.rcScrollBar.right - bar.rcScrollBar.left) -
               bar.dxyLineButton;
    if (!control) {
        // The grab went to the non-client bar in screen coordinates; the moves that follow are
        // ordinary client mouse messages.
        env_.Window.ScreenToClient(target, point);
    }
    drag.point = point;
    drag.grabbed = true;
}

void ScrollOutput::MoveThumb(ScrollAxis axis, std::int32_t step) {
    ThumbDrag& drag = Drag(axis);
    if (!drag.grabbed) {
        return;
    }
    std::int32_t& along = axis == ScrollAxis::Vertical ? drag.point.y : drag.point.x;
    along = env_.Settings.Inverse ? along - step : along + step;
    if (along > drag.max) {
        along = drag.max;
    }
    if (along < drag.min) {
        along = drag.min;
    }
    if (drag.min <= along && along <= drag.max) { // false only on a bar too short for its buttons
        env_.Window.Post(ThumbWindow(axis), win::kWM_MOUSEMOVE, win::kMK_LBUTTON,
                         MakeLParam(drag.point.x, drag.point.y));
    }
}

void ScrollOutput::EndThumbDrag(ScrollAxis axis) {
    ThumbDrag& drag = Drag(axis);
    if (drag.grabbed) {
        env_.Input.Sleep(kReleasePauseMs);
        // Also for a window's own bar, whose grab was a non-client press.
        env_.Window.Post(ThumbWindow(axis), win::kWM_LBUTTONUP, 0, MakeLParam(drag.point.x, drag.point.y));
        drag.grabbed = false;
    }
    env_.Share.Set(&HookShare::PassInput, true);
    savedKeyState_[win::kVK_LBUTTON] = savedLButtonState_;
    env_.Window.SetKeyboardState(savedKeyState_);
}

void ScrollOutput::WheelStep(std::int32_t dy) {
    const std::int16_t delta = MoveWheelDelta(dy, probe_.WheelFactor);
    // Mouse down scrolls towards the end, which is a negative turn of the wheel.
    Wheel(ScrollAxis::Vertical, env_.Settings.Inverse ? delta : static_cast<std::int16_t>(-delta),
          gesture_.Anchor);
}

void ScrollOutput::HorzWheelStep(std::int32_t dx) {
    const std::int16_t delta = MoveWheelDelta(dx, probe_.WheelFactor);
    // Mouse right scrolls towards the end, which the horizontal wheel counts positive.
    Wheel(ScrollAxis::Horizontal, env_.Settings.Inverse ? static_cast<std::int16_t>(-delta) : delta,
          gesture_.Anchor);
}

void ScrollOutput::Wheel(ScrollAxis axis, std::int16_t delta, Point at) {
    switch (probe_.Delivery) {
    case WheelDelivery::SentSidewaysLines:
    case WheelDelivery::SentWheels:
        SendWheel(axis, delta, at);
        break;
    case WheelDelivery::SentWholeNotches: {
        // Keep back what does not make a notch; send one message per whole notch.
        std::int32_t& remainder = notchRemainder_[axis == ScrollAxis::Vertical ? 0 : 1];
        remainder += delta;
        for (; remainder >= win::kWHEEL_DELTA; remainder -= win::kWHEEL_DELTA) {
            SendWheel(axis, win::kWHEEL_DELTA, at);
        }
        for (; remainder <= -win::kWHEEL_DELTA; remainder += win::kWHEEL_DELTA) {
            SendWheel(axis, -win::kWHEEL_DELTA, at);
        }
        break;
    }
    case WheelDelivery::Injected:
        InjectWheel(axis, delta, at);
        break;
    }
}

void ScrollOutput::SendWheel(ScrollAxis axis, std::int16_t delta, Point at) {
    env_.Window.SendWithTimeout(
        probe_.ScrollTarget, axis == ScrollAxis::Vertical ? win::kWM_MOUSEWHEEL : win::kWM_MOUSEHWHEEL,
        MakeWParam(0, delta), MakeLParam(at.x, at.y), win::kSMTO_BLOCK, kWheelTimeoutMs);
}

void ScrollOutput::InjectWheel(ScrollAxis axis, std::int16_t delta, Point at) {
    // The hooks pass the marked wheel on untouched whenever the window takes it; paused, they also
    // leave alone the cursor's moves there and back.
    env_.Share.Set(&HookShare::HooksPaused, true);
    // The system gives the wheel to the window under the cursor. When the user has moved off the
    // window, the cursor visits the point for the turn and then goes back.
    const Point cursor = env_.Input.GetCursorPos();
    const bool away = env_.Window.WindowFromPoint(cursor) != probe_.ScrollTarget;
    if (away) {
        env_.Input.SetCursorPos(at.x, at.y);
    }
    env_.Input.InjectWheel(axis == ScrollAxis::Vertical ? win::kMOUSEEVENTF_WHEEL : win::kMOUSEEVENTF_HWHEEL,
                           delta, kInjectedInputMark);
    if (away) {
        env_.Input.Sleep(kInjectPauseMs);
        env_.Input.SetCursorPos(cursor.x, cursor.y);
    }
    env_.Share.Set(&HookShare::HooksPaused, false);
}

void ScrollOutput::HorzLineSteps(std::int32_t x) {
    const std::int32_t lastX = gesture_.LastPos.x;
    const bool inverse = env_.Settings.Inverse;
    const std::uint32_t code =
        ((x > lastX && !inverse) || (x < lastX && inverse)) ? win::kSB_LINERIGHT : win::kSB_LINELEFT;
    const std::int32_t lines = std::abs(x - lastX) / 2;
    for (std::int32_t i = 0; i < lines; ++i) {
        env_.Window.SendWithTimeout(probe_.ScrollTarget, win::kWM_HSCROLL,
                                    MakeWParam(static_cast<std::int32_t>(code), 0), 0, win::kSMTO_BLOCK,
                                    kMoveLineTimeoutMs);
    }
    SendAndWait(win::kWM_HSCROLL, win::kSB_ENDSCROLL, 0);
}

void ScrollOutput::SendAndWait(std::uint32_t message, std::uint32_t code, std::intptr_t lParam) {
    env_.Window.SendWithTimeout(probe_.ScrollTarget, message, MakeWParam(static_cast<std::int32_t>(code), 0),
                                lParam, win::kSMTO_BLOCK | win::kSMTO_ABORTIFHUNG, kLineSendTimeoutMs);
}

void ScrollOutput::SendLine(std::uint32_t message, std::uint32_t code, WindowHandle control) {
    SendAndWait(message, code, HandleParam(control));
    SendAndWait(message, win::kSB_ENDSCROLL, HandleParam(control));
}

void ScrollOutput::ScrollTimerTimer(std::uint32_t nowMs) {
    if (gesture_.Phase != GesturePhase::AutoScroll) {
        return;
    }
    if (env_.Settings.AutoFollow) {
        FollowTick(nowMs);
        return;
    }
    const ScrollDirection direction = gesture_.Direction;
    if (direction == ScrollDirection::Left || direction == ScrollDirection::Right) {
        if (SidewaysWheel()) {
            // The vertical wheel's pace, driven by the horizontal slider; right is towards the end.
            env_.ScrollTimer.SetInterval(kWheelInterval);
            const std::int16_t delta = AutoWheelDelta(env_.HorzSpeedSlider);
            Wheel(ScrollAxis::Horizontal,
                  direction == ScrollDirection::Right ? delta : static_cast<std::int16_t>(-delta),
                  probe_.ProbePoint);
        } else if (probe_.CanScrollHorz || probe_.WheelTarget) {
            env_.ScrollTimer.SetInterval(HorzLineInterval(env_.HorzSpeedSlider));
            SendLine(win::kWM_HSCROLL,
                     direction == ScrollDirection::Left ? win::kSB_LINELEFT : win::kSB_LINERIGHT,
                     probe_.HorzBarControl);
        }
    } else if (direction == ScrollDirection::Up || direction == ScrollDirection::Down) {
        if (probe_.CanScrollVert && !probe_.WheelTarget) {
            env_.ScrollTimer.SetInterval(VertLineInterval(env_.VertSpeedSlider));
            SendLine(win::kWM_VSCROLL, direction == ScrollDirection::Up ? win::kSB_LINEUP : win::kSB_LINEDOWN,
                     probe_.VertBarControl);
        } else if (probe_.WheelTarget) {
            env_.ScrollTimer.SetInterval(kWheelInterval);
            const std::int16_t delta = AutoWheelDelta(env_.VertSpeedSlider);
            Wheel(ScrollAxis::Vertical,
                  direction == ScrollDirection::Up ? delta : static_cast<std::int16_t>(-delta),
                  probe_.ProbePoint);
        }
    }
}

void ScrollOutput::FollowTick(std::uint32_t nowMs) {
    const bool injected = probe_.WheelTarget && probe_.Delivery == WheelDelivery::Injected;
    const std::uint32_t interval = injected ? kWheelInterval : kFollowInterval;
    // The first tick of a gesture counts the interval it waited; a late tick (the thread was busy)
    // makes up for two intervals at most, so the page never jumps.
    const std::uint32_t elapsed =
        std::min(follow_.fresh ? env_.ScrollTimer.Interval() : nowMs - follow_.lastTickMs, 2 * interval);
    follow_.fresh = false;
    follow_.lastTickMs = nowMs;
    env_.ScrollTimer.SetInterval(interval);
    if (gesture_.Direction == ScrollDirection::None) {
        return; // the hand has not left the dead zone yet: still a click
    }
    // Offsets towards the end of the page (down, right) are positive; Inverse pushes the page.
    // Each axis goes out the way Auto Scroll sends it without the option.
    const std::int32_t sign = env_.Settings.Inverse ? -1 : 1;
    const bool vertLines = probe_.CanScrollVert && !probe_.WheelTarget;
    if (vertLines || probe_.WheelTarget) {
        FollowAxisOut(ScrollAxis::Vertical, sign * (gesture_.Cursor.y - gesture_.Anchor.y), vertLines,
                      elapsed);
    }
    const bool horzWheel = SidewaysWheel();
    if (horzWheel || probe_.CanScrollHorz || probe_.WheelTarget) {
        FollowAxisOut(ScrollAxis::Horizontal, sign * (gesture_.Cursor.x - gesture_.Anchor.x), !horzWheel,
                      elapsed);
    }
}

void ScrollOutput::FollowAxisOut(ScrollAxis axis, std::int32_t distance, bool lines,
                                 std::uint32_t elapsedMs) {
    const bool vertical = axis == ScrollAxis::Vertical;
    const std::size_t index = vertical ? 0 : 1;
    const TTrackBar& slider = vertical ? env_.VertSpeedSlider : env_.HorzSpeedSlider;
    if (WithinFollowDeadZone(distance)) {
        notchRemainder_[index] = 0; // stops at once, also where only whole notches are sent
    }
    // What the slider's speed would send in this time, times the distance's factor.
    const double ms = elapsedMs;
    const std::int32_t amount =
        follow_.axes[index].Take(distance,
                                 lines ? ms / (vertical ? VertLineInterval(slider) : HorzLineInterval(slider))
                                       : ms * AutoWheelDelta(slider) / kWheelInterval,
                                 lines ? kFollowLinesPerTick : kWheelDeltaLimit);
    if (amount == 0) {
        return;
    }
    if (!lines) {
        // The vertical wheel turns up for positive deltas, the horizontal one right.
        Wheel(axis, static_cast<std::int16_t>(vertical ? -amount : amount), probe_.ProbePoint);
        return;
    }
    const std::uint32_t message = vertical ? win::kWM_VSCROLL : win::kWM_HSCROLL;
    static_assert(win::kSB_LINEDOWN == win::kSB_LINERIGHT && win::kSB_LINEUP == win::kSB_LINELEFT);
    const std::uint32_t code = amount > 0 ? win::kSB_LINEDOWN : win::kSB_LINEUP; // or right, left
    const std::intptr_t bar = HandleParam(vertical ? probe_.VertBarControl : probe_.HorzBarControl);
    for (std::int32_t i = std::abs(amount); i > 0; --i) {
        SendAndWait(message, code, bar);
    }
    SendAndWait(message, win::kSB_ENDSCROLL, bar);
}

} // namespace gw
