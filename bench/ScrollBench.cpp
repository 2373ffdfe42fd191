// The scroll engine's two repeated steps, against operations that answer at once: one Move Scroll
// step (a mouse move during a thumb drag) and one Auto Scroll tick, also with the speed following
// the distance.

#include "bench/AllocationCount.h"
#include "bench/BenchDesktop.h"
#include "scroll/ScrollEngine.h"
#include "shared/HookShareWriter.h"
#include "ui/Application.h"

#include <benchmark/benchmark.h>

#include <string>

namespace gw::bench {
namespace {

struct NoBoxes final : IMessageBox, IMessagePump {
    int Show(WindowHandle, const std::string&, const std::string&, std::uint32_t) override { return 0; }
    void ProcessMessages() override {}
};

// A real ScrollEngine over a frame with a text window whose own vertical bar is usable, the right
// button as activation button; the gesture is started by a press at (500, 300) and a move of 10
// pixels down, which locks the Move Scroll axis or chooses the Auto Scroll direction. With the
// speed following the distance the move goes to `follow` from the press instead.
struct EngineRig {
    explicit EngineRig(bool moveScroll, const Point* follow = nullptr) {
        settings.ScrollEnabled = true;
        settings.ActivateButton = MouseButton::Right;
        settings.MoveScrollMode = moveScroll;
        settings.AutoFollow = follow != nullptr;
        share.Attach(&record);
        horzSlider.SetPosition(30);
        vertSlider.SetPosition(30);
        const WindowHandle frame = windows.Add("GWTargetFrame");
        ops.underCursor = windows.Add("Edit", frame);
        windows.SetOwnBar(ops.underCursor, win::kOBJID_VSCROLL, 0);
        if (follow) {
            windows.SetOwnBar(ops.underCursor, win::kOBJID_HSCROLL, 0); // both axes may scroll
        }
        cursors.RegisterAll();
        const Point to = follow ? *follow : Point{0, 10};
        engine.HandleHookMouse(win::kWM_RBUTTONDOWN, 500, 300, true);
        engine.HandleHookMouse(win::kWM_MOUSEMOVE, 500 + to.x, 300 + to.y, false);
    }
    std::uint64_t Calls() const { return ops.calls + windows.calls; }

    RuntimeSettings settings;
    HookShare record{};
    HookShareWriter share;
    TTimer scrollTimer{100, false};
    TTimer guardTimer{100, false};
    BenchScrollOps ops;
    BenchWindows windows;
    SystemCursors cursors{ops};
    TTrackBar horzSlider{0, 60};
    TTrackBar vertSlider{0, 60};
    NoBoxes boxes;
    TApplication application{boxes, boxes};
    ScrollEngine engine{ScrollEnvironment{settings, share, scrollTimer, guardTimer, cursors, windows, ops,
                                          ops, horzSlider, vertSlider, application}};
};

void Scroll_MoveScrollStep(benchmark::State& state) {
    EngineRig rig(true);
    if (rig.engine.State().Axis != ScrollAxis::Vertical) {
        state.SkipWithError("the thumb drag did not start");
        return;
    }
    std::int32_t y = 310;
    const std::uint64_t calls = rig.Calls();
    const std::uint64_t before = AllocationCount();
    for (auto _ : state) {
        y = y == 310 ? 311 : 310;
        rig.engine.HandleHookMouse(win::kWM_MOUSEMOVE, 500, y, false);
    }
    ExpectNoAllocation(state, before);
    PerCall(state, "win32", static_cast<double>(rig.Calls() - calls));
}
BENCHMARK(Scroll_MoveScrollStep);

void Scroll_AutoScrollTick(benchmark::State& state) {
    EngineRig rig(false);
    if (rig.engine.AutoDirection() != ScrollDirection::Down) {
        state.SkipWithError("no Auto Scroll direction");
        return;
    }
    const std::uint64_t calls = rig.Calls();
    const std::uint64_t before = AllocationCount();
    for (auto _ : state) {
        rig.engine.ScrollTimerTimer(0);
    }
    ExpectNoAllocation(state, before);
    PerCall(state, "win32", static_cast<double>(rig.Calls() - calls));
}
BENCHMARK(Scroll_AutoScrollTick);

// Ticks with the speed following the distance, each `stepMs` after the last, the cursor at `to`
// from the press.
void FollowTicks(benchmark::State& state, Point to, std::uint32_t stepMs) {
    EngineRig rig(false, &to);
    if (rig.engine.AutoDirection() == ScrollDirection::None) {
        state.SkipWithError("no Auto Scroll direction");
        return;
    }
    std::uint32_t now = 0;
    const std::uint64_t calls = rig.Calls();
    const std::uint64_t before = AllocationCount();
    for (auto _ : state) {
        now += stepMs;
        rig.engine.ScrollTimerTimer(now);
    }
    ExpectNoAllocation(state, before);
    PerCall(state, "win32", static_cast<double>(rig.Calls() - calls));
}

// Like for like with the tick above: 200 pixels straight down, past the cap (ten times the
// slider's 2.78 lines a second), ticks 36 ms apart: one line and its end-scroll a tick.
void Scroll_AutoScrollTick_Follow(benchmark::State& state) {
    FollowTicks(state, Point{0, 200}, 36);
}
BENCHMARK(Scroll_AutoScrollTick_Follow);

// 100 pixels down and right, ticks 30 ms apart as the timer brings them: 5.2 times the sliders'
// 2.78 vertical and 11.1 horizontal lines a second, about 0.4 and 1.7 lines a tick, each axis's
// lines followed by its end-scroll.
void Scroll_AutoScrollTick_FollowDiagonal(benchmark::State& state) {
    FollowTicks(state, Point{100, 100}, 30);
}
BENCHMARK(Scroll_AutoScrollTick_FollowDiagonal);

} // namespace
} // namespace gw::bench
