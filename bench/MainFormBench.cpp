// What the program does with every mouse message of the desktop: TMainForm::HandleHookMouse for a
// move while no gesture runs, alone and entered the way the window procedure enters it (through
// the application's Dispatch, as app/MainWindow_win.cpp does), and the same for a keystroke. A real
// TMainForm, started on the unit tests' fakes; none of them is called on these paths.

#include "bench/AllocationCount.h"
#include "shared/HookShare.h"
#include "tests/app/Fakes.h"

#include <benchmark/benchmark.h>

namespace gw::bench {
namespace {

// After a first start with the default settings: hooks wired, scrolling on, no gesture.
struct StartedForm : test::MainFormRig {
    StartedForm() { Start(); }
};

std::intptr_t MoveTo(std::int32_t x) {
    return static_cast<std::intptr_t>(PackHookPosition(x, 300));
}

// The hook branches of the main window's message filter (app/MainWindow_win.cpp) in their shape:
// the form and the application reached through `this`, the message's parameters as arguments.
class HookMessageFilter {
public:
    HookMessageFilter(TApplication& application, TMainForm& form) : application_(application), form_(form) {}

    [[gnu::noinline]] void HookMouse(std::uintptr_t wParam, std::intptr_t lParam) {
        application_.Dispatch([&] { form_.HandleHookMouse(wParam, lParam); });
    }
    [[gnu::noinline]] void HookKey(std::uintptr_t wParam, std::intptr_t lParam) {
        application_.Dispatch([&] { form_.HandleHookKey(wParam, lParam); });
    }

private:
    TApplication& application_;
    TMainForm& form_;
};

void Form_HookMouse_Move(benchmark::State& state) {
    StartedForm rig;
    TMainForm& form = rig.form;
    std::int32_t x = 500;
    const std::uint64_t before = AllocationCount();
    for (auto _ : state) {
        x ^= 1;
        form.HandleHookMouse(win::kWM_MOUSEMOVE, MoveTo(x));
    }
    ExpectNoAllocation(state, before);
}
BENCHMARK(Form_HookMouse_Move);

// As the window procedure does it: the handler runs inside Dispatch, which shows what it raises.
void Form_HookMouse_Move_ThroughDispatch(benchmark::State& state) {
    StartedForm rig;
    HookMessageFilter filter(rig.application, rig.form);
    std::int32_t x = 500;
    const std::uint64_t before = AllocationCount();
    for (auto _ : state) {
        x ^= 1;
        filter.HookMouse(win::kWM_MOUSEMOVE, MoveTo(x));
    }
    ExpectNoAllocation(state, before);
}
BENCHMARK(Form_HookMouse_Move_ThroughDispatch);

void Form_HookKey_ThroughDispatch(benchmark::State& state) {
    StartedForm rig;
    HookMessageFilter filter(rig.application, rig.form);
    std::uintptr_t key = 'A';
    const std::uint64_t before = AllocationCount();
    for (auto _ : state) {
        key ^= 1;
        filter.HookKey(key, 0x001E0001);
    }
    ExpectNoAllocation(state, before);
}
BENCHMARK(Form_HookKey_ThroughDispatch);

} // namespace
} // namespace gw::bench
