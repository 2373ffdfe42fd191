#include "ui/Timer_win.h"

namespace gw::win32 {

TimerBinding::TimerBinding(FormWindow& form, TTimer& timer, UINT_PTR id)
    : form_(form), timer_(timer), id_(id) {
    form_.AddFilter(*this);
    timer_.SetView(this);
}

TimerBinding::~TimerBinding() {
    timer_.SetView(nullptr);
    form_.RemoveFilter(*this);
    if (form_.Hwnd()) {
        KillTimer(form_.Hwnd(), id_);
    }
}

void TimerBinding::TimerChanged(TTimer& timer) {
    HWND window = form_.Hwnd();
    if (!window) {
        return;
    }
    if (timer.Enabled() && timer.Interval() > 0) {
        SetTimer(window, id_, timer.Interval(), nullptr); // also restarts it with a new interval
    } else {
        KillTimer(window, id_);
    }
}

bool TimerBinding::FilterMessage(HWND, UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message != WM_TIMER || wParam != id_) {
        return false;
    }
    form_.Application().Dispatch([this] { timer_.Fire(); });
    result = 0;
    return true;
}

} // namespace gw::win32
