// The hook procedures' decision path, as GWHooks.dll runs it inside every process for every mouse
// message and keystroke, with a host that answers at once: what our own code costs per call.

#include "bench/AllocationCount.h"
#include "bench/BenchDesktop.h"
#include "hooks/HookProcedures.h"

#include <benchmark/benchmark.h>

namespace gw::bench {
namespace {

constexpr std::intptr_t kHookStruct = 1; // stands for the MOUSEHOOKSTRUCT pointer

// Reports the per-call figures and checks that nothing was allocated.
void Finish(benchmark::State& state, const BenchHookHost& host, std::uint64_t allocationsBefore) {
    ExpectNoAllocation(state, allocationsBefore); // first: recording a counter allocates
    PerCall(state, "win32", static_cast<double>(host.AllCalls()));
}

void MousePath(benchmark::State& state, BenchHookHost& host, std::uint32_t message) {
    HookProcessState process{};
    MouseHookInfo at{{100, 100}, 0};
    const std::uint64_t before = AllocationCount();
    for (auto _ : state) {
        at.pt.x ^= 1;
        benchmark::DoNotOptimize(MouseHookProc(host, process, win::kHC_ACTION, message, kHookStruct, &at));
    }
    Finish(state, host, before);
}

// A move while the hooks are not paused: open the record, read it, report, close, next hook.
void Hook_Move(benchmark::State& state) {
    BenchHookHost host;
    MousePath(state, host, win::kWM_MOUSEMOVE);
}
BENCHMARK(Hook_Move);

// A right press over a window whose own vertical bar is usable: swallowed.
void Hook_RightPress_ScrollableWindow(benchmark::State& state) {
    BenchHookHost host;
    const WindowHandle frame = host.windows.Add("GWTargetFrame");
    host.underCursor = host.windows.Add("Edit", frame);
    host.windows.SetOwnBar(host.underCursor, win::kOBJID_VSCROLL, 0);
    MousePath(state, host, win::kWM_RBUTTONDOWN);
}
BENCHMARK(Hook_RightPress_ScrollableWindow);

// A right press over a window without bars, alone in its frame: every rule asked, passed on.
void Hook_RightPress_WindowWithoutBars(benchmark::State& state) {
    BenchHookHost host;
    const WindowHandle frame = host.windows.Add("GWTargetFrame");
    host.underCursor = host.windows.Add("GWTargetPlain", frame);
    MousePath(state, host, win::kWM_RBUTTONDOWN);
}
BENCHMARK(Hook_RightPress_WindowWithoutBars);

// A right press over a button of a dialog among six controls, none of them a scroll bar.
void Hook_RightPress_ButtonAmongSixSiblings(benchmark::State& state) {
    BenchHookHost host;
    const WindowHandle dialog = host.windows.Add("#32770");
    for (const char* name : {"Static", "Edit", "Button"}) {
        host.windows.Add(name, dialog);
    }
    host.underCursor = host.windows.Add("Button", dialog);
    for (const char* name : {"Button", "Button"}) {
        host.windows.Add(name, dialog);
    }
    MousePath(state, host, win::kWM_RBUTTONDOWN);
}
BENCHMARK(Hook_RightPress_ButtonAmongSixSiblings);

// A right press over a listed 64-bit program's window as the 32-bit hook sees it on Glidewing's
// own thread (or the other way round): that program's name asked for, the press passed on.
void Hook_RightPress_OtherBitnessListedProgram(benchmark::State& state) {
    BenchHookHost host;
    const WindowHandle frame = host.windows.Add("GWTargetFrame");
    host.underCursor = host.windows.Add("Edit", frame);
    host.windows.SetOwnBar(host.underCursor, win::kOBJID_VSCROLL, 0);
    host.ownerOfWindows = 200;
    MousePath(state, host, win::kWM_RBUTTONDOWN);
}
BENCHMARK(Hook_RightPress_OtherBitnessListedProgram);

// A keystroke while hide-while-typing is on: reported, passed on.
void Hook_Key(benchmark::State& state) {
    BenchHookHost host;
    const HookProcessState process{};
    std::uintptr_t key = 'A';
    const std::uint64_t before = AllocationCount();
    for (auto _ : state) {
        key ^= 1;
        benchmark::DoNotOptimize(KeyboardHookProc(host, process, win::kHC_ACTION, key, 0x001E0001));
    }
    Finish(state, host, before);
}
BENCHMARK(Hook_Key);

// The message hook runs for every message of a thread whose queue it watches (from a press the
// click rule swallowed until its replayed click is through): here one the application takes off
// its queue that is no press (a timer, a paint, a move), one press, and our replayed press that the
// system made a double click.
void MessagePath(benchmark::State& state, std::uint32_t id) {
    BenchHookHost host;
    HookProcessState process{};
    process.Watches[3] = {0x51, HookHandle(0x99), 1000}; // this thread's, among others free
    QueuedMessage message{WindowHandle(0x10030), id, 0, {100, 100}};
    const std::uint64_t before = AllocationCount();
    for (auto _ : state) {
        message.message = id;
        message.time += 1000; // never the second click of the last press
        benchmark::DoNotOptimize(
            GetMessageHookProc(host, process, win::kHC_ACTION, win::kPM_REMOVE, 0, &message));
    }
    Finish(state, host, before);
}

void Hook_QueuedMessage_NoPress(benchmark::State& state) {
    MessagePath(state, win::kWM_MOUSEMOVE);
}
BENCHMARK(Hook_QueuedMessage_NoPress);

void Hook_QueuedMessage_Press(benchmark::State& state) {
    MessagePath(state, win::kWM_RBUTTONDOWN);
}
BENCHMARK(Hook_QueuedMessage_Press);

void Hook_QueuedMessage_ReplayedDoubleClick(benchmark::State& state) {
    MessagePath(state, win::kWM_RBUTTONDBLCLK);
}
BENCHMARK(Hook_QueuedMessage_ReplayedDoubleClick);

} // namespace
} // namespace gw::bench
