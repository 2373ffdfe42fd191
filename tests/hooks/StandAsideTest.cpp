// When the hook stands aside: the verdict about the process's own executable and how long it is
// kept, the verdict about another process's window, and the full-screen test on one and two
// monitors.

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
    host.List({"notepad.exe", "MSPAINT.EXE"});
    const struct {
        const char* name;
        std::function<void()> change;
        bool standsAside;
        int pathReads; // so far
    } steps[] = {
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
        {"whole again", [&] { ++host.aside.Generation; }, true, 4},
        {"kept", [] {}, true, 4},
        {"a new list while the hook reads it: used, not kept",
         [&] {
             host.onPathRead = [&] { host.aside.Generation += 2; };
             host.List({"mspaint.exe"});
         },
         true, 5},
        {"read again in peace", [&] { host.onPathRead = nullptr; }, true, 6},
        {"kept", [] {}, true, 6},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        EXPECT_EQ(StandsAside(host, state, WindowHandle{}), step.standsAside);
        EXPECT_EQ(host.pathReads, step.pathReads);
        EXPECT_TRUE(host.AllClosed());
    }
}

TEST(StandAside, WithoutTheRecordOrAWholeNameNothingIsListed) {
    const struct {
        bool present;
        std::string executable;
        bool standsAside;
    } cases[] = {
        {false, "C:\\mspaint.exe", false},
        {true, "C:\\" + std::string(600, 'd') + "\\mspaint.exe", false}, // cut short
        {true, "", false},
        {true, "C:\\mspaint.exe.bak", false},
        {true, "mspaint.exe", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.executable);
        FakeHookHost host;
        HookProcessState state;
        host.List({"mspaint.exe"});
        host.asidePresent = c.present;
        host.executable = c.executable;
        EXPECT_EQ(StandsAside(host, state, WindowHandle{}), c.standsAside);
        EXPECT_TRUE(host.AllClosed());
    }
}

// The 64-bit build's hook in a 32-bit program (or the other way round) runs on Glidewing's own
// thread, in Glidewing's process: the window under the cursor names the program.
TEST(StandAside, AnotherProcessesWindowIsJudgedByItsOwnProgramAndNothingIsKept) {
    FakeHookHost host;
    HookProcessState state;
    host.executable = "C:\\Users\\\xE7\x8E\x8B\xE8\x8A\xB3\\Glidewing\\Glidewing.exe";
    host.List({"editor64.exe", "\xD0\xA6\xD0\xB5\xD0\xBB\xD1\x8C.exe"}); // "Цель.exe"
    host.processes = {{200, "C:\\Tools\\Editor64.EXE"},
                      {300, "C:\\Windows\\notepad.exe"},
                      {500, "D:\\\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B\\\xD0\xA6\xD0\xB5\xD0\xBB\xD1\x8C.exe"}};
    const WindowHandle editor{0x200}, notepad{0x300}, mute{0x400}, target{0x500}, own{0x600};
    host.windowProcesses = {{0x200, 200}, {0x300, 300}, {0x400, 400}, {0x500, 500}};
    const struct {
        const char* name;
        WindowHandle under;
        bool standsAside;
        std::vector<std::uint32_t> asked; // whose names were asked for, so far
        std::uint8_t ownVerdict;
    } steps[] = {
        {"a listed program, in another case", editor, true, {200}, 0},
        {"asked again, never kept", editor, true, {200, 200}, 0},
        {"one not listed", notepad, false, {200, 200, 300}, 0},
        {"one that does not tell", mute, false, {200, 200, 300, 400}, 0},
        {"a name beyond the ANSI code page", target, true, {200, 200, 300, 400, 500}, 0},
        {"the process's own window: its own verdict, kept", own, false, {200, 200, 300, 400, 500}, 1},
        {"no window under the cursor: its own", WindowHandle{}, false, {200, 200, 300, 400, 500}, 1},
        {"another's again, the own verdict aside", editor, true, {200, 200, 300, 400, 500, 200}, 1},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        EXPECT_EQ(StandsAside(host, state, step.under), step.standsAside);
        EXPECT_EQ(host.processNameReads, step.asked);
        EXPECT_EQ(state.AsideVerdict, step.ownVerdict);
        EXPECT_TRUE(host.AllClosed());
    }
    EXPECT_EQ(host.pathReads, 1);
}

TEST(StandAside, AnEmptyListAsksNothingOfTheSystem) {
    FakeHookHost host;
    HookProcessState state;
    host.windowProcesses = {{0x200, 200}};
    host.processes = {{200, "C:\\mspaint.exe"}};
    EXPECT_FALSE(StandsAside(host, state, WindowHandle{0x200}));
    EXPECT_EQ(host.cursorReads, 0);
    EXPECT_EQ(host.pathReads, 0);
    EXPECT_TRUE(host.processNameReads.empty());
}

