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
// Ticks of GuardTimer (100 ms apart) that must see the activation button up before the guard
// ends a gesture: one alone may fall between the release and its report.
constexpr int kGuardUpTicks = 2;

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
        Press(message.button, x, y, swallowed, stoodAside);
        break;
    case MouseMessageKind::Release:
        Release(message.button, x, y, swallowed);
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
    const std::uint8_t button = PhysicalButton(env_.Settings.ActivateButton);
    const std::uint32_t key = button == 1   ? win::kVK_LBUTTON
                              : button == 2 ? win::kVK_MBUTTON
                                            : win::kVK_RBUTTON;
    if (env_.Input.KeyDown(key)) {
        guardUpTicks_ = 0;
    } else if (++guardUpTicks_ >= kGuardUpTicks) {
        const bool click = StillAClick();
        EndWithoutRelease();
        if (click) {
            state_.PendingReplay = env_.Settings.ActivateButton;
        }
    }
}

void ScrollEngine::ScrollingSwitchedOff() {
    if (Gesturing()) {
        EndWithoutRelease();
    }
}

bool ScrollEngine::StillAClick() const {
    return (state_.MoveScrolling && state_.DragAxis == ScrollAxis::None) ||
           (state_.AutoScrolling && state_.AutoDirection == ScrollDirection::None);
}

void ScrollEngine::EndWithoutRelease() {
    EndGesture(env_.Settings.ToggleMode, env_.Settings.ActivateButton, state_.LastPos.x, state_.LastPos.y,
               false);
}

void ScrollEngine::ResetGestureState() {
    if (state_.MoveScrolling && state_.DragAxis != ScrollAxis::None) {
        // Forgetting the axis would leave the thumb held, the keyboard state changed and the input
        // attached, and make the release replay a click.
        EndWithoutRelease();
    }
    state_.DragAxis = ScrollAxis::None;
    state_.AutoDirection = ScrollDirection::None;
    state_.ToggleStage = ToggleProgress::Idle;
    state_.PendingReplay = 0;
}

