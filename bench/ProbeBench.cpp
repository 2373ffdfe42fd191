// The walk over a window's siblings for scroll-bar controls, over a frame with 50 children and no
// bar among them (the longest walk there is): the hook library's probe at a press, and the
// program's probe when the reported press arrives.

#include "bench/AllocationCount.h"
#include "bench/BenchDesktop.h"
#include "hooks/ScrollableWindow.h"
#include "scroll/ScrollProbe.h"

#include <benchmark/benchmark.h>

namespace gw::bench {
namespace {

// A pane at the top of a frame of 50 children; the others are buttons and labels.
WindowHandle PaneAmongFifty(BenchWindows& windows) {
    const WindowHandle frame = windows.Add("GWTargetFrame");
    const WindowHandle pane = windows.Add("GWTargetPlain", frame);
    for (int i = 1; i < 50; ++i) {
        windows.Add(i % 2 ? "Button" : "Static", frame);
    }
    return pane;
}

void Probe_HookWalk_FiftyChildren(benchmark::State& state) {
    BenchWindows windows;
    const WindowHandle pane = PaneAmongFifty(windows);
    const std::uint64_t before = AllocationCount();
    for (auto _ : state) {
        benchmark::DoNotOptimize(IsScrollableWindow(windows, pane));
    }
    ExpectNoAllocation(state, before);
    PerCall(state, "win32", static_cast<double>(windows.calls));
}
BENCHMARK(Probe_HookWalk_FiftyChildren);

void Probe_ProgramWalk_FiftyChildren(benchmark::State& state) {
    BenchWindows windows;
    BenchScrollOps input;
    const WindowHandle pane = PaneAmongFifty(windows);
    ProbeResults results;
    const std::uint64_t before = AllocationCount();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ProbeScrollTarget(windows, input, pane, results));
    }
    ExpectNoAllocation(state, before);
    PerCall(state, "win32", static_cast<double>(windows.calls + input.calls));
}
BENCHMARK(Probe_ProgramWalk_FiftyChildren);

} // namespace
} // namespace gw::bench
