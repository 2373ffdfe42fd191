// Start-up, its failures and shutdown of the real TMainForm against recording fakes.

#include "Fakes.h"

#include "app/HookMessages.h"
#include "app/ProgramStart.h"
#include "shared/HookShare.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace gw::test {
namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kExe[] = "C:\\Program Files\\Glidewing\\Glidewing.exe";

// Runs of the same call (26 drive letters, 14 cursors, 17 keys) shown once with their count.
std::vector<std::string> Collapsed(const Journal& journal) {
    std::vector<std::string> out;
    std::string runWord;
    int runLength = 0;
    auto flush = [&] {
        if (runLength > 0) {
            out.push_back(runWord + " x" + std::to_string(runLength));
        }
        runLength = 0;
    };
    for (const std::string& entry : journal) {
        const std::string word = entry.substr(0, entry.find(' '));
        if (word == "GetDriveType" || word == "LoadCursor" || word == "ReadProfile") {
            if (word != runWord) {
                flush();
                runWord = word;
            }
            ++runLength;
            continue;
        }
        flush();
        runWord.clear();
        out.push_back(entry);
    }
    flush();
    return out;
}

// The record's fields the hooks read: MainWindow, ActivateButton, CursorShown, PassInput,
// HooksPaused, ReportKeys, ScrollEnabled.
std::vector<unsigned> Fields(const HookShare& r) {
    return {r.MainWindow,  r.ActivateButton, r.CursorShown,  r.PassInput,
            r.HooksPaused, r.ReportKeys,     r.ScrollEnabled};
}

// What the journal got from entry `from` on.
Journal Since(const MainFormRig& rig, std::size_t from) {
    return Journal(rig.journal.begin() + static_cast<long>(from), rig.journal.end());
}

TEST(Startup, RunsEveryStepInOrder) {
    MainFormRig rig;
    rig.Start();

    const std::vector<std::string> expected = {
        "SPI_SETCURSORS", // cursors a crashed or killed run left behind go first
        "GetDriveType x26",
        "LoadCursor x14",
        "ReadProfile x19",
        "GetVersionEx",
        "Load Tools.dll",
        "Find LockTheComputer",
        "Load GWHooks.dll",
        "Find KeyboardHookOn",
        "Find KeyboardHookOff",
        "Find MouseHookOn",
        "Find MouseHookOff",
        "CreateFileMapping PaneBridge1201 12",
        "MapViewOfFile 119",
        "CreateFileMapping PaneBridge1201Aside 2056",
        "MapViewOfFile 120",
        "Call KeyboardHookOn",
        "Call MouseHookOn",
        std::string("RegCreateKeyEx HKLM ") + kRunKey + " 0xF003F",
        std::string("RegSetValueEx Glidewing = \"") + kExe + "\"",
        "RegCloseKey 0x51",
        std::string("RegOpenKeyEx HKCU ") + kRunKey + " 0xF003F",
        "RegQueryValueEx Glidewing",
        "RegCloseKey 0x62",
        "SPI 33 0 0",
        "SPI 96 0 2",
    };
    EXPECT_EQ(Collapsed(rig.journal), expected);
    EXPECT_TRUE(rig.boxes.Shown.empty());
    const auto drives = rig.Calls({"GetDriveType"}); // every letter, without a separator
    EXPECT_EQ(drives.front(), "GetDriveType A:");
    EXPECT_EQ(drives.back(), "GetDriveType Z:");
    EXPECT_EQ(rig.libraries.LoadedPaths,
              (std::vector<std::string>{"C:\\Program Files\\Glidewing\\Tools.dll",
                                        "C:\\Program Files\\Glidewing\\GWHooks.dll"}));
}

