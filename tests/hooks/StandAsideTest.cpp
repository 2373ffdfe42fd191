// When the hook stands aside: the verdict about the process's own executable and how long it is
// kept, and the full-screen test on one and two monitors.

#include "hooks/StandAside.h"

#include "shared/Win32Values.h"
#include "tests/hooks/FakeHookHost.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

using test::FakeHookHost;

TEST(StandAside, TheVerdictIsKeptUntilTheListChanges) {
    FakeHookHost host;
    HookProcessState state;
    host.aside.Generation = 0x10;
    host.List({"notepad.exe", "MSPAINT.EXE"});
    struct Step {
        const char* name;
        std::function<void()> change;
        bool standsAside;
        int pathReads;  // so far
    };
    const Step steps[] = {
        {"listed, in any case", [] {}, true, 1},
        {"kept", [] {}, true, 1},
        {"the list changes", [&] { host.List({"notepad.exe"}); }, false, 2},
        {"kept again", [] {}, false, 2},
        {"the program is rewriting the list: used, not kept",
         [&] {
             host.List({"mspaint.exe"});
             ++host.aside.Generation;
         },
         true, 3},
        {"still rewriting", [] {}, true, 4},
        {"whole again", [&] { ++host.aside.Generation; }, true, 5},
        {"kept", [] {}, true, 5},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        EXPECT_EQ(StandsAside(host, state), step.standsAside);
        EXPECT_EQ(host.pathReads, step.pathReads);
        EXPECT_TRUE(host.AllClosed());
    }
}

TEST(StandAside, AListChangedWhileItIsReadIsNotTrusted) {
    FakeHookHost host;
    HookProcessState state;
    // The program publishes a new list between the hook's two reads of the generation.
    host.onPathRead = [&] { host.aside.Generation += 2; };
    host.List({"mspaint.exe"});
    EXPECT_TRUE(StandsAside(host, state));
    EXPECT_TRUE(StandsAside(host, state));
    EXPECT_EQ(host.pathReads, 2);  // the first verdict was not kept
}

TEST(StandAside, WithoutTheRecordOrANameNothingStandsAside) {
    struct Case {
        const char* name;
        bool present;
        std::string executable;
        bool standsAside;
    };
    const Case cases[] = {
        {"no record", false, "C:\\mspaint.exe", false},
        {"path cut short", true, "C:\\" + std::string(600, 'd') + "\\mspaint.exe", false},
        {"no path", true, "", false},
        {"a name that only begins like one listed", true, "C:\\mspaint.exe.bak", false},
        {"a bare name", true, "mspaint.exe", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHookHost host;
        HookProcessState state;
        host.List({"mspaint.exe"});
        host.asidePresent = c.present;
        host.executable = c.executable;
        EXPECT_EQ(StandsAside(host, state), c.standsAside);
        EXPECT_EQ(host.pathReads, c.present ? 1 : 0);
        EXPECT_TRUE(host.AllClosed());
    }
}

TEST(StandAside, FullScreenOnOneAndTwoMonitors) {
    constexpr Rect kMain{0, 0, 1920, 1080};
    constexpr Rect kSecond{1920, -200, 3200, 824};
    constexpr std::uint32_t kPopup = 0x80000000;
    constexpr std::uint32_t kCaption = win::kWS_CAPTION | 0x00040000;  // with a sizing frame
    constexpr std::uint32_t kMaximised = kCaption | win::kWS_MAXIMIZE;
    struct Case {
        const char* name;
        std::vector<Rect> monitors;
        Rect front;
        std::uint32_t style;
        bool fullScreen;
    };
    const Case cases[] = {
        {"fills the monitor", {kMain}, kMain, kPopup, true},
        {"reaches past every edge", {kMain}, {-3, -3, 1923, 1083}, kPopup, true},
        {"with a title bar, not maximised", {kMain}, kMain, kCaption, true},
        {"maximised with a title bar, past the edges", {kMain}, {-8, -8, 1928, 1088}, kMaximised, false},
        {"one pixel short", {kMain}, {0, 0, 1920, 1079}, kPopup, false},
        {"an ordinary window", {kMain}, {100, 100, 900, 700}, kCaption, false},
        {"fills the second monitor", {kMain, kSecond}, kSecond, kPopup, true},
        {"fills the first of two", {kMain, kSecond}, kMain, kPopup, true},
        {"the second monitor's size on the first", {kMain, kSecond}, {0, 0, 1280, 1024}, kPopup, false},
        {"across both, most of it on the first", {kMain, kSecond}, {0, -200, 3200, 1080}, kPopup, true},
        {"half on each", {kMain, kSecond}, {960, 0, 2560, 824}, kPopup, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHookHost host;
        host.foreground = host.windows.AddTopLevel("GameWindow", c.style);
        host.monitors = c.monitors;
        host.bounds[host.foreground.value] = c.front;
        EXPECT_EQ(FullScreenInFront(host), c.fullScreen);
    }
}

TEST(StandAside, TheDesktopAndMissingFactsAreNeverFullScreen) {
    constexpr Rect kMain{0, 0, 1024, 768};
    struct Case {
        const char* name;
        std::uintptr_t front;
        bool boundsKnown;
        bool monitorKnown;
    };
    const Case cases[] = {
        {"no foreground window", 0, true, true},
        {"the desktop window", 0xD0, true, true},
        {"the shell window", 0xD1, true, true},
        {"another desktop window of the shell's thread", 0xD2, true, true},
        {"no window rectangle", 0x501, false, true},
        {"no monitor", 0x501, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHookHost host;
        host.foreground = WindowHandle{c.front};
        host.threads = {{0xD1, 3}, {0xD2, 3}};
        if (c.monitorKnown) {
            host.monitors = {kMain};
        }
        if (c.boundsKnown) {
            host.bounds[c.front] = kMain;
        }
        EXPECT_FALSE(FullScreenInFront(host));
    }
}

TEST(StandAside, TheFullScreenOptionDecides) {
    for (const std::uint8_t option : {0, 1, 2}) {
        FakeHookHost host;
        HookProcessState state;
        host.executable = "C:\\Games\\game.exe";
        host.foreground = WindowHandle{0x501};
        host.monitors = {{0, 0, 1024, 768}};
        host.bounds[0x501] = {0, 0, 1024, 768};
        host.aside.FullScreenAside = option;
        EXPECT_EQ(StandsAside(host, state), option != 0);
    }
}

} // namespace
} // namespace gw
