#pragma once
// The system as one hook call sees it: a record that is there or not, a cursor over a window of
// a fake desktop, and a log of every post and every call of the next hook.

#include "hooks/HookHost.h"
#include "tests/shared/FakeWindowQueries.h"

#include <cstdint>
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

    // Every view handed out was given back.
    bool AllClosed() const { return mapped_ == 0; }

private:
    int mapped_ = 0;
};

} // namespace gw::test