// The program's own files are looked for beside it, in a folder of any name: names the ANSI code
// page holds and names it cannot hold (which the system's ANSI calls would have turned into "?").
TEST(Startup, EveryFileIsLookedForBesideTheProgramInAnyFolder) {
    const std::string folders[] = {
        "C:\\Zo\xC3\xAB\\Glidewing\\",
        "C:\\\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC\xD1\x8B\\Glidewing\\",
        "C:\\Users\\\xE7\x8E\x8B\xE8\x8A\xB3\\AppData\\Local\\Programs\\Glidewing\\",
    };
    for (const std::string& folder : folders) {
        SCOPED_TRACE(folder);
        MainFormRig rig;
        rig.files.Executable = folder + "Glidewing.exe";
        rig.files.Existing.insert(folder + "glidewing.chm");
        rig.libraries.Available["HHCTRL.OCX"] = {"HtmlHelpW"};
        rig.Start();
        rig.Do([&] { rig.form.SaveSettings(); });
        rig.Do([&] { rig.form.HelpButton.Click(); });
        EXPECT_TRUE(rig.boxes.Shown.empty());
        EXPECT_EQ(rig.libraries.LoadedPaths,
                  (std::vector<std::string>{folder + "Tools.dll", folder + "GWHooks.dll", "HHCTRL.OCX"}));
        EXPECT_EQ(rig.profile.Paths, (std::set<std::string>{folder + "GWing.ini"}));
        EXPECT_TRUE(rig.Called("HtmlHelpW#6 20816 " + folder + "glidewing.chm::/introduction.htm 0x0 0"));
        EXPECT_EQ(rig.registry.RunValues.at("Glidewing"), "\"" + folder + "Glidewing.exe\"");
    }
}

TEST(Startup, FirstStartWithoutFileAppliesTheDefaults) {
    MainFormRig rig;
    rig.Start();
    const TMainForm& f = rig.form;

    EXPECT_EQ(f.Caption(), "Glidewing ");
    EXPECT_EQ(f.TrayIcon.Hint(), "Glidewing ");
    EXPECT_EQ(f.ExeFolder, "C:\\Program Files\\Glidewing\\");
    EXPECT_FALSE(f.Visible());
    EXPECT_EQ(f.PageControl.ActivePageIndex(), 4); // About

    const RuntimeSettings& r = f.Runtime;
    // Key, button, Toggle, Move Scroll, scrolling, speeds, autorun, PopDesk on, corner, wait.
    EXPECT_EQ((std::vector<int>{r.ActivateKeyIndex, int(r.ActivateButton), r.ToggleMode, r.MoveScrollMode,
                                r.ScrollEnabled, r.SpeedX, r.SpeedY, r.AutoRun, r.PopDeskEnabled,
                                r.PopDeskCorner, r.PopDeskDelay}),
              (std::vector<int>{2, 3, 0, 1, 1, 10, 20, 1, 0, 0, 100}));
    EXPECT_FALSE(r.SwapButtons || r.HideWhileTyping || r.JumpToDefault || r.MoveLock || r.MoveBack ||
                 r.Inverse || r.AutoFollow);

    EXPECT_EQ(Fields(rig.section.Record), (std::vector<unsigned>{0x5150, 3, 1, 1, 0, 0, 1}));

    EXPECT_EQ(f.TrayIcon.IconIndex(), 0);
    EXPECT_TRUE(f.EnableItem.Checked());
    EXPECT_TRUE(f.ClassicItem.Checked());
    EXPECT_FALSE(f.ToggleItem.Checked());
    EXPECT_TRUE(f.MoveScrollItem.Checked());
    EXPECT_FALSE(f.AutoScrollItem.Checked());
    EXPECT_FALSE(f.ApplyButton.Enabled());
    EXPECT_FALSE(f.PopDeskOptionsGroup.Enabled());
    EXPECT_EQ(rig.registry.RunValues.at("Glidewing"), std::string("\"") + kExe + "\"");
    EXPECT_TRUE(rig.profile.Writes.empty());       // no file until OK or a tray change
    EXPECT_FALSE(f.DeskTrigger.Timer().Enabled()); // PopDesk off: not a tick
    EXPECT_EQ(f.DeskTrigger.Timer().Interval(), 100u);
    EXPECT_FALSE(f.ScrollTimer.Enabled());
    EXPECT_EQ(f.Engine.AutoDirection(), ScrollDirection::None);
    EXPECT_EQ(f.DeskLinks.EnumFlags, 0x60u);
    EXPECT_EQ(f.DeskLinks.FileInfoFlags, 0xF09u);
}

TEST(Startup, RecordHoldsItsStartValuesBeforeTheHooksGoIn) {
    MainFormRig rig;
    std::vector<HookShare> seen;
    rig.libraries.OnCall = [&](const std::string& name) {
        if (name == "KeyboardHookOn" || name == "MouseHookOn") {
            seen.push_back(rig.section.Record);
        }
    };
    rig.Start();

    ASSERT_EQ(seen.size(), 2u);
    for (const HookShare& record : seen) {
        EXPECT_EQ(Fields(record), (std::vector<unsigned>{0x5150, 0, 1, 1, 0, 0, 0}));
    }
}

