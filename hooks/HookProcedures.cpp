#include "hooks/HookProcedures.h"

#include "hooks/ReadOnce.h"
#include "hooks/ScrollableWindow.h"
#include "hooks/StandAside.h"
#include "shared/MouseMessageClass.h"
#include "shared/Win32Values.h"

#include <atomic>
#include <cstdlib>

namespace gw {

namespace {

// Posting to a null window would drop our message into the foreign thread's own queue; a record
// without a main window has nobody to report to.
void Report(IHookHost& host, std::uint32_t mainWindow, std::uint32_t message, std::uintptr_t wParam,
            std::intptr_t lParam) {
    if (mainWindow != 0) {
        host.Post(mainWindow, message, wParam, lParam);
    }
}

struct ClickRule {
    std::uint32_t press;
    std::uint32_t release;
    std::uint32_t nonClientRelease;
    std::uint8_t HookProcessState::*armed;
};

// Indexed by ActivateButton - 1. Only the activation button's own press arms; a release in the
// client area or on the frame disarms, since the press may have started a drag that ends there.
constexpr ClickRule kClickRules[] = {
    {win::kWM_LBUTTONDOWN, win::kWM_LBUTTONUP, win::kWM_NCLBUTTONUP, &HookProcessState::LeftClickArmed},
    {win::kWM_MBUTTONDOWN, win::kWM_MBUTTONUP, win::kWM_NCMBUTTONUP, &HookProcessState::MiddleClickArmed},
    {win::kWM_RBUTTONDOWN, win::kWM_RBUTTONUP, win::kWM_NCRBUTTONUP, &HookProcessState::RightClickArmed},
};

// Swallows a press of the activation button over a scrollable window and, later, the release
// that belongs to it, so the target never sees half a click; the reports of both say so, since the
// program replays a click the rule held back if it starts no gesture with it. Where the hook stands
// aside, the press goes on untouched, arms nothing, and its report says that instead.
void ApplyClickRule(IHookHost& host, HookProcessState& state, std::uint8_t activateButton,
                    std::uint32_t message, bool& pass, std::uint32_t& flags) {
    if (activateButton < 1 || activateButton > 3) {
        return;
    }
    const ClickRule& rule = kClickRules[activateButton - 1];
    std::uint8_t& armed = state.*rule.armed;
    if (message == rule.press) {
        // The window under the cursor decides, not the one the message is aimed at: a window
        // holding the capture receives presses made over other windows. It is looked up once,
        // for the stand-aside test and the click rule both.
        Point cursor;
        const bool cursorKnown = host.CursorPosition(cursor);
        const WindowHandle under = cursorKnown ? host.WindowAt(cursor) : WindowHandle{};
        if (StandsAside(host, state, under)) {
            flags |= kHookReportStoodAside;
        } else if (cursorKnown && IsScrollableWindow(host.Windows(), under)) {
            armed = 1;
            pass = false;
            flags |= kHookReportSwallowed;
        }
    } else if (message == rule.release || message == rule.nonClientRelease) {
        if (armed != 0) {
            armed = 0;
            pass = false;
            flags |= kHookReportSwallowed;
        }
    }
}

// A press and its double-click form, client area and frame; the double click is the form the
// system gives a press that follows another one of the same button soon and near enough.
struct PressForms {
    std::uint32_t single;
    std::uint32_t twice;
};

constexpr PressForms kPressForms[] = {
    {win::kWM_LBUTTONDOWN, win::kWM_LBUTTONDBLCLK},     {win::kWM_RBUTTONDOWN, win::kWM_RBUTTONDBLCLK},
    {win::kWM_MBUTTONDOWN, win::kWM_MBUTTONDBLCLK},     {win::kWM_XBUTTONDOWN, win::kWM_XBUTTONDBLCLK},
    {win::kWM_NCLBUTTONDOWN, win::kWM_NCLBUTTONDBLCLK}, {win::kWM_NCRBUTTONDOWN, win::kWM_NCRBUTTONDBLCLK},
    {win::kWM_NCMBUTTONDOWN, win::kWM_NCMBUTTONDBLCLK}, {win::kWM_NCXBUTTONDOWN, win::kWM_NCXBUTTONDBLCLK},
};

// Whether a message is a press or a double click of any button, and which; the first test keeps
// every other message of the queue (timers, paints, moves, keys) to two comparisons.
const PressForms* PressFormsOf(std::uint32_t message) {
    const bool inRange = (message >= win::kWM_NCLBUTTONDOWN && message <= win::kWM_NCXBUTTONDBLCLK) ||
                         (message >= win::kWM_LBUTTONDOWN && message <= win::kWM_XBUTTONDBLCLK);
    if (!inRange) {
        return nullptr;
    }
    for (const PressForms& forms : kPressForms) {
        if (message == forms.single || message == forms.twice) {
            return &forms;
        }
    }
    return nullptr;
}

bool IsRelease(std::uint32_t message) {
    return ClassifyMouseMessage(message).kind == MouseMessageKind::Release;
}

// The press the application got last is the first click of a double click this one completes:
// the same press of the same window, soon and near enough, and not itself a second click.
bool CompletesDoubleClick(IHookHost& host, const DeliveredPress& last, const QueuedMessage& message,
                          std::uint32_t single) {
    if (last.message != single || last.doubleClick || last.window != message.window) {
        return false;
    }
    // Unsigned, so that the tick count's wrap after 49 days changes nothing.
    if (message.time - last.time >= host.DoubleClickTime()) {
        return false;
    }
    const Point size = host.DoubleClickSize();
    return std::abs(message.pt.x - last.at.x) < size.x / 2 && std::abs(message.pt.y - last.at.y) < size.y / 2;
}

QueueWatch* WatchOf(HookProcessState& state, std::uint32_t thread) {
    for (QueueWatch& watch : state.Watches) {
        if (std::atomic_ref<std::uint32_t>(watch.thread).load(std::memory_order_acquire) == thread) {
            return &watch;
        }
    }
    return nullptr;
}

// A press the click rule swallowed comes back as a replayed click: the message hook watches this
// thread's queue from now on. A watch this thread already holds starts again (a hook of a thread
// that has ended is gone with it, so a thread that reuses its number must not count on it).
void WatchQueueForReplay(IHookHost& host, HookProcessState& state) {
    const std::uint32_t thread = host.CurrentThread();
    QueueWatch* watch = WatchOf(state, thread);
    for (std::size_t i = 0; watch == nullptr && i < kQueueWatches; ++i) {
        std::uint32_t free = 0;
        if (std::atomic_ref<std::uint32_t>(state.Watches[i].thread).compare_exchange_strong(free, thread)) {
            watch = &state.Watches[i];
        }
    }
    if (watch == nullptr) {
        return; // every slot taken: this replay may arrive as a double click
    }
    if (watch->hook) {
        host.StopWatchingQueue(watch->hook);
    }
    watch->hook = host.WatchQueue();
    watch->since = host.Now();
    if (!watch->hook) {
        std::atomic_ref<std::uint32_t>(watch->thread).store(0, std::memory_order_release);
    }
}

} // namespace

std::intptr_t KeyboardHookProc(IHookHost& host, const HookProcessState& state, int code,
                               std::uintptr_t wParam, std::intptr_t lParam) {
    if (code == win::kHC_ACTION) {
        const ShareMapping share = host.OpenShare();
        if (share.view != nullptr) {
            if (ReadOnce(share.view->ReportKeys) != 0) {
                Report(host, ReadOnce(share.view->MainWindow), WM_HOOKKEY, wParam, lParam);
            }
            host.CloseShare(share);
        }
    }
    // Keystrokes always go on.
    return host.CallNextHook(state.KeyboardHookHandle, code, wParam, lParam);
}

std::intptr_t MouseHookProc(IHookHost& host, HookProcessState& state, int code, std::uintptr_t wParam,
                            std::intptr_t lParam, const MouseHookInfo* info) {
    // A negative code must go straight on, untouched, and a call without its MOUSEHOOKSTRUCT is
    // none of our business either. Nor is our own input, whenever the application takes it: a
    // replayed click the click rule caught again would be lost or replayed twice.
    if (code < 0 || info == nullptr || info->extraInfo == kInjectedInputMark) {
        return host.CallNextHook(state.MouseHookHandle, code, wParam, lParam);
    }

    bool pass = true;
    const ShareMapping share = host.OpenShare();
    if (share.view != nullptr) {
        const HookShare& record = *share.view;
        pass = ReadOnce(record.PassInput) != 0;
        if (ReadOnce(record.HooksPaused) == 0 && code == win::kHC_ACTION) {
            const std::uint32_t message = static_cast<std::uint32_t>(wParam);
            const std::uint32_t position = PackHookPosition(info->pt.x, info->pt.y);
            const bool move = message == win::kWM_MOUSEMOVE || message == win::kWM_NCMOUSEMOVE;
            std::uint32_t flags = 0;
            if (!move && ReadOnce(record.ScrollEnabled) != 0) {
                ApplyClickRule(host, state, ReadOnce(record.ActivateButton), message, pass, flags);
            }
            // Everything that got this far is reported, swallowed or not.
            Report(host, ReadOnce(record.MainWindow), WM_HOOKMOUSE, wParam | flags,
                   static_cast<std::intptr_t>(position));
        }
        host.CloseShare(share);
    }

    if (code == win::kHC_ACTION && PressFormsOf(static_cast<std::uint32_t>(wParam)) != nullptr) {
        if (pass) {
            state.LastPress = {}; // the application's own press: no replay pairs with an older one
        } else {
            WatchQueueForReplay(host, state);
        }
    }
    if (pass) {
        return host.CallNextHook(state.MouseHookHandle, code, wParam, lParam);
    }
    return kSwallowInput;
}

std::intptr_t GetMessageHookProc(IHookHost& host, HookProcessState& state, int code, std::uintptr_t removal,
                                 std::intptr_t lParam, QueuedMessage* message) {
    QueueWatch* watch = WatchOf(state, host.CurrentThread());
    const HookHandle hook = watch != nullptr ? watch->hook : HookHandle{};
    bool replayOver = false;
    const bool removed = (removal & win::kPM_REMOVE) != 0;
    if (code == win::kHC_ACTION && message != nullptr) {
        if (const PressForms* forms = PressFormsOf(message->message)) {
            // Only a double click of ours can be one too many; the extra information is asked for
            // nothing else.
            if (message->message == forms->twice && host.MessageExtraInfo() == kInjectedInputMark &&
                !CompletesDoubleClick(host, state.LastPress, *message, forms->single)) {
                message->message = forms->single;
            }
            // A peek that leaves the message in the queue hands it out again later.
            if (removed) {
                state.LastPress = {forms->single, message->window, message->time, message->pt,
                                   message->message == forms->twice};
            }
        } else if (removed && IsRelease(message->message)) {
            replayOver = host.MessageExtraInfo() == kInjectedInputMark;
        }
    }
    if (watch != nullptr && (replayOver || host.Now() - watch->since > kQueueWatchMs)) {
        watch->hook = {};
        std::atomic_ref<std::uint32_t>(watch->thread).store(0, std::memory_order_release);
        host.StopWatchingQueue(hook);
    }
    return host.CallNextHook(hook, code, removal, lParam);
}

} // namespace gw
