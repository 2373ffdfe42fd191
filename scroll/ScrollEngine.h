#pragma once
// The scroll gesture state machine: turns the mouse messages the hooks report into scroll
// gestures. The main window calls HandleHookMouse for every WM_HOOKMOUSE (after its own cursor
// return after typing), ScrollTimerTimer on every ScrollTimer tick and ResetGestureState when
// settings are applied.

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

    // One reported mouse message; x and y are the unsigned 16-bit halves of its position.
    // swallowed: the hook's click rule kept the message from the application; stoodAside: the hook
    // left the press to the application, so it starts no gesture.
    void HandleHookMouse(std::uint32_t messageId, std::int32_t x, std::int32_t y, bool swallowed,
                         bool stoodAside = false);
    void ScrollTimerTimer() { output_.ScrollTimerTimer(); }
    // Applying settings forgets a half-finished axis, direction and toggle click, and a click
    // waiting for its release to be replayed; a running gesture itself goes on.
    void ResetGestureState();

    Point LastPos() const { return state_.LastPos; }
    ScrollDirection AutoDirection() const { return state_.AutoDirection; }
    const GestureState& State() const { return state_; }

private:
    void Move(std::int32_t x, std::int32_t y);
    void MoveScrollStep(std::int32_t x, std::int32_t y);
    void MoveAxisStep(ScrollAxis axis, std::int32_t along, std::int32_t anchorAlong, std::int32_t step,
                      std::int32_t x, std::int32_t y);
    void AutoDirectionStep(std::int32_t x, std::int32_t y);
    void SetDirection(ScrollDirection direction);
    void Press(std::uint8_t button, std::int32_t x, std::int32_t y, bool swallowed);
    void BeginGesture(std::uint8_t button, std::int32_t x, std::int32_t y);
    void Release(std::uint8_t button, std::int32_t x, std::int32_t y, bool swallowed);
    void EndGesture(bool toggleForm, std::uint8_t button, std::int32_t x, std::int32_t y);
    void ReplayClick(std::uint8_t button, std::int32_t x, std::int32_t y);
    bool WheelOnly() const { return probe_.WheelTarget && !probe_.Any(); }
    bool Gesturing() const { return state_.AutoScrolling || state_.MoveScrolling; }

    ScrollEnvironment env_;
    GestureState state_;
    ProbeResults probe_;
    ScrollOutput output_;
};

} // namespace gw
