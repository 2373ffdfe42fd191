#pragma once
// The system as one hook call sees it: a record that is there or not, a cursor over a window of
// a fake desktop, and a log of every post and every call of the next hook.

#include "hooks/HookHost.h"
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

    // --- Standing aside: the list, this process's executable, the windows in front and the monitors.
    AsideShare aside{};  // empty list, full-screen option off
    bool asidePresent = true;
    std::string executable = "C:\\Program Files\\Paint\\mspaint.exe";
    int asideOpens = 0;
    int pathReads = 0;
    std::function<void()> onPathRead;  // e.g. the program publishing a list meanwhile
    WindowHandle foreground{};
    WindowHandle desktop{0xD0};
    WindowHandle shell{0xD1};
    std::map<std::uintptr_t, std::uint32_t> threads;  // window -> thread; else a thread of its own
    std::map<std::uintptr_t, Rect> bounds;            // GetWindowRect; missing: the call fails
    std::vector<Rect> monitors;                       // the window's monitor: the one it overlaps most

    void List(std::initializer_list<const char*> names) {
        aside.Count = 0;
        for (const char* name : names) {
            std::strncpy(aside.Names[aside.Count++], name, kAsideNameSize);
        }
        aside.Generation += 2;
    }

    AsideMapping OpenAside() override {
        ++asideOpens;
        if (!asidePresent) {
            return {};
        }
        ++mapped_;
        return {&aside, KernelHandle(0x45)};
    }
    void CloseAside(AsideMapping mapping) override {
        if (mapping.view == &aside && mapping.section == KernelHandle(0x45)) {
            --mapped_;
        }
    }
    std::uint32_t ExecutablePath(char* buffer, std::uint32_t size) override {
        ++pathReads;
        if (onPathRead) {
            onPathRead();
        }
        const std::uint32_t length = static_cast<std::uint32_t>(executable.size());
        // GetModuleFileNameA: a path that does not fit is cut short and answers the buffer's size.
        const std::uint32_t copied = length < size ? length : size;
        std::memcpy(buffer, executable.data(), copied);
        if (copied < size) {
            buffer[copied] = '\0';
        }
        return copied;
    }
    WindowHandle ForegroundWindow() override { return foreground; }
    WindowHandle DesktopWindow() override { return desktop; }
    WindowHandle ShellWindow() override { return shell; }
    std::uint32_t WindowThread(WindowHandle window) override {
        const auto found = threads.find(window.value);
        return found == threads.end() ? static_cast<std::uint32_t>(window.value) : found->second;
    }
    bool WindowBounds(WindowHandle window, Rect& rect) override {
        const auto found = bounds.find(window.value);
        if (found == bounds.end()) {
            return false;
        }
        rect = found->second;
        return true;
    }
    bool MonitorBounds(WindowHandle window, Rect& rect) override {
        Rect w;
        if (monitors.empty() || !WindowBounds(window, w)) {
            return false;
        }
        long best = -1;
        for (const Rect& m : monitors) {
            const long width = std::max(0, std::min(w.right, m.right) - std::max(w.left, m.left));
            const long height = std::max(0, std::min(w.bottom, m.bottom) - std::max(w.top, m.top));
            if (width * height > best) {
                best = width * height;
                rect = m;
            }
        }
        return true;
    }

    // Every view handed out was given back.
    bool AllClosed() const { return mapped_ == 0; }

private:
    int mapped_ = 0;
};

} // namespace gw::test
