#pragma once
// A recording stand-in for every Win32 operation of the scroll engine, and a rig that wires a real
// ScrollEngine to it. Every call lands in one log, in order, as a short line; the shared record's
// switches and the two timers are logged when they change, so the log shows where in a sequence
// PassInput, HooksPaused and the timers flipped.

#include "base/SystemCursors.h"
#include "scroll/ScrollEngine.h"
#include "shared/Win32Values.h"
#include "tests/shared/FakeWindowQueries.h"
#include "tests/shared/Ledger.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace gw::test {

inline std::string Hex(std::uint64_t value) {
    char text[32];
    std::snprintf(text, sizeof text, "%#llx", static_cast<unsigned long long>(value));
    return value == 0 ? "0" : text;
}
inline std::string W(WindowHandle window) {
    return "w" + Hex(window.value);
}
inline std::string Pt(std::int32_t x, std::int32_t y) {
    return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
}

// Expected log lines, spelled the way the fake writes them.
inline std::string Post(WindowHandle w, std::uint32_t msg, std::uintptr_t wp, std::intptr_t lp) {
    return "Post " + W(w) + " " + Hex(msg) + " " + Hex(wp) + " " + Hex(static_cast<std::uint64_t>(lp));
}
inline std::string Send(WindowHandle w, std::uint32_t msg, std::uintptr_t wp, std::intptr_t lp,
                        std::uint32_t flags, std::uint32_t timeout) {
    return "Send " + W(w) + " " + Hex(msg) + " " + Hex(wp) + " " + Hex(static_cast<std::uint64_t>(lp)) +
           " flags " + Hex(flags) + " " + std::to_string(timeout) + "ms";
}
inline std::string Attach(std::uint32_t from, std::uint32_t to, std::int32_t flag) {
    return "AttachThreadInput " + std::to_string(from) + " " + std::to_string(to) + " " +
           std::to_string(flag);
}
inline std::string Cursors(const char* name) {
    return std::string("SystemCursors ") + name;
}
inline std::string SetCursorPos(std::int32_t x, std::int32_t y) {
    return "SetCursorPos " + Pt(x, y);
}
// Our own input carries the mark; the log shows any other extra information.
inline std::string Extra(std::uint32_t extraInfo) {
    return extraInfo == kInjectedInputMark ? "" : " extra " + Hex(extraInfo);
}
inline std::string MouseEvent(std::uint32_t flags, std::uint32_t extraInfo = kInjectedInputMark) {
    return "mouse_event " + Hex(flags) + Extra(extraInfo);
}
inline std::string Sleep(std::uint32_t ms) {
    return "Sleep " + std::to_string(ms);
}
inline std::string Inject(std::uint32_t flags, std::int32_t delta,
                          std::uint32_t extraInfo = kInjectedInputMark) {
    return "SendInput " + Hex(flags) + " " + std::to_string(delta) + Extra(extraInfo);
}

using Log = std::vector<std::string>;
constexpr std::uint32_t kBlockAbort = win::kSMTO_BLOCK | win::kSMTO_ABORTIFHUNG;

