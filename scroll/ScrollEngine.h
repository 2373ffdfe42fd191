#pragma once
// The scroll gesture state machine: turns the mouse messages the hooks report into scroll
// gestures. The main window calls HandleHookMouse for every WM_HOOKMOUSE (after its own cursor
// return after typing), ScrollTimerTimer on every ScrollTimer tick and ResetGestureState when
// settings are applied. Gesturing tells the rest of the program whether a gesture runs.

#include "scroll/ScrollEnvironment.h"
#include "scroll/ScrollOutput.h"
#include "scroll/ScrollProbe.h"

#include <cstdint>

namespace gw {

class ScrollEngine {
public:
    explicit ScrollEngine(const ScrollEnvironment& env) : env_(env), output_(env_, state_, probe_) {}
    ScrollEngine(const ScrollEngine&) = delete;
    ScrollEngine& operator=(const ScrollEngine&) = delete;

    // One reported mouse message at its screen position (negative left of or above the primary).
    // swallowed: the hook's click rule kept the message from the application; stoodAside: the hook
    // left the press to the application, so it starts no gesture.
    void HandleHookMouse(std::uint32_t messageId, std::int32_t x, std::int32_t y, bool swallowed,
                         bool stoodAside = false);
    // One ScrollTimer tick; nowMs: when it runs, in milliseconds (GetTickCount). The cursor
    // position it works with is the latest one reported.
    void ScrollTimerTimer(std::uint32_t nowMs) { output_.ScrollTimerTimer(nowMs); }
    // Every GuardTimer tick (100 ms) of a Classic gesture: the lost-release guard. A release the
    // hooks never report (it went to a window they cannot enter, or was lost) would leave the
    // gesture, and with a thumb drag PassInput 0, in force for good. When the system has seen the
    // activation button up on two ticks in a row, the gesture ends as a release would, without a
    // click replayed. A reported release is always handled before such a tick: the system hands
    // out posted messages before timer messages. A gesture that was still a click waits for its
    // release after all: a busy target may take it late, and the hook's report of it then brings
    // the click back (a new press of the button forgets it).
    void ReleaseGuardTimerTimer();
    // Scrolling was switched off (tray or Apply): a running gesture ends as a release would, without
    // a click replayed. Its release, if it is still to come, is no longer caught by the hook.
    void ScrollingSwitchedOff();
    // Applying settings forgets a half-finished axis, direction and toggle click, and a click
    // waiting for its release to be replayed; a running gesture itself goes on, except a Move
    // Scroll gesture whose axis has locked: it ends as a release would, without a click replayed.
    void ResetGestureState();

    Point LastPos() const { return state_.LastPos; }
    ScrollDirection AutoDirection() const { return state_.Direction; }
    // A gesture runs: from the press that starts it to the release or event that ends it.
    bool Gesturing() const { return state_.Phase != GesturePhase::Idle; }
    const GestureState& State() const { return state_; }

private:
    void Move(std::int32_t x, std::int32_t y);
    void MoveScrollStep(std::int32_t x, std::int32_t y);
    void MoveAxisStep(ScrollAxis axis, std::int32_t along, std::int32_t anchorAlong, std::int32_t step,
                      std::int32_t x, std::int32_t y);
    void AutoDirectionStep(std::int32_t x, std::int32_t y);
    // The direction with the speed following the distance: the dominant one of the offset from
    // the Anchor, the four-way cursor again while the hand rests within the dead zone.
    void FollowDirectionStep(std::int32_t x, std::int32_t y);
    void SetDirection(ScrollDirection direction);
    void Press(MouseButton button, Point at, bool swallowed, bool stoodAside);
    void BeginGesture(MouseButton button, Point at);
    void Release(MouseButton button, Point at, bool swallowed);
    // button and at: the release that ends it; without one, the activation button at LastPos.
    void EndGesture(GestureEnd end, MouseButton button, Point at);
    void EndWithoutRelease(GestureEnd end) { EndGesture(end, ActivationButton(), state_.LastPos); }
    // Lets go of a Move Scroll gesture's thumb, capture and input; true when no axis had locked,
    // so that what happened was a click.
    bool LetGoOfMoveScroll(bool released);
    // No axis locked, no direction chosen: what has happened so far is a click.
    bool StillAClick() const;
    void ReplayClick(MouseButton button, Point at);
    MouseButton ActivationButton() const { return env_.Settings.ActivateButton; }
    // mouse_event and GetAsyncKeyState speak of physical buttons.
    MouseButton PhysicalButton(MouseButton button);
    bool WheelOnly() const { return probe_.WheelTarget && !probe_.Any(); }

    ScrollEnvironment env_;
    GestureState state_;
    ProbeResults probe_;
    ScrollOutput output_;
    bool guardSawUp_ = false; // the guard's last tick saw the activation button up
    // The speed follows the distance, a direction has been chosen and the hand is back within the
    // dead zone: the cursors show AUTOCUR, not the direction.
    bool followResting_ = false;
};

} // namespace gw