void ScrollEngine::Move(std::int32_t x, std::int32_t y) {
    if (Point{x, y} == state_.LastPos) {
        return; // also the move our own SetCursorPos back to the Anchor produces
    }
    if (state_.MoveScrolling) {
        MoveScrollStep(x, y);
    } else if (state_.AutoScrolling) {
        AutoDirectionStep(x, y);
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
    if (std::abs(along - anchorAlong) > kAxisLockDistance && state_.DragAxis == ScrollAxis::None) {
        if (canScroll) {
            output_.BeginThumbDrag(axis);
        } else if (WheelOnly()) {
            output_.AttachTargetInput(true);
            env_.Cursors.SetAllSystemCursors(vertical ? HANDVERT : HANDHORZ);
        } else {
            return; // nothing scrolls along this axis; it stays free
        }
        state_.DragAxis = axis;
        state_.Anchor = Point{x, y};
    } else if (state_.DragAxis == axis) {
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
    state_.AutoDirection = direction;
    env_.Cursors.SetAllSystemCursors(DirectionCursor(direction));
}

void ScrollEngine::AutoDirectionStep(std::int32_t x, std::int32_t y) {
    if (env_.Settings.AutoFollow) {
        FollowDirectionStep(x, y);
        return;
    }
    if (std::abs(y - state_.Anchor.y) <= kDeadZone && std::abs(x - state_.Anchor.x) <= kDeadZone &&
        state_.AutoDirection == ScrollDirection::None) {
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
    const ScrollDirection current = state_.AutoDirection;
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
        if (state_.AutoDirection != ScrollDirection::None && !followResting_) {
            followResting_ = true;
            env_.Cursors.SetAllSystemCursors(AUTOCUR);
        }
    } else if (direction != state_.AutoDirection || followResting_) {
        followResting_ = false;
        SetDirection(direction);
    }
}

void ScrollEngine::Press(std::uint8_t button, std::int32_t x, std::int32_t y, bool swallowed,
                         bool stoodAside) {
    if (button == state_.PendingReplay) {
        state_.PendingReplay = 0; // the release of the waiting click went past us: too late for it
    }
    if (stoodAside) {
        return; // the hook left this press to the application: it starts nothing
    }
    BeginGesture(button, x, y);
    if (Gesturing()) {
        state_.PendingReplay = 0; // a click replayed now would land in the middle of the gesture
    } else if (swallowed) {
        // The hook's probe took the window for scrollable, ours did not (or the settings changed
        // in between): the application gets its click once the hook holds back the release too.
        state_.PendingReplay = button;
    }
}

void ScrollEngine::BeginGesture(std::uint8_t button, std::int32_t x, std::int32_t y) {
    const RuntimeSettings& settings = env_.Settings;
    if (state_.ToggleStage != ToggleProgress::Idle || !settings.ScrollEnabled ||
        button != settings.ActivateButton) {
        return;
    }
    state_.AutoDirection = ScrollDirection::None;
    followResting_ = false;
    output_.AbandonTarget();                   // still waiting for a hung target of an earlier gesture
    if (state_.DragAxis != ScrollAxis::None) { // left over from an earlier gesture
        if (settings.MoveBack) {
            env_.Input.SetCursorPos(state_.Anchor.x, state_.Anchor.y);
        }
        state_.DragAxis = ScrollAxis::None;
    }
    env_.MainTimer.SetEnabled(false);
    state_.PointedWindow = env_.Window.WindowFromPoint(Point{x, y});
    state_.Anchor = Point{x, y};

    if (ProbeScrollTarget(env_.Queries, env_.Input, state_.PointedWindow, probe_)) {
        output_.ForgetKeptBack();
        if (settings.MoveScrollMode) {
            if (probe_.Any() || probe_.WheelTarget) {
                env_.Share.Set(&HookShare::PassInput, true);
                env_.Cursors.SetAllSystemCursors(HANDBIZ);
            }
            state_.MoveScrolling = true; // input is attached once the axis locks
        } else {
            env_.Cursors.SetAllSystemCursors(AUTOCUR);
            output_.AttachTargetInput(true);
            state_.AutoScrolling = true;
        }
        if (settings.ToggleMode) {
            state_.ToggleStage = ToggleProgress::Pressed;
        }
    }
    if (state_.AutoScrolling) {
        env_.ScrollTimer.SetEnabled(true);
    }
    if (Gesturing() && !settings.ToggleMode) {
        // A Toggle gesture needs no guard: its button is up all along, and the clicks that end it
        // are reported even while the hook swallows them.
        guardUpTicks_ = 0;
        env_.GuardTimer.SetEnabled(true);
    }
    if (!state_.AutoScrolling && !state_.MoveScrolling) {
        // Rejected: a press the hook swallowed waits for its release (Press).
        env_.Share.Set(&HookShare::PassInput, true);
        env_.MainTimer.SetEnabled(true);
    }
}

void ScrollEngine::Release(std::uint8_t button, std::int32_t x, std::int32_t y, bool swallowed) {
    if (button == state_.PendingReplay) {
        // No gesture runs while a click waits. A release the hook let through (scrolling switched
        // off meanwhile, or the release went to another program) has reached the application
        // already: the click cannot be made whole any more, a replay would add a second release.
        state_.PendingReplay = 0;
        if (swallowed) {
            ReplayClick(button, x, y);
        }
        return;
    }
    if (!env_.Settings.ScrollEnabled || !(state_.AutoScrolling || state_.MoveScrolling)) {
        return;
    }
    if (env_.Settings.ToggleMode) {
        // Any button's release counts: the first one after the press arms the end, the next ends it.
        if (state_.ToggleStage == ToggleProgress::Pressed) {
            state_.ToggleStage = ToggleProgress::ReleasedOnce;
        } else if (state_.ToggleStage == ToggleProgress::ReleasedOnce) {
            EndGesture(true, button, x, y);
        }
    } else if (button == env_.Settings.ActivateButton) {
        EndGesture(false, button, x, y);
    }
}

void ScrollEngine::EndGesture(bool toggleForm, std::uint8_t button, std::int32_t x, std::int32_t y,
                              bool released) {
    const bool activation = button == env_.Settings.ActivateButton;
    env_.Cursors.RestoreSystemCursors();
    env_.ScrollTimer.SetEnabled(false);
    env_.GuardTimer.SetEnabled(false);
    if (!toggleForm) {
        env_.MainTimer.SetEnabled(false);
    }

    if (state_.MoveScrolling) {
        state_.MoveScrolling = false;
        const ScrollAxis axis = state_.DragAxis;
        const bool thumb = (axis == ScrollAxis::Vertical && probe_.CanScrollVert) ||
                           (axis == ScrollAxis::Horizontal && probe_.CanScrollHorz);
        if (thumb) {
            output_.EndThumbDrag(axis);
        }
        if (axis != ScrollAxis::None) {
            // A wheel target without bars took the capture when the axis locked.
            output_.LetGoOfTarget(!thumb && WheelOnly(), released);
            if (env_.Settings.MoveBack) {
                env_.Input.SetCursorPos(state_.Anchor.x, state_.Anchor.y);
            }
            state_.DragAxis = ScrollAxis::None;
        } else if (!toggleForm || activation) {
            // The mouse never left the dead zone: it was a click after all.
            env_.Share.Set(&HookShare::PassInput, true);
            if (released) {
                ReplayClick(button, x, y);
            }
        }
    } else if (state_.AutoScrolling) {
        // No direction was ever chosen: it was a click after all. The toggle form hands the input
        // back and ends the gesture before the replay; the classic form ends it only once the
        // replay (and the messages it dispatches) is over.
        const bool replay = released && state_.AutoDirection == ScrollDirection::None && activation;
        if (toggleForm) {
            env_.Share.Set(&HookShare::PassInput, true);
        }
        output_.LetGoOfTarget(true, released);
        if (toggleForm) {
            state_.AutoScrolling = false;
        }
        if (replay) {
            ReplayClick(button, x, y);
        }
        if (!toggleForm) {
            state_.AutoScrolling = false;
        }
        state_.AutoDirection = ScrollDirection::None;
    }
    state_.ToggleStage = ToggleProgress::Idle;
    env_.MainTimer.SetEnabled(true);
    if (output_.HoldingTarget()) {
        env_.GuardTimer.SetEnabled(true); // its ticks ask the hung target again
    }
}

std::uint8_t ScrollEngine::PhysicalButton(std::uint8_t button) {
    if (env_.Input.ButtonsSwapped() && button != 2) {
        // With the buttons swapped, the logical right button is the physical left one, and the
        // other way round.
        return button == 1 ? 3 : 1;
    }
    return button;
}

void ScrollEngine::ReplayClick(std::uint8_t button, std::int32_t x, std::int32_t y) {
    const std::uint8_t physical = PhysicalButton(button);
    const ButtonFlags flags = physical == 1 ? kLeftFlags : physical == 2 ? kMiddleFlags : kRightFlags;
    // The mark lets the hooks pass the click on untouched whenever the target takes it, however
    // busy it is now; paused, they also leave alone the cursor's move to the point.
    env_.Share.Set(&HookShare::HooksPaused, true);
    env_.Input.SetCursorPos(x, y);
    env_.Input.MouseEvent(flags.down, kInjectedInputMark);
    env_.Input.Sleep(kReplayPauseMs);
    env_.Input.MouseEvent(flags.up, kInjectedInputMark);
    env_.Input.Sleep(kReplayPauseMs);
    env_.Input.MouseEvent(win::kMOUSEEVENTF_MOVE, kInjectedInputMark); // a move by zero
    env_.Application.ProcessMessages();
    env_.Share.Set(&HookShare::HooksPaused, false);
}

} // namespace gw
