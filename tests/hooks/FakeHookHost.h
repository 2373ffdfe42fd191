#pragma once
// The system as one hook call sees it: a record that is there or not, a cursor over a window of
// a fake desktop, and a log of every post and every call of the next hook.

#include "base/WideString.h"
#include "hooks/HookHost.h"
#include "shared/WideText.h"
#include "tests/shared/FakeWindowQueries.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace gw::test {

struct PostedMessage {
    std::uint32_t window;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    friend bool operator==(const PostedMessage&, const PostedMessage&) = default;
};

struct NextHookCall {
    HookHandle hook;
    int code;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    friend bool operator==(const NextHookCall&, const NextHookCall&) = default;
};

class FakeHookHost final : public IHookHost {
public:
    static constexpr std::intptr_t kNextHookResult = 0x5A5A;
    static constexpr std::uint32_t kMainWindow = 0x0001'0A2C;

    // The record as the program would leave it after start-up.
    HookShare record{kMainWindow, 0, 1, 1, 0, 0, 0, {0, 0}};
    bool recordPresent = true;
    bool cursorReadable = true;
    Point cursor{10, 20};
    std::vector<std::pair<Point, WindowHandle>> windowAt; // what WindowFromPoint answers where
    FakeWindowQueries windows;

    int opens = 0;
    int closes = 0;
    int cursorReads = 0;
    std::vector<Point> windowQueries;
    std::vector<PostedMessage> posts;
    std::vector<NextHookCall> nextCalls;

    ShareMapping OpenShare() override {
        ++opens;
        if (!recordPresent) {
            return {};
        }
        ++mapped_;
        return {&record, KernelHandle(0x44)};
    }
    void CloseShare(ShareMapping mapping) override {
        ++closes;
        if (mapping.view == &record && mapping.section == KernelHandle(0x44)) {
            --mapped_;
        }
    }
    void Post(std::uint32_t window, std::uint32_t message, std::uintptr_t wParam,
              std::intptr_t lParam) override {
        posts.push_back({window, message, wParam, lParam});
    }
    std::intptr_t CallNextHook(HookHandle hook, int code, std::uintptr_t wParam,
                               std::intptr_t lParam) override {
        nextCalls.push_back({hook, code, wParam, lParam});
        return kNextHookResult;
    }
    bool CursorPosition(Point& where) override {
        ++cursorReads;
        if (!cursorReadable) {
            return false;
        }
        where = cursor;
        return true;
    }
    WindowHandle WindowAt(Point where) override {
        windowQueries.push_back(where);
        for (const auto& [point, window] : windowAt) {
            if (point == where) {
                return window;
            }
        }
        return {};
    }
    IWindowQueries& Windows() override { return windows; }

    // --- Standing aside: the list, this process's executable, the window in front, the monitors.
    AsideShare aside{}; // empty list, full-screen option off
    bool asidePresent = true;
    std::string executable = "C:\\Program Files\\Paint\\mspaint.exe"; // UTF-8 here, wide to the hook
    std::function<void()> onPathRead; // the program publishing a list meanwhile, say
    int asideOpens = 0;
    int pathReads = 0;
    // Other processes: their executables (a process missing here does not tell), and the windows
    // they own (every other window is this process's).
    std::uint32_t currentProcess = 100;
    std::map<std::uint32_t, std::string> processes;
    std::map<std::uintptr_t, std::uint32_t> windowProcesses;
    std::vector<std::uint32_t> processNameReads;
    WindowHandle foreground{};
    WindowHandle desktop{0xD0};
    WindowHandle shell{0xD1};
    std::map<std::uintptr_t, std::uint32_t> threads; // else each window has a thread of its own
    std::map<std::uintptr_t, Rect> bounds;           // GetWindowRect; a window missing here fails
    std::vector<Rect> monitors;                      // a window's: the one holding its centre

