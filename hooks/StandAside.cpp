#include "hooks/StandAside.h"

#include "hooks/ReadOnce.h"
#include "shared/Win32Values.h"

#include <atomic>

namespace gw {

namespace {

constexpr std::uint8_t kNotListed = 1;
constexpr std::uint8_t kListed = 2;

bool NameListed(const AsideShare& record, const char* name) {
    std::uint32_t count = ReadOnce(record.Count);
    if (count > kAsideMaxPrograms) {
        count = kAsideMaxPrograms;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        if (SameProgramName(name, record.Names[i])) {
            return true;
        }
    }
    return false;
}

// The names are read between two reads of the generation; what was read while the program
// rewrote them is used for this press only.
bool OwnExecutableListed(IHookHost& host, HookProcessState& state, const AsideShare& record) {
    const std::uint32_t generation = ReadOnce(record.Generation);
    if (state.AsideVerdict != 0 && state.AsideGeneration == generation) {
        return state.AsideVerdict == kListed;
    }
    std::atomic_thread_fence(std::memory_order_acquire);
    char name[kAsideNameSize];
    const bool listed = host.ExecutableName(name, sizeof name) != 0 && NameListed(record, name);
    std::atomic_thread_fence(std::memory_order_acquire);
    if ((generation & 1u) == 0 && ReadOnce(record.Generation) == generation) {
        state.AsideVerdict = listed ? kListed : kNotListed;
        state.AsideGeneration = generation;
    }
    return listed;
}

// The process of the window under the cursor when it is not the one the hook runs in, else 0. A
// hook library of the other bitness than the target cannot be loaded there, so Windows calls it
// on the program's own thread; and a window that holds the capture gets the presses made over
// other programs' windows.
std::uint32_t ForeignProcess(IHookHost& host, WindowHandle under) {
    const std::uint32_t owner = under ? host.WindowProcess(under) : 0;
    return owner != host.CurrentProcess() ? owner : 0;
}

bool Listed(IHookHost& host, HookProcessState& state, const AsideShare& record, WindowHandle under) {
    if (ReadOnce(record.Count) == 0) {
        return false; // nothing listed: nothing to ask the system
    }
    if (const std::uint32_t foreign = ForeignProcess(host, under)) {
        // That program's verdict is not this process's own: it is used and forgotten.
        char name[kAsideNameSize];
        return host.ProcessExecutableName(foreign, name, sizeof name) != 0 && NameListed(record, name);
    }
    return OwnExecutableListed(host, state, record);
}

} // namespace

bool FullScreenInFront(IHookHost& host) {
    const WindowHandle front = host.ForegroundWindow();
    if (!front) {
        return false;
    }
    // Most windows in front do not cover their monitor: that answer comes first and cheapest.
    Rect window;
    Rect monitor;
    if (!host.WindowBounds(front, window) || !host.MonitorBounds(front, monitor)) {
        return false;
    }
    const bool covers = monitor.right > monitor.left && monitor.bottom > monitor.top &&
                        window.left <= monitor.left && window.top <= monitor.top &&
                        window.right >= monitor.right && window.bottom >= monitor.bottom;
    if (!covers || front == host.DesktopWindow()) {
        return false;
    }
    // On newer systems a click on the desktop brings one of the shell's other desktop windows to
    // the front, not the shell window itself; they all belong to its thread.
    const WindowHandle shell = host.ShellWindow();
    if (shell && (front == shell || host.WindowThread(front) == host.WindowThread(shell))) {
        return false;
    }
    // A maximised window fills its monitor wherever no taskbar takes room from it, and many draw
    // their own title bar: it is an ordinary window, never a full-screen program.
    return (host.Windows().Style(front) & win::kWS_MAXIMIZE) == 0;
}

bool StandsAside(IHookHost& host, HookProcessState& state, WindowHandle under) {
    const AsideMapping aside = host.OpenAside();
    if (aside.view == nullptr) {
        return false;
    }
    const AsideShare& record = *aside.view;
    const bool standAside = Listed(host, state, record, under) ||
                            (ReadOnce(record.FullScreenAside) != 0 && FullScreenInFront(host));
    host.CloseAside(aside);
    return standAside;
}

} // namespace gw
