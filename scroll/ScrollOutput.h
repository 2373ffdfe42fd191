#pragma once
// The operations that make another application's window scroll: thumb drags by synthetic
// messages to a scroll bar, line messages and wheel messages, and the Auto Scroll timer step.

#include "scroll/AutoFollow.h"
#include "scroll/ScrollEnvironment.h"
#include "scroll/ScrollProbe.h"

#include <array>
#include <cstdint>

namespace gw {

// How long we wait for a target to take a line or end-scroll message before we stop waiting. A
// target that is slow or hung must not stop Glidewing's own thread, and the message still
// arrives when the target gets round to it.
inline constexpr std::uint32_t kLineSendTimeoutMs = 100;
// How long a gesture that ends without a release waits to learn whether its target answers.
inline constexpr std::uint32_t kAnswerTimeoutMs = 30;

class ScrollOutput {
public:
    ScrollOutput(ScrollEnvironment& env, const GestureState& gesture, const ProbeResults& probe)
        : env_(env), gesture_(gesture), probe_(probe) {}

    void AttachTargetInput(bool capture);
    void DetachTargetInput();
    // Lets go of the target at the end of a gesture: the capture, when the gesture took it, and
    // the attached input. Giving up the capture tells the window with a sent message, which waits
    // for its thread. After the user's release the target has just reported it and answers; a
    // gesture that ends without one (the guard, settings applied, scrolling switched off) may end
    // while the target hangs, and then nothing is let go until the target answers again
    // (RetryLetGo) or another gesture needs the input (AbandonTarget).
    void LetGoOfTarget(bool capture, bool released);
    bool HoldingTarget() const { return holding_; }
    void RetryLetGo();
    // Detaches without giving up the capture: the hung window keeps it, Glidewing's thread does not
    // wait for it.
    void AbandonTarget();

    // axis is ScrollAxis::Vertical or ScrollAxis::Horizontal.
    void BeginThumbDrag(ScrollAxis axis);
    void MoveThumb(ScrollAxis axis, std::int32_t step);
    void EndThumbDrag(ScrollAxis axis);

    // Move Scroll steps on a wheel target without bars: the wheel for the vertical axis; sideways
    // the horizontal wheel where the family takes it (SidewaysWheel), else line messages.
    void WheelStep(std::int32_t dy);
    void HorzWheelStep(std::int32_t dx);
    void HorzLineSteps(std::int32_t x);
    bool SidewaysWheel() const { return probe_.Delivery != WheelDelivery::SentSidewaysLines; }
    // A new gesture starts without the parts of a notch, a line or a wheel unit an earlier one kept
    // back, and times its first tick afresh.
    void ForgetKeptBack() {
        notchRemainder_ = {};
        follow_ = Follow{};
    }

    // One Auto Scroll step per ScrollTimer tick. nowMs: when the tick runs, in milliseconds
    // (GetTickCount); only the speed that follows the distance reads it.
    void ScrollTimerTimer(std::uint32_t nowMs);

private:
    struct ThumbDrag {
        Point point; // in the coordinates of the window that gets the posted messages
        std::int32_t min = 0;
        std::int32_t max = 0;
        // False when the bar could not be measured: nothing was grabbed, so nothing is moved
        // or released.
        bool grabbed = false;
    };

    // The tick with the speed following the distance: both axes at once, each at the cursor's
    // distance from the Anchor along it.
    void FollowTick(std::uint32_t nowMs);
    // One axis of that tick, distance towards the end of the page: whole lines and one
    // SB_ENDSCROLL after them, or a turn of the wheel; nothing while less than one is due.
    void FollowAxisOut(ScrollAxis axis, std::int32_t distance, bool lines, std::uint32_t elapsedMs);

    WindowHandle ThumbWindow(ScrollAxis axis) const;
    ThumbDrag& Drag(ScrollAxis axis) { return axis == ScrollAxis::Vertical ? vert_ : horz_; }
    // A scroll request to ScrollTarget that waits for the target, but never longer than
    // kLineSendTimeoutMs.
    void SendAndWait(std::uint32_t message, std::uint32_t code, std::intptr_t lParam);
    // One line and its SB_ENDSCROLL; control is the bar named in lParam (null for none).
    void SendLine(std::uint32_t message, std::uint32_t code, WindowHandle control);
    // A turn of the vertical or horizontal wheel by delta in the units and sign of the wheel
    // messages (positive: up, or right), at the screen point at, delivered the family's way.
    void Wheel(ScrollAxis axis, std::int16_t delta, Point at);
    void SendWheel(ScrollAxis axis, std::int16_t delta, Point at);
    void InjectWheel(ScrollAxis axis, std::int16_t delta, Point at);

    ScrollEnvironment& env_;
    const GestureState& gesture_;
    const ProbeResults& probe_;

    std::uint32_t ownThreadId_ = 0;
    std::uint32_t targetThreadId_ = 0;
    bool holding_ = false;    // a hung target's capture and input, waiting for it to answer
    WindowHandle heldWindow_; // the window holding the capture meanwhile
    ThumbDrag vert_;
    ThumbDrag horz_;
    KeyboardState savedKeyState_{};
    std::uint8_t savedLButtonState_ = 0;
    // Wheel delta not yet sent to a family that takes whole notches only: vertical, horizontal.
    std::array<std::int32_t, 2> notchRemainder_{};
    // The speed that follows the distance: when the last tick ran (none yet in this gesture while
    // fresh), and what each axis keeps back: vertical, horizontal.
    struct Follow {
        bool fresh = true;
        std::uint32_t lastTickMs = 0;
        std::array<FollowAxis, 2> axes{};
    };
    Follow follow_;
};

} // namespace gw
