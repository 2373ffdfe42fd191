#include "scroll/ScrollOutput.h"

#include "shared/Win32Values.h"

#include <algorithm>
#include <cstdlib>

namespace gw {

namespace {

constexpr std::uint8_t kKeyHeldAndToggled = 0x81;
constexpr std::uint32_t kGrabPauseMs = 20;    // lets the bar take the grab before the first move
constexpr std::uint32_t kReleasePauseMs = 10; // lets the last move land before the release
constexpr std::uint32_t kWheelTimeoutMs = 20;
constexpr std::uint32_t kMoveLineTimeoutMs = 10; // each line of a sideways Move Scroll step
constexpr std::uint32_t kWheelInterval = 200;
constexpr int kSliderMax = 60;

std::intptr_t HandleParam(WindowHandle window) {
    return static_cast<std::intptr_t>(window.value);
}

int Speed(const TTrackBar& slider) {
    return std::clamp(slider.Position(), 0, kSliderMax);
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
    const auto delta = static_cast<std::int16_t>(static_cast<std::int16_t>(dy) *
                                                 static_cast<std::int16_t>(probe_.WheelFactor));
    std::uint32_t wParam = MakeLong(0, delta);
    if (!env_.Settings.Inverse) {
        wParam = 0u - wParam; // mouse down scrolls towards the end: a negative wheel delta
    }
    env_.Window.SendWithTimeout(probe_.ScrollTarget, win::kWM_MOUSEWHEEL, wParam,
                                MakeLParam(gesture_.Anchor.x, gesture_.Anchor.y), win::kSMTO_BLOCK,
                                kWheelTimeoutMs);
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

void ScrollOutput::ScrollTimerTimer() {
    if (!gesture_.AutoScrolling) {
        return;
    }
    const ScrollDirection direction = gesture_.AutoDirection;
    if (direction == ScrollDirection::Left || direction == ScrollDirection::Right) {
        if (probe_.CanScrollHorz || probe_.WheelTarget) {
            env_.ScrollTimer.SetInterval(static_cast<std::uint32_t>(150 - 2 * Speed(env_.HorzSpeedSlider)));
            SendLine(win::kWM_HSCROLL,
                     direction == ScrollDirection::Left ? win::kSB_LINELEFT : win::kSB_LINERIGHT,
                     probe_.HorzBarControl);
        }
    } else if (direction == ScrollDirection::Up || direction == ScrollDirection::Down) {
        const int speed = Speed(env_.VertSpeedSlider);
        if (probe_.CanScrollVert && !probe_.WheelTarget) {
            env_.ScrollTimer.SetInterval(static_cast<std::uint32_t>(600 - 8 * speed));
            SendLine(win::kWM_VSCROLL, direction == ScrollDirection::Up ? win::kSB_LINEUP : win::kSB_LINEDOWN,
                     probe_.VertBarControl);
        } else if (probe_.WheelTarget) {
            env_.ScrollTimer.SetInterval(kWheelInterval);
            std::uint32_t wParam = MakeLong(0, speed + speed / 2 + 4);
            if (direction == ScrollDirection::Down) {
                wParam = 0u - wParam;
            }
            env_.Window.SendWithTimeout(probe_.ScrollTarget, win::kWM_MOUSEWHEEL, wParam,
                                        MakeLParam(probe_.ProbePoint.x, probe_.ProbePoint.y),
                                        win::kSMTO_BLOCK, kWheelTimeoutMs);
        }
    }
}

} // namespace gw
