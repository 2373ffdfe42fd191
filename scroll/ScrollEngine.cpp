#include "scroll/ScrollEngine.h"

#include "scroll/AutoFollow.h"
#include "shared/MouseMessageClass.h"
#include "shared/Win32Values.h"

#include <cstdlib>

namespace gw {

namespace {

// The axis locks once the cursor is this far (and one more) from the Anchor.
constexpr std::int32_t kAxisLockDistance = 3;
// Auto Scroll picks its first direction only outside this distance from the Anchor.
constexpr std::int32_t kDeadZone = 2;
constexpr std::uint32_t kReplayPauseMs = 20;

struct ButtonFlags {
    std::uint32_t down;
    std::uint32_t up;
};

constexpr ButtonFlags kLeftFlags{win::kMOUSEEVENTF_LEFTDOWN, win::kMOUSEEVENTF_LEFTUP};
constexpr ButtonFlags kMiddleFlags{win::kMOUSEEVENTF_MIDDLEDOWN, win::kMOUSEEVENTF_MIDDLEUP};
constexpr ButtonFlags kRightFlags{win::kMOUSEEVENTF_RIGHTDOWN, win::kMOUSEEVENTF_RIGHTUP};

// The arrow the system cursors show while Auto Scroll goes this way.
constexpr int DirectionCursor(ScrollDirection direction) {
    switch (direction) {
    case ScrollDirection::Left:
        return LEFTBLACK;
    case ScrollDirection::Right:
        return RIGHTBLACK;
    case ScrollDirection::Up:
        return UPBLACK;
    case ScrollDirection::Down:
        return DOWNBLACK;
    case ScrollDirection::None:
        break;
    }
    return AUTOCUR;
}

} // namespace

void ScrollEngine::HandleHookMouse(std::uint32_t messageId, std::int32_t x, std::int32_t y, bool swallowed,
                                   bool stoodAside) {
    const MouseMessageClass message = ClassifyMouseMessage(messageId);
    switch (message.kind) {
    case MouseMessageKind::Move:
        Move(x, y);
        break;
    case MouseMessageKind::Press:
        Press(message.button, Point{x, y}, swallowed, stoodAside);
        break;
    case MouseMessageKind::Release:
        Release(message.button, Point{x, y}, swallowed);
        break;
    case MouseMessageKind::None:
        break;
    }
    state_.LastPos = env_.Settings.MoveLock ? state_.Anchor : Point{x, y};
    state_.Cursor = Point{x, y};
}

void ScrollEngine::ReleaseGuardTimerTimer() {
    if (!Gesturing()) {
        output_.RetryLetGo();
        if (!output_.HoldingTarget()) {
            env_.GuardTimer.SetEnabled(false);
        }
        return;
    }
    const MouseButton button = PhysicalButton(ActivationButton());
    const std::uint32_t key = button == MouseButton::Left     ? win::kVK_LBUTTON
                              : button == MouseButton::Middle ? win::kVK_MBUTTON
                                                              : win::kVK_RBUTTON;
    if (env_.Input.KeyDown(key)) {
        guardSawUp_ = false;
    } else if (guardSawUp_) {
        // Twice in a row: one tick alone may fall between the release and its report.
        EndWithoutRelease(GestureEnd::LostRelease);
    } else {
        guardSawUp_ = true;
    }
}

void ScrollEngine::ScrollingSwitchedOff() {
    if (Gesturing()) {
        EndWithoutRelease(GestureEnd::ScrollingOff);
    }
}

bool ScrollEngine::StillAClick() const {
    switch (state_.Phase) {
    case GesturePhase::MoveScroll:
        return state_.Axis == ScrollAxis::None;
    case GesturePhase::AutoScroll:
        return state_.Direction == ScrollDirection::None;
    case GesturePhase::Idle:
        break;
    }
    return false;
}

void ScrollEngine::ResetGestureState() {
    if (state_.Phase == GesturePhase::MoveScroll && state_.Axis != ScrollAxis::None) {
        // Forgetting the axis would leave the thumb held, the keyboard state changed and the input
        // attached, and make the release replay a click.
        EndWithoutRelease(GestureEnd::SettingsApplied);
    }
    state_.Axis = ScrollAxis::None;
    state_.Direction = ScrollDirection::None;
    state_.Toggle = ToggleStage::None;
    state_.WaitingClick = MouseButton::None;
}

void ScrollEngine::Move(std::int32_t x, std::int32_t y) {
    if (Point{x, y} == state_.LastPos) {
        return; // also the move our own SetCursorPos back to the Anchor produces
    }
    switch (state_.Phase) {
    case GesturePhase::MoveScroll:
        MoveScrollStep(x, y);
        break;
    case GesturePhase::AutoScroll:
        AutoDirectionStep(x, y);
        break;
    case GesturePhase::Idle:
        break;
    }
}

void ScrollEngine::MoveScrollStep(std::int32_t x, std::int32_t y) {
    const std::int32_t dx = x - state_.LastPos.x;
    const std::int32_t dy = y - state_.LastPos.y;
    if (std::abs(dy) < std::abs(dx)) {
        MoveAxisStep(ScrollAxis::Horizontal, x, state_.Anchor.x, dx, x, y);
    } else {
        MoveAxisStep(ScrollAxis::Vertical, y, state_.Anchor.y, dy, x, y); // a tie counts as vertical
    }
}

void ScrollEngine::MoveAxisStep(ScrollAxis axis, std::int32_t along, std::int32_t anchorAlong,
                                std::int32_t step, std::int32_t x, std::int32_t y) {
    const bool vertical = axis == ScrollAxis::Vertical;
    const bool canScroll = vertical ? probe_.CanScrollVert : probe_.CanScrollHorz;
    if (std::abs(along - anchorAlong) > kAxisLockDistance && state_.Axis == ScrollAxis::None) {
        if (canScroll) {
            output_.BeginThumbDrag(axis);
        } else if (WheelOnly()) {
            output_.AttachTargetInput(true);
            env_.Cursors.SetAllSystemCursors(vertical ? HANDVERT : HANDHORZ);
        } else {
            return; // nothing scrolls along this axis; it stays free
        }
        state_.Axis = axis;
        state_.Anchor = Point{x, y};
    } else if (state_.Axis == axis) {
        if (canScroll) {
            env_.Share.Set(&HookShare::PassInput, false);
            output_.MoveThumb(axis, step);
        } else if (WheelOnly()) {
            if (vertical) {
                output_.WheelStep(step);
            } else if (output_.SidewaysWheel()) {
                output_.HorzWheelStep(step);
            } else {
                output_.HorzLineSteps(x);
            }
        }
        if (env_.Settings.MoveLock) {
            env_.Input.SetCursorPos(state_.Anchor.x, state_.Anchor.y);
        }
    }
}

void ScrollEngine::SetDirection(ScrollDirection direction) {
    state_.Direction = direction;
    env_.Cursors.SetAllSystemCursors(DirectionCursor(direction));
}

void ScrollEngine::AutoDirectionStep(std::int32_t x, std::int32_t y) {
    if (env_.Settings.AutoFollow) {
        FollowDirectionStep(x, y);
        return;
    }
    if (std::abs(y - state_.Anchor.y) <= kDeadZone && std::abs(x - state_.Anchor.x) <= kDeadZone &&
        state_.Direction == ScrollDirection::None) {
        return;
    }
    const std::int32_t dx = x - state_.LastPos.x;
    const std::int32_t dy = y - state_.LastPos.y;
    const bool horizontal = std::abs(dx) > std::abs(dy);
    const ScrollDirection forward = horizontal ? ScrollDirection::Right : ScrollDirection::Down;
    const ScrollDirection backward = horizontal ? ScrollDirection::Left : ScrollDirection::Up;
    // Without Inverse the direction follows a step of at least 2 pixels (step > 1 goes forward,
    // step < -1 backward). Inverse mirrors the step and the bounds, so the direction goes against
    // the step and a step of 1 pixel suffices.
    const std::int32_t sign = env_.Settings.Inverse ? -1 : 1;
    const std::int32_t step = sign * (horizontal ? dx : dy);
    const ScrollDirection current = state_.Direction;
    if (step > sign && current != forward) {
        SetDirection(forward);
    } else if (step < -sign && current != backward) {
        SetDirection(backward);
    }
}

void ScrollEngine::FollowDirectionStep(std::int32_t x, std::int32_t y) {
    const ScrollDirection direction =
        FollowDirection(Point{x - state_.Anchor.x, y - state_.Anchor.y}, env_.Settings.Inverse);
    if (direction == ScrollDirection::None) {
        // Nothing scrolls here; a direction once chosen stays, so the release replays no click.
        if (state_.Direction != ScrollDirection::None && !followResting_) {
            followResting_ = true;
            env_.Cursors.SetAllSystemCursors(AUTOCUR);
        }
    } else if (direction != state_.Direction || followResting_) {
        followResting_ = false;
        SetDirection(direction);
    }
}

void ScrollEngine::Press(MouseButton button, Point at, bool swallowed, bool stoodAside) {
    if (button == state_.WaitingClick) {
        // The release of the waiting click went past us: too late for it.
        state_.WaitingClick = MouseButton::None;
    }
    if (stoodAside) {
        return; // the hook left this press to the application: it starts nothing
    }
    BeginGesture(button, at);
    if (Gesturing()) {
        state_.WaitingClick = MouseButton::None; // a click replayed now would land in the gesture
    } else if (swallowed) {
        // The hook's probe took the window for scrollable, ours did not (or the settings changed
        // in between): the application gets its click once the hook holds back the release too.
        state_.WaitingClick = button;
    }
}

void ScrollEngine::BeginGesture(MouseButton button, Point at) {
    const RuntimeSettings& settings = env_.Settings;
    if (state_.Toggle != ToggleStage::None || !settings.ScrollEnabled || button != ActivationButton()) {
        return;
    }
    state_.Direction = ScrollDirection::None;
    followResting_ = false;
    output_.AbandonTarget(); // still waiting for a hung target of an earlier gesture
    if (state_.Axis != ScrollAxis::None) {
        // A Move Scroll gesture whose release was lost, and the guard has not ended it yet: this
        // press takes over.
        if (settings.MoveBack) {
            env_.Input.SetCursorPos(state_.Anchor.x, state_.Anchor.y);
        }
        state_.Axis = ScrollAxis::None;
    }
    state_.PointedWindow = env_.Window.WindowFromPoint(at);
    state_.Anchor = at;

    if (ProbeScrollTarget(env_.Queries, env_.Input, state_.PointedWindow, probe_)) {
        output_.ForgetKeptBack();
        if (settings.MoveScrollMode) {
            if (probe_.Any() || probe_.WheelTarget) {
                env_.Share.Set(&HookShare::PassInput, true);
                env_.Cursors.SetAllSystemCursors(HANDBIZ);
            }
            state_.Phase = GesturePhase::MoveScroll; // input is attached once the axis locks
        } else {
            env_.Cursors.SetAllSystemCursors(AUTOCUR);
            output_.AttachTargetInput(true);
            state_.Phase = GesturePhase::AutoScroll;
        }
        if (settings.ToggleMode) {
            state_.Toggle = ToggleStage::Pressed;
        }
    }
    if (state_.Phase == GesturePhase::AutoScroll) {
        env_.ScrollTimer.SetEnabled(true);
    }
    // A Toggle gesture needs no guard: its button is up all along, and the clicks that end it are
    // reported even while the hook swallows them. A guard still asking an abandoned target stops.
    guardSawUp_ = false;
    env_.GuardTimer.SetEnabled(Gesturing() && !settings.ToggleMode);
    if (!Gesturing()) {
        // Rejected: a press the hook swallowed waits for its release (Press).
        env_.Share.Set(&HookShare::PassInput, true);
    }
}

void ScrollEngine::Release(MouseButton button, Point at, bool swallowed) {
    if (button == state_.WaitingClick) {
        // No gesture runs while a click waits. A release the hook let through (scrolling switched
        // off meanwhile, or the release went to another program) has reached the application
        // already: the click cannot be made whole any more, a replay would add a second release.
        state_.WaitingClick = MouseButton::None;
        if (swallowed) {
            ReplayClick(button, at);
        }
        return;
    }
    if (!env_.Settings.ScrollEnabled || !Gesturing()) {
        return;
    }
    if (env_.Settings.ToggleMode) {
        // Any button's release counts: the first one after the press arms the end, the next ends it.
        if (state_.Toggle == ToggleStage::Pressed) {
            state_.Toggle = ToggleStage::ReleasedOnce;
        } else if (state_.Toggle == ToggleStage::ReleasedOnce) {
            EndGesture(GestureEnd::ToggleClick, button, at);
        }
    } else if (button == ActivationButton()) {
        EndGesture(GestureEnd::Release, button, at);
    }
}

bool ScrollEngine::LetGoOfMoveScroll(bool released) {
    state_.Phase = GesturePhase::Idle;
    const ScrollAxis axis = state_.Axis;
    const bool thumb = (axis == ScrollAxis::Vertical && probe_.CanScrollVert) ||
                       (axis == ScrollAxis::Horizontal && probe_.CanScrollHorz);
    if (thumb) {
        output_.EndThumbDrag(axis);
    }
    if (axis == ScrollAxis::None) {
        return true; // the mouse never left the dead zone
    }
    // A wheel target without bars took the capture when the axis locked.
    output_.LetGoOfTarget(!thumb && WheelOnly(), released);
    if (env_.Settings.MoveBack) {
        env_.Input.SetCursorPos(state_.Anchor.x, state_.Anchor.y);
    }
    state_.Axis = ScrollAxis::None;
    return false;
}

void ScrollEngine::EndGesture(GestureEnd end, MouseButton button, Point at) {
    env_.Cursors.RestoreSystemCursors();
    env_.ScrollTimer.SetEnabled(false);
    env_.GuardTimer.SetEnabled(false);
    const bool move = state_.Phase == GesturePhase::MoveScroll;
    const bool click = StillAClick();

    switch (end) {
    case GestureEnd::Release:
        // A click after all comes back. An Auto Scroll gesture is still on while the replay's
        // messages are dispatched.
        if (move) {
            if (LetGoOfMoveScroll(true)) {
                env_.Share.Set(&HookShare::PassInput, true);
                ReplayClick(button, at);
            }
        } else {
            output_.LetGoOfTarget(true, true);
            if (click) {
                ReplayClick(button, at);
            }
            state_.Phase = GesturePhase::Idle;
        }
        break;
    case GestureEnd::ToggleClick:
        // Only the activation button's click comes back, after the input is handed back and the
        // gesture is over.
        if (move) {
            if (LetGoOfMoveScroll(true) && button == ActivationButton()) {
                env_.Share.Set(&HookShare::PassInput, true);
                ReplayClick(button, at);
            }
        } else {
            env_.Share.Set(&HookShare::PassInput, true);
            output_.LetGoOfTarget(true, true);
            state_.Phase = GesturePhase::Idle;
            if (click && button == ActivationButton()) {
                ReplayClick(button, at);
            }
        }
        break;
    case GestureEnd::LostRelease:
    case GestureEnd::SettingsApplied:
    case GestureEnd::ScrollingOff:
        // No click: the target may hang, and nothing is let go until it answers.
        if (move) {
            LetGoOfMoveScroll(false);
        } else {
            output_.LetGoOfTarget(true, false);
            state_.Phase = GesturePhase::Idle;
        }
        env_.Share.Set(&HookShare::PassInput, true);
        if (end == GestureEnd::LostRelease && click) {
            // A busy target may take the release late; its report brings the click back.
            state_.WaitingClick = button;
        }
        break;
    }
    state_.Direction = ScrollDirection::None;
    state_.Toggle = ToggleStage::None;
    if (output_.HoldingTarget()) {
        env_.GuardTimer.SetEnabled(true); // its ticks ask the hung target again
    }
}

MouseButton ScrollEngine::PhysicalButton(MouseButton button) {
    if (env_.Input.ButtonsSwapped() && button != MouseButton::Middle) {
        // With the buttons swapped, the logical right button is the physical left one, and the
        // other way round.
        return button == MouseButton::Left ? MouseButton::Right : MouseButton::Left;
    }
    return button;
}

void ScrollEngine::ReplayClick(MouseButton button, Point at) {
    const MouseButton physical = PhysicalButton(button);
    const ButtonFlags flags = physical == MouseButton::Left     ? kLeftFlags
                              : physical == MouseButton::Middle ? kMiddleFlags
                                                                : kRightFlags;
    // The mark lets the hooks pass the click on untouched whenever the target takes it, however
    // busy it is now; paused, they also leave alone the cursor's move to the point.
    env_.Share.Set(&HookShare::HooksPaused, true);
    env_.Input.SetCursorPos(at.x, at.y);
    env_.Input.MouseEvent(flags.down, kInjectedInputMark);
    env_.Input.Sleep(kReplayPauseMs);
    env_.Input.MouseEvent(flags.up, kInjectedInputMark);
    env_.Input.Sleep(kReplayPauseMs);
    env_.Input.MouseEvent(win::kMOUSEEVENTF_MOVE, kInjectedInputMark); // a move by zero
    env_.Application.ProcessMessages();
    env_.Share.Set(&HookShare::HooksPaused, false);
}

} // namespace gw