TEST(Startup, OlderWindowsDoesNotLookForTools) {
    struct Case {
        const char* name;
        bool versionWorks;
        VersionInfo info;
        bool nt5;
    };
    const Case cases[] = {
        {"XP", true, {5, 1, 2}, true},    {"2000", true, {5, 0, 2}, true},
        {"Vista", true, {6, 0, 2}, true}, {"NT4", true, {4, 0, 2}, false},
        {"Me", true, {4, 90, 1}, false},  {"version call fails", false, {5, 1, 2}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MainFormRig rig;
        rig.version.Works = c.versionWorks;
        rig.version.Info = c.info;
        rig.libraries.Available.erase("Tools.dll"); // only matters where it is looked for
        rig.Start();
        EXPECT_EQ(rig.form.IsNt5OrLater, c.nt5);
        EXPECT_EQ(rig.Called("Load Tools.dll"), c.nt5);
        EXPECT_EQ(rig.Called("Call MouseHookOn"), !c.nt5);
    }
}

constexpr char kNoExport[] = "Cannot find the required DLL functions!";
void Drop(MainFormRig& rig, const char* hookExport) {
    rig.libraries.Available["GWHooks.dll"].erase(hookExport);
}

struct FailureCase {
    const char* name;
    std::function<void(MainFormRig&)> arrange;
    const char* message;
    bool hookLibraryTried;
    std::optional<Journal> shutdown = std::nullopt; // what FormDestroy then does
};

class StartupFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(StartupFailure, ShowsItsMessageSkipsTheRestAndRunsOn) {
    const FailureCase& c = GetParam();
    MainFormRig rig;
    c.arrange(rig);
    rig.Start();

    ASSERT_EQ(rig.boxes.Shown.size(), 1u);
    EXPECT_EQ(rig.boxes.Shown[0], (ShownBox{c.message, "Glidewing", 0x10}));
    EXPECT_EQ(rig.Called("Load GWHooks.dll"), c.hookLibraryTried);
    EXPECT_FALSE(rig.form.Share.Exists());
    // No hook is installed and nothing is applied.
    EXPECT_FALSE(rig.Called("Call KeyboardHookOn"));
    EXPECT_FALSE(rig.Called("Call MouseHookOn"));
    EXPECT_TRUE(rig.Calls({"SPI ", "Reg"}).empty());
    EXPECT_EQ(rig.form.Runtime.ActivateButton, MouseButton::None);
    EXPECT_FALSE(rig.form.Runtime.ScrollEnabled);
    // The settings did reach the controls, and the tray shows them.
    EXPECT_EQ(rig.form.ActivateButtonList.ItemIndex(), 2);
    EXPECT_EQ(rig.form.TrayIcon.Hint(), "Glidewing ");

    // The program still works from its tray: a toggle saves, Configure... opens, Exit ends.
    rig.Do([&] { rig.form.TrayIcon.MouseDown(TMouseButton::Left, 0, {}); });
    EXPECT_EQ(rig.profile.Value("Scroll", "GpEnabled"), "0");
    rig.Do([&] { rig.form.ConfigureItem.Click(); });
    EXPECT_TRUE(rig.form.Visible());
    rig.Do([&] { rig.form.ExitItem.Click(); });
    EXPECT_EQ(rig.formView.Closes, 1);
    EXPECT_EQ(rig.boxes.Shown.size(), 1u);

    // Shutdown skips what the failed start never set, and shows nothing at exit.
    if (c.shutdown) {
        const std::size_t from = rig.journal.size();
        rig.form.FormDestroy();
        EXPECT_EQ(Since(rig, from), *c.shutdown);
        EXPECT_EQ(rig.boxes.Shown.size(), 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, StartupFailure,
    testing::Values(
        FailureCase{"ToolsMissing", [](MainFormRig& r) { r.libraries.Available.erase("Tools.dll"); },
                    "Tools.Dll Not Found !", false, Journal{"SPI_SETCURSORS"}},
        FailureCase{"ToolsWithoutExport", [](MainFormRig& r) { r.libraries.Available["Tools.dll"].clear(); },
                    "Cannot Find the DLL !", false},
        FailureCase{"HookLibraryMissing", [](MainFormRig& r) { r.libraries.Available.erase("GWHooks.dll"); },
                    "GWHooks.Dll Not Found!", true, Journal{"Free Tools.dll", "SPI_SETCURSORS"}},
        FailureCase{"HookLibraryMissingOnOlderWindows",
                    [](MainFormRig& r) {
                        r.version.Info = {4, 0, 2};
                        r.libraries.Available.erase("GWHooks.dll");
                    },
                    "GWHooks.Dll Not Found!", true, Journal{"SPI_SETCURSORS"}},
        FailureCase{"KeyboardHookOnMissing", [](MainFormRig& r) { Drop(r, "KeyboardHookOn"); }, kNoExport,
                    true},
        FailureCase{"KeyboardHookOffMissing", [](MainFormRig& r) { Drop(r, "KeyboardHookOff"); }, kNoExport,
                    true,
                    Journal{"Free Tools.dll", "SPI_SETCURSORS", "Call MouseHookOff", "Free GWHooks.dll"}},
        FailureCase{"MouseHookOnMissing", [](MainFormRig& r) { Drop(r, "MouseHookOn"); }, kNoExport, true},
        FailureCase{"MouseHookOffMissing", [](MainFormRig& r) { Drop(r, "MouseHookOff"); }, kNoExport, true},
        FailureCase{"SectionNotCreated", [](MainFormRig& r) { r.section.CreateFails = true; },
                    "Error while create file!", true,
                    Journal{"Free Tools.dll", "SPI_SETCURSORS", "Call KeyboardHookOff", "Call MouseHookOff",
                            "Free GWHooks.dll"}},
        FailureCase{"SectionNotMapped", [](MainFormRig& r) { r.section.MapFails = true; },
                    "Error while create file!", true,
                    Journal{"Free Tools.dll", "SPI_SETCURSORS", "Call KeyboardHookOff", "Call MouseHookOff",
                            "Free GWHooks.dll", "CloseHandle 119"}}),
    [](const testing::TestParamInfo<FailureCase>& param) { return param.param.name; });

TEST(Startup, WithoutAMainWindowTheProgramShutsDownAndEndsWithAnErrorCode) {
    for (const bool window : {true, false}) {
        SCOPED_TRACE(window ? "window made" : "no window");
        MainFormRig rig;
        if (!window) {
            rig.formView.Window = {};
        }
        EXPECT_EQ(StartMainForm(rig.form, rig.application), window ? 0 : kNoMainWindowExitCode);
        EXPECT_TRUE(rig.Called("Call MouseHookOn"));
        // Without the window nothing may stay behind: no hooks, no record, the user's cursors.
        EXPECT_EQ(rig.Called("Call MouseHookOff"), !window);
        EXPECT_EQ(rig.Called("Free GWHooks.dll"), !window);
        EXPECT_EQ(rig.form.Share.Exists(), window);
        const std::vector<ShownBox> box = {{kNoMainWindowMessage, "Glidewing", 0x10}};
        EXPECT_EQ(rig.boxes.Shown, window ? std::vector<ShownBox>{} : box);
    }
}

TEST(Startup, MissingExportKeepsTheLibraryAndTheAddressesFound) {
    MainFormRig rig;
    rig.libraries.Available["GWHooks.dll"].erase("MouseHookOn");
    rig.Start();
    EXPECT_TRUE(rig.form.HookLibraryModule);
    EXPECT_TRUE(rig.form.KeyboardHookOnEntry);
    EXPECT_TRUE(rig.form.KeyboardHookOffEntry);
    EXPECT_FALSE(rig.form.MouseHookOnEntry);
    EXPECT_TRUE(rig.form.MouseHookOffEntry);
    EXPECT_FALSE(rig.Called("CreateFileMapping PaneBridge1201 12"));
}

TEST(Shutdown, FreesEverythingInOrderAfterAFullStart) {
    MainFormRig rig;
    rig.Start();
    std::vector<int> pausedAtUnhook;
    rig.libraries.OnCall = [&](const std::string&) {
        pausedAtUnhook.push_back(rig.section.Record.HooksPaused);
    };
    const std::size_t from = rig.journal.size();
    rig.form.FormDestroy();

    const std::vector<std::string> expected = {
        "Free Tools.dll", "SPI_SETCURSORS",  "Call KeyboardHookOff", "Call MouseHookOff", "Free GWHooks.dll",
        "Unmap",          "CloseHandle 119", "Unmap aside",          "CloseHandle 120",
    };
    EXPECT_EQ(Since(rig, from), expected);
    EXPECT_EQ(pausedAtUnhook, (std::vector<int>{1, 1})); // paused before either hook goes
    EXPECT_FALSE(rig.form.ScratchImage);
    EXPECT_FALSE(rig.form.TrayImage);
    EXPECT_FALSE(rig.form.Share.Exists());
}

TEST(Shutdown, TheFormGoingLetsGoOnlyWhatTheShutdownSequenceDidNot) {
    struct Case {
        const char* name;
        bool shutDownFirst;
        std::vector<std::string> expected; // at the form's end
    };
    const Case cases[] = {
        {"after FormDestroy", true, {}},
        {"without FormDestroy",
         false,
         {"Call KeyboardHookOff", "Call MouseHookOff", "Free GWHooks.dll", "Unmap", "CloseHandle 119",
          "Unmap aside", "CloseHandle 120", "Free Tools.dll"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MainFormRig rig;
        auto form = std::make_unique<TMainForm>(rig.application, rig.Seams());
        form->SetView(&rig.formView);
        rig.Do([&] { form->FormCreate(); });
        if (c.shutDownFirst) {
            form->FormDestroy();
        }
        std::vector<int> pausedAtUnhook;
        rig.libraries.OnCall = [&](const std::string&) {
            pausedAtUnhook.push_back(rig.section.Record.HooksPaused);
        };
        const std::size_t from = rig.journal.size();
        form.reset();
        EXPECT_EQ(Since(rig, from), c.expected);
        EXPECT_EQ(pausedAtUnhook, std::vector<int>(c.shutDownFirst ? 0 : 2, 1));
    }
}

// A monitor left of or above the primary one has negative positions: the halves are signed.
TEST(HookMessages, DecodeTheMessageItsFlagAndTheSignedHalvesOfThePosition) {
    struct Case {
        std::uintptr_t wParam;
        std::intptr_t lParam;
        std::uint32_t message;
        Point at;
        bool swallowed;
    };
    const Case cases[] = {
        {0x201, static_cast<std::intptr_t>(PackHookPosition(10, 20)), 0x201, {10, 20}, false},
        {0x200, static_cast<std::intptr_t>(PackHookPosition(-1, 5)), 0x200, {-1, 5}, false},
        {0x204, static_cast<std::intptr_t>(PackHookPosition(1599, -2)), 0x204, {1599, -2}, false},
        {0x204, static_cast<std::intptr_t>(PackHookPosition(-1920, -1080)), 0x204, {-1920, -1080}, false},
        {0x200, static_cast<std::intptr_t>(PackHookPosition(-32768, 32767)), 0x200, {-32768, 32767}, false},
        {0x20A, static_cast<std::intptr_t>(0x7FFF0000u | 3u), 0x20A, {3, 0x7FFF}, false},
        // Whatever lies above the 32 packed bits of a 64-bit lParam is noise.
        {0x200, static_cast<std::intptr_t>(0xFFFF'0000'0005'0006ull), 0x200, {6, 5}, false},
        {0x10204, static_cast<std::intptr_t>(PackHookPosition(7, 8)), 0x204, {7, 8}, true},
        {0x100A2, static_cast<std::intptr_t>(PackHookPosition(7, 8)), 0xA2, {7, 8}, true},
        // A flag bit the program does not know yet leaves the id and the swallow flag alone.
        {0x20205, static_cast<std::intptr_t>(PackHookPosition(7, 8)), 0x205, {7, 8}, false},
        {0x30205, static_cast<std::intptr_t>(PackHookPosition(7, 8)), 0x205, {7, 8}, true},
    };
    for (const Case& c : cases) {
        const HookMouseEvent event = DecodeHookMouse(c.wParam, c.lParam);
        EXPECT_EQ(event.Message, c.message);
        EXPECT_EQ(event.At, c.at);
        EXPECT_EQ(event.Swallowed, c.swallowed) << std::hex << c.wParam;
    }
    const HookKeyEvent key = DecodeHookKey(0x41, static_cast<std::intptr_t>(0x001E0001));
    EXPECT_EQ(key.VirtualKey, 0x41u);
    EXPECT_EQ(key.Flags, 0x001E0001u);
}

} // namespace
} // namespace gw::test