// The program lists names in UTF-8; the hook names its program the same way, whatever the
// process's ANSI code page.
TEST(StandAside, NamesAreComparedAsTheProgramWritesThem) {
    const struct {
        const char* executable;
        const char* listed;
        bool standsAside;
    } cases[] = {
        {"C:\\Zo\xC3\xAB\\Zo\xC3\xAB.exe", "Zo\xC3\xAB.exe", true},
        {"C:\\Zo\xC3\xAB\\Zo\xC3\xAB.exe", "Zo\xEB.exe", false}, // the 1252 form is another name
        {"C:\\\xE7\x8E\x8B\\\xE7\x8E\x8B.EXE", "\xE7\x8E\x8B.exe", true},
        {"C:\\x\\\xF0\x9F\x93\x81.exe", "\xF0\x9F\x93\x81.exe", true},
        {"C:\\x\\PAINT.exe", "paint.EXE", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.listed);
        FakeHookHost host;
        HookProcessState state;
        host.executable = c.executable;
        host.List({c.listed});
        EXPECT_EQ(StandsAside(host, state, WindowHandle{}), c.standsAside);
    }
}

TEST(StandAside, FullScreenOnOneAndTwoMonitors) {
    constexpr Rect kMain{0, 0, 1920, 1080};
    constexpr Rect kSecond{1920, -200, 3200, 824};
    constexpr std::uint32_t kPopup = 0x80000000;
    constexpr std::uint32_t kCaption = win::kWS_CAPTION | 0x00040000; // with a sizing frame
    const struct {
        const char* name;
        std::vector<Rect> monitors;
        Rect front;
        std::uint32_t style;
        bool fullScreen;
    } cases[] = {
        {"fills the monitor", {kMain}, kMain, kPopup, true},
        {"reaches past every edge", {kMain}, {-3, -3, 1923, 1083}, kPopup, true},
        {"with a title bar, not maximised", {kMain}, kMain, kCaption, true},
        {"maximised with a title bar", {kMain}, {-8, -8, 1928, 1088}, kCaption | win::kWS_MAXIMIZE, false},
        // A browser or an editor that draws its own title bar, on a monitor without a taskbar.
        {"maximised without a title bar", {kMain}, kMain, kPopup | win::kWS_MAXIMIZE, false},
        {"maximised without a title bar, past the edges",
         {kMain},
         {-8, -8, 1928, 1088},
         0x00040000 | win::kWS_MAXIMIZE,
         false},
        {"maximised on the second monitor", {kMain, kSecond}, kSecond, kPopup | win::kWS_MAXIMIZE, false},
        {"one pixel short", {kMain}, {0, 0, 1920, 1079}, kPopup, false},
        {"fills the second monitor", {kMain, kSecond}, kSecond, kPopup, true},
        {"fills the first of two", {kMain, kSecond}, kMain, kPopup, true},
        {"the second's size on the first", {kMain, kSecond}, {0, 0, 1280, 1024}, kPopup, false},
        {"across both", {kMain, kSecond}, {0, -200, 3200, 1080}, kPopup, true},
        {"half on each", {kMain, kSecond}, {960, 0, 2560, 824}, kPopup, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHookHost host;
        host.foreground = host.windows.AddTopLevel("Game", c.style);
        host.monitors = c.monitors;
        host.bounds[host.foreground.value] = c.front;
        EXPECT_EQ(FullScreenInFront(host), c.fullScreen);
    }
}

TEST(StandAside, TheDesktopAndMissingFactsAreNeverFullScreen) {
    // No window in front, the desktop, the shell window, another window of the shell's thread (the
    // desktop of newer systems), a window without a rectangle, and one on no monitor.
    const std::uintptr_t fronts[] = {0, 0xD0, 0xD1, 0xD2, 0x501, 0x502};
    for (const std::uintptr_t front : fronts) {
        SCOPED_TRACE(front);
        FakeHookHost host;
        host.foreground = WindowHandle{front};
        host.threads = {{0xD1, 3}, {0xD2, 3}};
        for (const std::uintptr_t known : {0x0ul, 0xD0ul, 0xD1ul, 0xD2ul, 0x502ul}) {
            host.bounds[known] = {0, 0, 1024, 768};
        }
        host.monitors = {{0, 0, 1024, 768}};
        if (front == 0x502) {
            host.monitors.clear();
        }
        EXPECT_FALSE(FullScreenInFront(host));
    }
}

} // namespace
} // namespace gw
