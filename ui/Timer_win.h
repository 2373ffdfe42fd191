#pragma once
// A TTimer mirrored into SetTimer/KillTimer on the form's window; WM_TIMER fires it.

#include "ui/FormWindow_win.h"
#include "ui/Timer.h"

namespace gw::win32 {

class TimerBinding final : public TTimer::View, public MessageFilter {
public:
    // id: the timer's number on the form's window, unique per form.
    TimerBinding(FormWindow& form, TTimer& timer, UINT_PTR id);
    TimerBinding(const TimerBinding&) = delete;
    TimerBinding& operator=(const TimerBinding&) = delete;
    ~TimerBinding() override;

    void TimerChanged(TTimer& timer) override;
    bool FilterMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    FormWindow& form_;
    TTimer& timer_;
    UINT_PTR id_;
};

} // namespace gw::win32