    void List(std::initializer_list<const char*> names) {
        aside.Count = 0;
        for (const char* name : names) {
            std::strncpy(aside.Names[aside.Count++], name, kAsideNameSize);
        }
        aside.Generation += 2;
    }
    AsideMapping OpenAside() override {
        ++asideOpens;
        mapped_ += asidePresent ? 1 : 0;
        return asidePresent ? AsideMapping{&aside, KernelHandle(0x45)} : AsideMapping{};
    }
    void CloseAside(AsideMapping mapping) override { mapped_ -= mapping.view == &aside ? 1 : 0; }
    std::uint32_t ExecutableName(char* buffer, std::uint32_t size) override {
        ++pathReads;
        if (onPathRead) {
            onPathRead();
        }
        return NameOf(executable, buffer, size);
    }
    std::uint32_t ProcessExecutableName(std::uint32_t processId, char* buffer, std::uint32_t size) override {
        processNameReads.push_back(processId);
        const auto found = processes.find(processId);
        return found == processes.end() ? 0 : NameOf(found->second, buffer, size);
    }
    std::uint32_t WindowProcess(WindowHandle window) override {
        const auto found = windowProcesses.find(window.value);
        return found == windowProcesses.end() ? currentProcess : found->second;
    }
    std::uint32_t CurrentProcess() override { return currentProcess; }
    WindowHandle ForegroundWindow() override { return foreground; }
    WindowHandle DesktopWindow() override { return desktop; }
    WindowHandle ShellWindow() override { return shell; }
    std::uint32_t WindowThread(WindowHandle window) override {
        return threads.count(window.value) ? threads[window.value] : static_cast<std::uint32_t>(window.value);
    }
    bool WindowBounds(WindowHandle window, Rect& rect) override {
        return bounds.count(window.value) && (rect = bounds[window.value], true);
    }
    bool MonitorBounds(WindowHandle window, Rect& rect) override {
        Rect w;
        if (monitors.empty() || !WindowBounds(window, w)) {
            return false;
        }
        const Point centre{(w.left + w.right) / 2, (w.top + w.bottom) / 2};
        rect = monitors.front();
        for (const Rect& m : monitors) {
            if (centre.x >= m.left && centre.x < m.right && centre.y >= m.top && centre.y < m.bottom) {
                rect = m;
            }
        }
        return true;
    }

    // --- Watching the queue: the thread the call runs on, the tick count, the watches begun and
    // ended; the message just taken off the queue, and the system's double-click limits.
    std::uint32_t thread = 0x51;
    std::uint32_t now = 100'000;
    bool watchFails = false;
    std::vector<std::string> watchCalls;
    std::uint32_t CurrentThread() override { return thread; }
    std::uint32_t Now() override { return now; }
    HookHandle WatchQueue() override {
        if (watchFails) {
            watchCalls.push_back("watch failed");
            return {};
        }
        const HookHandle hook(0x900 + watchCalls.size());
        watchCalls.push_back("watch " + std::to_string(thread) + " " + std::to_string(hook.value));
        return hook;
    }
    void StopWatchingQueue(HookHandle hook) override {
        watchCalls.push_back("stop " + std::to_string(hook.value));
    }
    std::uintptr_t messageExtraInfo = 0;
    int extraInfoReads = 0;
    std::uintptr_t MessageExtraInfo() override {
        ++extraInfoReads;
        return messageExtraInfo;
    }
    std::uint32_t DoubleClickTime() override { return 500; }
    Point DoubleClickSize() override { return {4, 4}; }

    // Every view handed out was given back.
    bool AllClosed() const { return mapped_ == 0; }

private:
    // What the library makes of the wide path the system reports: a path longer than its room is
    // cut short and names nothing.
    static std::uint32_t NameOf(const std::string& path, char* buffer, std::uint32_t size) {
        const std::u16string wide = ToWide<std::u16string>(path);
        if (wide.size() >= 520) {
            return 0;
        }
        return Utf8FileName(wide.data(), static_cast<std::uint32_t>(wide.size()), buffer, size);
    }

    int mapped_ = 0;
};

} // namespace gw::test
