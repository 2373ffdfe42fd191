#include "hooks/StandAside.h"

#include "shared/Win32Values.h"

#include <atomic>

namespace gw {

namespace {

constexpr std::uint8_t kNotListed = 1;
constexpr std::uint8_t kListed = 2;
constexpr std::uint32_t kPathSize = 520; // room for paths a little past MAX_PATH

template <class T> T ReadOnce(const T& field) {
    return *static_cast<const volatile T*>(&field);
}

bool ExecutableListed(IHookHost& host, const AsideShare& record) {
    char path[kPathSize];
    const std::uint32_t length = host.ExecutablePath(path, kPathSize);
    if (length == 0 || length >= kPathSize) {
        return false; // no name, or one cut short: nothing to compare
    }
    path[length] = '\0';
    const char* name = FileNamePart(path);
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
bool Listed(IHookHost& host, HookProcessState& state, const AsideShare& record) {
    const std::uint32_t generation = ReadOnce(record.Generation);
    if (state.AsideVerdict != 0 && state.AsideGeneration == generation) {
        return state.AsideVerdict == kListed;
    }
    std::atomic_thread_fence(std::memory_order_acquire);
    const bool listed = ExecutableListed(host, record);
    std::atomic_thread_fence(std::memory_order_acquire);
    if ((generation & 1u) == 0 && ReadOnce(record.Generation) == generation) {
        state.AsideVerdict = listed ? kListed : kNotListed;
        state.AsideGeneration = generation;
    }
    return listed;
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
    const std::uint32_t style = host.Windows().Style(front);
    return (style & win::kWS_CAPTION) != win::kWS_CAPTION || (style & win::kWS_MAXIMIZE) == 0;
}

bool StandsAside(IHookHost& host, HookProcessState& state) {
    const AsideMapping aside = host.OpenAside();
    if (aside.view == nullptr) {
        return false;
    }
    const AsideShare& record = *aside.view;
    const bool standAside =
        Listed(host, state, record) || (ReadOnce(record.FullScreenAside) != 0 && FullScreenInFront(host));
    host.CloseAside(aside);
    return standAside;
}

} // namespace gw