inline Log Cat(std::initializer_list<Log> parts) {
    Log out;
    for (const Log& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}
inline std::ptrdiff_t Occurrences(const Log& log, const std::string& line) {
    return std::count(log.begin(), log.end(), line);
}
// A click given back to the application: injected at the point with our hooks paused.
inline Log ClickReplay(std::int32_t x, std::int32_t y, std::uint32_t down = win::kMOUSEEVENTF_RIGHTDOWN,
                       std::uint32_t up = win::kMOUSEEVENTF_RIGHTUP) {
    return {"GetSystemMetrics SM_SWAPBUTTON",
            "HooksPaused=1",
            SetCursorPos(x, y),
            MouseEvent(down),
            Sleep(20),
            MouseEvent(up),
            Sleep(20),
            MouseEvent(win::kMOUSEEVENTF_MOVE),
            "ProcessMessages",
            "HooksPaused=0"};
}

class FakeScrollWorld final : public IScrollWindowOps,
                              public IScrollInputOps,
                              public ICursorApi,
                              public TTimer::View {
public:
    std::vector<std::string> log;

    // What the fake answers.
    std::uint32_t ownThread = 1;
    std::map<std::uintptr_t, std::uint32_t> windowThreads; // default 7
    WindowHandle underCursor;                              // WindowFromPoint
    Point cursor{500, 400};                                // GetCursorPos
    std::uint32_t clockMs = 0;                             // GetTickCount
    bool swapped = false;                                  // SM_SWAPBUTTON
    bool targetAnswers = true;                             // a sent WM_NULL comes back in time
    std::set<std::uint32_t> keysDown;                      // GetAsyncKeyState: physical buttons held
    std::map<std::pair<std::uintptr_t, std::int32_t>, ScrollBarGeometry> bars; // GetScrollBarInfo
    std::map<std::uintptr_t, Point> clientOrigins;                             // ScreenToClient
    KeyboardState keyboard{};                                                  // the target's state
    // Summarise SetAllSystemCursors as one line per replacement of OCR_NORMAL (the order of all
    // thirteen has its own test).
    bool detailedCursors = false;
    // Thread attachments and the capture, counted while they are held.
    Ledger* ledger = nullptr;

    // Watched state.
    HookShare* share = nullptr;
    TTimer* scrollTimer = nullptr;

    void Watch(HookShare& record, TTimer& scroll) {
        share = &record;
        scrollTimer = &scroll;
        seen_ = Snapshot();
        scroll.SetView(this);
    }

    // The log so far, with any change of the watched state not yet written added at its end.
    std::vector<std::string> Take() {
        Flush();
        std::vector<std::string> out;
        out.swap(log);
        return out;
    }

    // --- IScrollWindowOps
    void Post(WindowHandle w, std::uint32_t msg, std::uintptr_t wp, std::intptr_t lp) override {
        Record(test::Post(w, msg, wp, lp));
    }
    void SendWithTimeout(WindowHandle w, std::uint32_t msg, std::uintptr_t wp, std::intptr_t lp,
                         std::uint32_t flags, std::uint32_t timeout) override {
        Record(Send(w, msg, wp, lp, flags, timeout));
    }
    bool Answers(WindowHandle w, std::uint32_t timeout) override {
        Record("Answers " + W(w) + " " + std::to_string(timeout) + "ms");
        return targetAnswers;
    }
    void AttachThreadInput(std::uint32_t from, std::uint32_t to, std::int32_t flag) override {
        Record(Attach(from, to, flag));
        const std::uintptr_t pair = (std::uintptr_t{from} << 16) ^ to;
        flag != 0 ? NoteTaken(ledger, "thread input attachment", pair)
                  : NoteGivenBack(ledger, "thread input attachment", pair);
    }
    void SetCapture(WindowHandle w) override {
        Record("SetCapture " + W(w));
        DropCapture(); // one capture per thread: a new one replaces the old
        NoteTaken(ledger, "mouse capture", w.value);
        captured_ = w;
    }
    void ReleaseCapture() override {
        Record("ReleaseCapture");
        DropCapture();
    }
    void GetKeyboardState(KeyboardState& state) override {
        Record("GetKeyboardState");
        state = keyboard;
    }
    void SetKeyboardState(const KeyboardState& state) override {
        Record("SetKeyboardState lbutton " + Hex(state[win::kVK_LBUTTON]));
        keyboard = state;
    }
    bool GetScrollBarInfo(WindowHandle w, std::int32_t objectId, ScrollBarGeometry& info) override {
        Record("GetScrollBarInfo " + W(w) + " " + std::to_string(objectId));
        auto it = bars.find({w.value, objectId});
        if (it == bars.end()) {
            return false;
        }
        info = it->second;
        return true;
    }
    void ScreenToClient(WindowHandle w, Point& point) override {
        const Point origin = clientOrigins[w.value];
        const Point before = point;
        point = Point{point.x - origin.x, point.y - origin.y};
        Record("ScreenToClient " + W(w) + " " + Pt(before.x, before.y));
    }
    std::uint32_t GetWindowThreadProcessId(WindowHandle w) override {
        Record("GetWindowThreadProcessId " + W(w));
        auto it = windowThreads.find(w.value);
        return it == windowThreads.end() ? 7 : it->second;
    }
    std::uint32_t GetCurrentThreadId() override {
        Record("GetCurrentThreadId");
        return ownThread;
    }
    WindowHandle WindowFromPoint(Point p) override {
        Record("WindowFromPoint " + Pt(p.x, p.y));
        return underCursor;
    }

    // --- IScrollInputOps
    void SetCursorPos(std::int32_t x, std::int32_t y) override { Record(test::SetCursorPos(x, y)); }
    Point GetCursorPos() override {
        Record("GetCursorPos");
        return cursor;
    }
    void MouseEvent(std::uint32_t flags, std::uint32_t extraInfo) override {
        Record(test::MouseEvent(flags, extraInfo));
    }
    void InjectWheel(std::uint32_t flags, std::int32_t delta, std::uint32_t extraInfo) override {
        Record(Inject(flags, delta, extraInfo));
    }
    void Sleep(std::uint32_t ms) override { Record(test::Sleep(ms)); }
    bool ButtonsSwapped() override {
        Record("GetSystemMetrics SM_SWAPBUTTON");
        return swapped;
    }
    bool KeyDown(std::uint32_t virtualKey) override {
        Record("GetAsyncKeyState " + Hex(virtualKey));
        return keysDown.count(virtualKey) != 0;
    }
    // Reading the clock does nothing to the desktop: not logged.
    std::uint32_t TickCount() override { return clockMs; }

    // --- ICursorApi: registered cursors are 0x1000 + CursorId, copies count up from 0x5000.
    CursorHandle LoadCursorResource(const char* name) override {
        Record(std::string("LoadCursorA ") + name);
        for (int id = kFirstCursorId; id <= kLastCursorId; ++id) {
            if (std::string(kCursorResourceNames[static_cast<std::size_t>(id - kFirstCursorId)]) == name) {
                return CursorHandle(0x1000u + static_cast<unsigned>(id));
            }
        }
        return {};
    }
    CursorHandle CopyCursor(CursorHandle source) override {
        const CursorHandle copy(nextCopy_++);
        copiedFrom_[copy.value] = source;
        if (detailedCursors) {
            Record("CopyIcon " + Hex(source.value) + " -> " + Hex(copy.value));
        }
        return copy;
    }
    void SetSystemCursor(CursorHandle copy, std::uint32_t systemId) override {
        if (detailedCursors) {
            Record("SetSystemCursor " + Hex(copy.value) + " " + std::to_string(systemId));
        } else if (systemId == win::kOCR_NORMAL) {
            Record(Cursors(NameOfCopy(copy)));
        }
    }
    void SetCursor(CursorHandle copy) override { Record(std::string("SetCursor ") + NameOfCopy(copy)); }
    void ReloadSystemCursors() override { Record("RestoreSystemCursors"); }
    void DestroyCursor(CursorHandle copy) override {
        if (detailedCursors) {
            Record("DestroyIcon " + Hex(copy.value));
        }
    }

    void Note(const std::string& line) { Record(line); }

    // --- TTimer::View
    void TimerChanged(TTimer&) override { Flush(); }

private:
    // The watched state as the lines the log shows for it, in the order they are written.
    std::vector<std::string> Snapshot() const {
        const auto flag = [](const char* name, const std::uint8_t* value) {
            return std::string(name) + "=" + (value ? std::to_string(*value) : "-1");
        };
        const bool scrollOn = scrollTimer && scrollTimer->Enabled();
        return {flag("PassInput", share ? &share->PassInput : nullptr),
                flag("HooksPaused", share ? &share->HooksPaused : nullptr),
                "ScrollTimer interval " + std::to_string(scrollTimer ? scrollTimer->Interval() : 0),
                scrollOn ? "ScrollTimer on" : "ScrollTimer off"};
    }
    // Writes pending changes of the watched state.
    void Flush() {
        const std::vector<std::string> now = Snapshot();
        for (std::size_t i = 0; i < now.size(); ++i) {
            if (now[i] != seen_[i]) {
                log.push_back(now[i]);
            }
        }
        seen_ = now;
    }
    void Record(const std::string& line) {
        Flush();
        log.push_back(line);
    }

    const char* NameOfCopy(CursorHandle copy) const {
        auto it = copiedFrom_.find(copy.value);
        if (it == copiedFrom_.end()) {
            return "?";
        }
        const auto id = static_cast<int>(it->second.value) - 0x1000;
        return id >= kFirstCursorId && id <= kLastCursorId
                   ? kCursorResourceNames[static_cast<std::size_t>(id - kFirstCursorId)]
                   : "?";
    }

    void DropCapture() {
        if (captured_) {
            NoteGivenBack(ledger, "mouse capture", captured_.value);
            captured_ = {};
        }
    }

    std::vector<std::string> seen_ = Snapshot();
    WindowHandle captured_;
    std::uintptr_t nextCopy_ = 0x5000;
    std::map<std::uintptr_t, CursorHandle> copiedFrom_;
};

// The framework's process-messages call, as a line in the log; whilePumping stands for the
// messages it dispatches.
struct LoggedPump final : IMessagePump, IMessageBox {
    explicit LoggedPump(FakeScrollWorld& world) : world_(world) {}
    void ProcessMessages() override {
        world_.Note("ProcessMessages");
        if (whilePumping) {
            whilePumping();
        }
    }
    int Show(WindowHandle, const std::string&, const std::string&, std::uint32_t) override { return 0; }

    std::function<void()> whilePumping;

private:
    FakeScrollWorld& world_;
};

// A real engine wired to the fake, with a desktop of fake windows.
struct ScrollRig {
    RuntimeSettings settings;
    HookShare record{};
    HookShareWriter share;
    TTimer scrollTimer{100, false};
    TTimer guardTimer{100, false};
    FakeScrollWorld world;
    FakeWindowQueries windows;
    SystemCursors cursors{world};
    TTrackBar horzSlider{0, 60};
    TTrackBar vertSlider{0, 60};
    LoggedPump pump{world};
    TApplication application{pump, pump};
    ScrollEngine engine{ScrollEnvironment{settings, share, scrollTimer, guardTimer, cursors, windows, world,
                                          world, horzSlider, vertSlider, application}};

    ScrollRig() {
        settings.ScrollEnabled = true;
        settings.ActivateButton = MouseButton::Right;
        record.PassInput = 1;
        record.CursorShown = 1;
        share.Attach(&record);
        cursors.RegisterAll();
        scrollTimer.OnTimer = [this] { engine.ScrollTimerTimer(world.clockMs); };
        guardTimer.OnTimer = [this] { engine.ReleaseGuardTimerTimer(); };
        world.Watch(record, scrollTimer);
        world.log.clear();
    }

    // A child window with a usable vertical bar of its own, under the cursor.
    WindowHandle EditWithVerticalBar() {
        const WindowHandle frame = windows.AddTopLevel("Frame");
        const WindowHandle edit = windows.AddChild(frame, "Edit");
        windows.SetBarState(edit, win::kOBJID_VSCROLL, 0);
        windows.SetBarState(edit, win::kOBJID_HSCROLL, win::kSTATE_SYSTEM_INVISIBLE);
        world.underCursor = edit;
        return edit;
    }
    // The geometry GetScrollBarInfo reports for a bar, and its window's client origin.
    void Measure(WindowHandle w, std::int32_t objectId, ScrollBarGeometry bar, Point origin) {
        world.bars[{w.value, objectId}] = bar;
        world.clientOrigins[w.value] = origin;
    }
    // A wheel-target window (no bars in the results), under the cursor.
    WindowHandle WheelPage() {
        const WindowHandle frame = windows.AddTopLevel("Frame");
        const WindowHandle page = windows.AddChild(frame, "MozillaWindowClass");
        world.underCursor = page;
        return page;
    }

    // swallowed: the hook's click rule held the message back (what it does over a window its own
    // probe takes for scrollable).
    void Press(std::int32_t x, std::int32_t y, std::uint32_t id = win::kWM_RBUTTONDOWN,
               bool swallowed = false) {
        engine.HandleHookMouse(id, x, y, swallowed);
    }
    void Release(std::int32_t x, std::int32_t y, std::uint32_t id = win::kWM_RBUTTONUP,
                 bool swallowed = false) {
        engine.HandleHookMouse(id, x, y, swallowed);
    }
    void MoveTo(std::int32_t x, std::int32_t y) { engine.HandleHookMouse(win::kWM_MOUSEMOVE, x, y, false); }
    void MoveTo(const std::vector<Point>& path) {
        for (const Point p : path) {
            MoveTo(p.x, p.y);
        }
    }
    void Tick() { scrollTimer.Fire(); }
    // A tick once the interval the last one set has gone by.
    void TickOnTime() {
        world.clockMs += scrollTimer.Interval();
        scrollTimer.Fire();
    }
    void GuardTick() { guardTimer.Fire(); }
    std::vector<std::string> Log() { return world.Take(); }
};

} // namespace gw::test
