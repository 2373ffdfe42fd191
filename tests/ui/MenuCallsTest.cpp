// Closing while a menu of ours runs its loop: the menu ends first and the window closes only once
// the last menu call has returned.

#include "ui/MenuCalls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gw {
namespace {

struct RecordedActions final : MenuCalls::Actions {
    std::vector<std::string> calls;
    void EndMenu() override { calls.push_back("EndMenu"); }
    void CloseLater(WindowHandle window) override {
        calls.push_back("close " + std::to_string(window.value));
    }
};

TEST(MenuCalls, ACloseWaitsForTheLastMenuCall) {
    struct Case {
        const char* name;
        int menus;    // menu calls running when the request comes
        int requests; // close requests for the same window
        bool deferred;
        std::vector<std::string> atRequest;
        std::vector<std::string> afterMenus;
    };
    const Case cases[] = {
        {"no menu open", 0, 1, false, {}, {}},
        {"tray menu open", 1, 1, true, {"EndMenu"}, {"close 7"}},
        {"menu inside a menu call", 2, 1, true, {"EndMenu"}, {"close 7"}},
        {"asked twice", 1, 2, true, {"EndMenu", "EndMenu"}, {"close 7"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordedActions actions;
        MenuCalls calls(actions);
        for (int i = 0; i < c.menus; ++i) {
            calls.Enter();
        }
        for (int i = 0; i < c.requests; ++i) {
            EXPECT_EQ(calls.DeferClose(WindowHandle{7}), c.deferred);
        }
        EXPECT_EQ(actions.calls, c.atRequest);
        EXPECT_EQ(calls.ClosePending(), c.deferred);
        actions.calls.clear();
        for (int i = 0; i < c.menus; ++i) {
            EXPECT_TRUE(actions.calls.empty()); // not while any menu call is still on its way out
            calls.Leave();
        }
        EXPECT_EQ(actions.calls, c.afterMenus);
        EXPECT_FALSE(calls.ClosePending());
    }
}

TEST(MenuCalls, TheEndOfTheSessionOnlyEndsAnOpenMenu) {
    RecordedActions actions;
    MenuCalls calls(actions);
    calls.EndMenus();
    EXPECT_TRUE(actions.calls.empty());
    calls.Enter();
    calls.EndMenus();
    calls.Leave();
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"EndMenu"}));
}

} // namespace
} // namespace gw
