#pragma once
// A timer of the presentation toolkit. Its state (enabled, interval) is portable; the Win32 side
// (ui/Timer_win.cpp) mirrors it into SetTimer/KillTimer and calls Fire() on WM_TIMER. Tests call
// Fire() themselves.

#include <cstdint>
#include <functional>

namespace gw {

class TTimer {
public:
    // The Win32 side listens to state changes; absent in unit tests.
    class View {
    public:
        virtual ~View() = default;
        virtual void TimerChanged(TTimer& timer) = 0;
    };

    explicit TTimer(std::uint32_t interval = 1000, bool enabled = true)
        : interval_(interval), enabled_(enabled) {}
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    std::function<void()> OnTimer;

    bool Enabled() const { return enabled_; }
    std::uint32_t Interval() const { return interval_; }

    void SetEnabled(bool enabled) {
        if (enabled_ != enabled) {
            enabled_ = enabled;
            Changed();
        }
    }
    void SetInterval(std::uint32_t interval) {
        if (interval_ != interval) {
            interval_ = interval;
            Changed();
        }
    }

    // One tick: runs OnTimer while enabled.
    void Fire() {
        if (enabled_ && OnTimer) {
            OnTimer();
        }
    }

    void SetView(View* view) {
        view_ = view;
        Changed();
    }

private:
    void Changed() {
        if (view_) {
            view_->TimerChanged(*this);
        }
    }

    std::uint32_t interval_;
    bool enabled_;
    View* view_ = nullptr;
};

} // namespace gw
