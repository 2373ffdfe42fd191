// Arbitrary hook calls through the real MouseHookProc, KeyboardHookProc and GetMessageHookProc:
// the record's bytes, whether it exists, the cursor, a small desktop of windows under it, and a run
// of calls with any code, message id, parameters, point and extra information. Whatever comes,
// every view opened is closed, keystrokes and queued messages always go on, only the documented -1
// swallows, reports go to the record's window alone, our own input is never reported, and the
// message hook changes nothing but a double click into the press it stands for.

#include "hooks/HookProcedures.h"
#include "shared/Win32Values.h"
#include "tests/hooks/FakeHookHost.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

using gw::test::FakeHookHost;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

const char* const kClasses[] = {"Edit",
                                "ListBox",
                                "ScrollBar",
                                "MozillaWindowClass",
                                "Static",
                                "_WwB",
                                "Chrome_RenderWidgetHostHWND",
                                "Internet Explorer_Server",
                                ""};

void BuildDesktop(FuzzedDataProvider& in, FakeHookHost& host) {
    std::vector<gw::WindowHandle> windows;
    const int count = in.ConsumeIntegralInRange(0, 6);
    for (int i = 0; i < count; ++i) {
        const char* cls = in.PickValueInArray(kClasses);
        const std::uint32_t style = in.ConsumeIntegral<std::uint32_t>();
        const gw::WindowHandle w =
            windows.empty() || in.ConsumeBool()
                ? host.windows.AddTopLevel(cls, style)
                : host.windows.AddChild(
                      windows[in.ConsumeIntegralInRange<std::size_t>(0, windows.size() - 1)], cls, style);
        if (in.ConsumeBool()) {
            host.windows.SetBarState(w, gw::win::kOBJID_VSCROLL, in.ConsumeIntegral<std::uint32_t>());
        }
        if (in.ConsumeBool()) {
            host.windows.SetBarState(w, gw::win::kOBJID_HSCROLL, in.ConsumeIntegral<std::uint32_t>());
        }
        windows.push_back(w);
    }
    if (!windows.empty()) {
        host.windowAt.push_back(
            {host.cursor, windows[in.ConsumeIntegralInRange<std::size_t>(0, windows.size() - 1)]});
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    FakeHookHost host;
    const std::vector<std::uint8_t> record = in.ConsumeBytes<std::uint8_t>(sizeof(gw::HookShare));
    if (!record.empty()) {
        std::memcpy(&host.record, record.data(), record.size());
    }
    host.recordPresent = in.ConsumeBool();
    host.cursorReadable = in.ConsumeBool();
    host.cursor = {in.ConsumeIntegral<std::int32_t>(), in.ConsumeIntegral<std::int32_t>()};
    BuildDesktop(in, host);

    gw::HookProcessState state{gw::HookHandle(0x77), gw::HookHandle(0x88)};
    while (in.remaining_bytes() > 0) {
        if (in.ConsumeBool()) {
            gw::QueuedMessage message{gw::WindowHandle(in.ConsumeIntegralInRange<std::uintptr_t>(1, 3)),
                                      in.ConsumeIntegralInRange<std::uint32_t>(0xA0, 0x20E),
                                      in.ConsumeIntegral<std::uint32_t>(),
                                      {in.ConsumeIntegralInRange(-8, 8), in.ConsumeIntegralInRange(-8, 8)}};
            host.messageExtraInfo =
                in.ConsumeBool() ? gw::kInjectedInputMark : in.ConsumeIntegral<std::uintptr_t>();
            const std::uint32_t before = message.message;
            const int code = in.ConsumeIntegralInRange(-1, 3);
            const std::size_t nextBefore = host.nextCalls.size();
            Check(gw::GetMessageHookProc(host, state, code, in.ConsumeIntegralInRange<std::uintptr_t>(0, 3),
                                         0, &message) == FakeHookHost::kNextHookResult);
            Check(host.nextCalls.size() == nextBefore + 1);
            const bool rewritten = message.message != before;
            Check(!rewritten || (host.messageExtraInfo == gw::kInjectedInputMark &&
                                 code == gw::win::kHC_ACTION && (before == message.message + 2)));
            continue;
        }
        const bool keyboard = in.ConsumeBool();
        const int code = in.ConsumeIntegral<int>();
        const std::uintptr_t wParam = in.ConsumeBool()
                                          ? in.ConsumeIntegralInRange<std::uintptr_t>(0x200, 0x20E)
                                          : in.ConsumeIntegral<std::uintptr_t>();
        const std::intptr_t lParam = in.ConsumeIntegral<std::intptr_t>();
        const gw::Point point{in.ConsumeIntegral<std::int32_t>(), in.ConsumeIntegral<std::int32_t>()};
        const bool withPoint = in.ConsumeBool();
        const gw::MouseHookInfo info{point, in.ConsumeBool() ? gw::kInjectedInputMark : 0};
        const std::size_t postsBefore = host.posts.size();
        const std::size_t nextBefore = host.nextCalls.size();

        const std::intptr_t result =
            keyboard ? gw::KeyboardHookProc(host, state, code, wParam, lParam)
                     : gw::MouseHookProc(host, state, code, wParam, lParam, withPoint ? &info : nullptr);

        Check(host.AllClosed());
        const bool passed = host.nextCalls.size() == nextBefore + 1;
        Check(passed ? result == FakeHookHost::kNextHookResult : result == gw::kSwallowInput);
        if (keyboard || code < 0 || !host.recordPresent) {
            Check(passed); // only the mouse hook swallows, and only with the record and a real call
        }
        if (code < 0 || !host.recordPresent || (!keyboard && info.extraInfo == gw::kInjectedInputMark)) {
            Check(host.posts.size() == postsBefore); // nothing to report to, or not ours to look at
        }
        if (!keyboard && withPoint && info.extraInfo == gw::kInjectedInputMark) {
            Check(passed); // our own input always goes on
        }
        for (std::size_t i = postsBefore; i < host.posts.size(); ++i) {
            Check(host.posts[i].window == host.record.MainWindow && host.record.MainWindow != 0);
        }
        Check(host.posts.size() <= postsBefore + 1);
        Check(state.LeftClickArmed <= 1 && state.MiddleClickArmed <= 1 && state.RightClickArmed <= 1);
    }
    return 0;
}
