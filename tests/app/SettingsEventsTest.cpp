// The three copies of the settings (controls, runtime fields, file) through every event of the
// configuration window, and the reading rules at the edges.

#include "Fakes.h"

#include <gtest/gtest.h>

namespace gw::test {
namespace {

constexpr char kIniPath[] = "C:\\Program Files\\Glidewing\\GWing.ini";

// A started program whose configuration window is open.
struct OpenWindow : MainFormRig {
    OpenWindow() {
        Start();
        Do([this] { form.Glidewing1.Click(); });
        ClearRecords();
    }
};

TEST(SettingsFileOrder, EveryKeyIsReadAndSavedOnceInTableOrderThenTheApplications) {
    const std::pair<const char*, const char*> keys[] = {{"Scroll/LiveKey", "2"},
                                                        {"Scroll/SpeedX", "10"},
                                                        {"Scroll/SpeedY", "20"},
                                                        {"Tools/Check_zhlrj", "0"},
                                                        {"Tools/Check_ctype", "0"},
                                                        {"Tools/Check_dwan", "0"},
                                                        {"popdesk/deskactive", "0"},
                                                        {"popdesk/desktopuse", "0"},
                                                        {"popdesk/desktoptime", "0"},
                                                        {"Scroll/ScrollModeA", "0"},
                                                        {"Scroll/ScrollModeB", "1"},
                                                        {"Scroll/GpEnabled", "1"},
                                                        {"Tools/Check_autorun", "1"},
                                                        {"Scroll/MoveLock", "0"},
                                                        {"Scroll/MoveBack", "0"},
                                                        {"Scroll/Inverse", "0"},
                                                        {"Scroll/AutoFollow", "0"},
                                                        {"popdesk/everymonitor", "0"},
                                                        {"Applications/FullScreenAside", "1"}};
    std::vector<std::string> reads, writes;
    for (const auto& [key, value] : keys) {
        reads.push_back(std::string("ReadProfile ") + key);
        writes.push_back(std::string(key) + "=" + value);
    }
    MainFormRig rig;
    rig.Start();
    EXPECT_EQ(rig.Calls({"ReadProfile"}), reads);
    rig.Do([&] { rig.form.Glidewing1.Click(); });
    rig.ClearRecords();
    rig.form.SaveSettings();
    EXPECT_EQ(rig.profile.Writes, writes);
    EXPECT_EQ(rig.profile.Paths, (std::set<std::string>{kIniPath}));
}

TEST(SettingsEvents, OkSavesAppliesAndHidesWithTheTimerStopped) {
    OpenWindow rig;
    TMainForm& f = rig.form;
    f.Check_zhlrj.SetChecked(true);
    f.Combo_KZFS.UserSelect(1);
    f.TrackBar_hx.SetPosition(33);
    f.CheckBox_follow.SetChecked(true);
    std::vector<bool> timerDuringWrites;
    rig.profile.OnWrite = [&] { timerDuringWrites.push_back(f.DeskTrigger.Timer().Enabled()); };

    rig.Do([&] { f.BitBtn_ok.Click(); });

    EXPECT_EQ(rig.profile.Writes.size(), kSavedKeys);
    EXPECT_EQ(rig.profile.Value("Tools", "Check_zhlrj"), "1");
    EXPECT_EQ(rig.profile.Value("Scroll", "ScrollModeA"), "1");
    EXPECT_EQ(rig.profile.Value("Scroll", "SpeedX"), "33");
    EXPECT_EQ(rig.profile.Value("Scroll", "AutoFollow"), "1");
    EXPECT_EQ(timerDuringWrites, std::vector<bool>(kSavedKeys, false));
    EXPECT_TRUE(f.Runtime.SwapButtons);
    EXPECT_TRUE(f.Runtime.ToggleMode);
    EXPECT_EQ(f.Runtime.SpeedX, 33);
    EXPECT_TRUE(f.Runtime.AutoFollow);
    EXPECT_TRUE(f.menu_toggle.Checked());
    EXPECT_EQ(rig.Calls({"SPI "}), (std::vector<std::string>{"SPI 33 1 0", "SPI 96 0 2"}));
    EXPECT_FALSE(f.Visible());
    EXPECT_FALSE(f.BitBtn_Apply.Enabled());
    EXPECT_EQ(f.DeskTrigger.Timer().Enabled(), f.Runtime.PopDeskEnabled);
    EXPECT_TRUE(rig.boxes.Shown.empty());
}

TEST(SettingsEvents, ApplyAppliesWithoutWritingTheFile) {
    OpenWindow rig;
    TMainForm& f = rig.form;
    f.Check_ctype.SetChecked(true);
    f.ComboBox_aj.UserSelect(0);
    f.CheckBox_follow.SetChecked(true);
    rig.Do([&] { f.BitBtn_Apply.Click(); });

    EXPECT_TRUE(rig.profile.Writes.empty());
    EXPECT_TRUE(f.Runtime.HideWhileTyping);
    EXPECT_TRUE(f.Runtime.AutoFollow);
    EXPECT_EQ(f.Runtime.ActivateButton, 1);
    EXPECT_EQ(rig.section.Record.ActivateButton, 1);
    EXPECT_EQ(rig.section.Record.ReportKeys, 1);
    EXPECT_TRUE(f.Visible());
    EXPECT_FALSE(f.BitBtn_Apply.Enabled());
    EXPECT_EQ(f.DeskTrigger.Timer().Enabled(), f.Runtime.PopDeskEnabled);
}

// "On every monitor" goes the way of the other PopDesk options: Apply puts it in force, OK also
// writes it, at the end of [popdesk], after the keys that were there before it.
TEST(SettingsEvents, EveryMonitorIsAppliedByApplyAndSavedByOk) {
    OpenWindow rig;
    TMainForm& f = rig.form;
    EXPECT_FALSE(f.Runtime.PopDeskEveryMonitor);
    f.chb_everymonitor.SetChecked(true);
    EXPECT_FALSE(f.Runtime.PopDeskEveryMonitor);

    rig.Do([&] { f.BitBtn_Apply.Click(); });
    EXPECT_TRUE(f.Runtime.PopDeskEveryMonitor);
    EXPECT_TRUE(rig.profile.Writes.empty());

    f.chb_everymonitor.SetChecked(false);
    rig.Do([&] { f.BitBtn_ok.Click(); });
    EXPECT_FALSE(f.Runtime.PopDeskEveryMonitor);
    std::vector<std::string> popdesk;
    for (const std::string& write : rig.profile.Writes) {
        if (write.rfind("popdesk/", 0) == 0) {
            popdesk.push_back(write);
        }
    }
    EXPECT_EQ(popdesk, (std::vector<std::string>{"popdesk/deskactive=0", "popdesk/desktopuse=0",
                                                 "popdesk/desktoptime=0", "popdesk/everymonitor=0"}));
    EXPECT_EQ(rig.profile.Writes.at(rig.profile.Writes.size() - 2), "popdesk/everymonitor=0");
}

TEST(SettingsEvents, CancelKeepsTheEditsAndAppliesNothing) {
    OpenWindow rig;
    TMainForm& f = rig.form;
    f.CheckBox_lock.SetChecked(true);
    rig.Do([&] { f.BitBtn_Cancel.Click(); });

    EXPECT_TRUE(f.CheckBox_lock.Checked());
    EXPECT_FALSE(f.Runtime.MoveLock);
    EXPECT_TRUE(rig.journal.empty()); // nothing read, written, applied
    EXPECT_TRUE(rig.profile.Writes.empty());
    EXPECT_FALSE(f.Visible());
    EXPECT_FALSE(f.BitBtn_Apply.Enabled());
}

// What the page shows of the values Configure... puts back.
std::vector<int> RestoredControls(const TMainForm& f) {
    return {f.ComboBox_aj.ItemIndex(),    f.TrackBar_hx.Position(),   f.TrackBar_zx.Position(),
            f.Check_zhlrj.Checked(),      f.Check_ctype.Checked(),    f.Check_dwan.Checked(),
            f.chb_deskpop.Checked(),      f.GroupBox4.Enabled(),      f.cb_deskactive.ItemIndex(),
            f.Combo_KZFS.ItemIndex(),     f.Combo_GPFS.ItemIndex(),   f.CheckBox_GP.Checked(),
            f.CheckBox_lock.Checked(),    f.CheckBox_back.Checked(),  f.CheckBox_Inverse.Checked(),
            f.chb_everymonitor.Checked(), f.CheckBox_follow.Checked()};
}

TEST(SettingsEvents, ConfigurePutsBackTheAppliedValuesExceptAutorunAndWait) {
    OpenWindow rig;
    TMainForm& f = rig.form;
    const std::vector<int> applied = RestoredControls(f);
    EXPECT_EQ(applied, (std::vector<int>{2, 10, 20, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0}));
    f.ComboBox_aj.UserSelect(0);
    f.TrackBar_hx.SetPosition(50);
    f.TrackBar_zx.SetPosition(1);
    f.Check_zhlrj.SetChecked(true);
    f.Check_ctype.SetChecked(true);
    f.Check_dwan.SetChecked(true);
    f.chb_deskpop.SetChecked(true);
    f.cb_deskactive.UserSelect(3);
    f.Combo_KZFS.UserSelect(1);
    f.Combo_GPFS.UserSelect(0);
    f.CheckBox_GP.SetChecked(false);
    f.CheckBox_lock.SetChecked(true);
    f.CheckBox_back.SetChecked(true);
    f.CheckBox_Inverse.SetChecked(true);
    f.chb_everymonitor.SetChecked(true);
    f.CheckBox_follow.SetChecked(true);
    f.Check_autorun.SetChecked(false);
    f.cb_desktoptime.UserSelect(6);
    rig.Do([&] { f.BitBtn_Cancel.Click(); });

    rig.Do([&] { f.Glidewing1.Click(); });
    EXPECT_EQ(RestoredControls(f), applied);
    // Not refreshed: they keep the unapplied edit, which the next OK applies and saves.
    EXPECT_FALSE(f.Check_autorun.Checked());
    EXPECT_EQ(f.cb_desktoptime.ItemIndex(), 6);
    EXPECT_TRUE(f.Visible());
    EXPECT_FALSE(f.BitBtn_Apply.Enabled());
    EXPECT_TRUE(rig.profile.Writes.empty());

    rig.Do([&] { f.BitBtn_ok.Click(); });
    EXPECT_FALSE(f.Runtime.AutoRun);
    EXPECT_EQ(f.Runtime.PopDeskDelay, 5000);
    EXPECT_EQ(rig.profile.Value("popdesk", "desktoptime"), "6");
    EXPECT_EQ(rig.profile.Value("Tools", "Check_autorun"), "0");
}

// Slider moves take effect at once (the scroll output reads them), Cancel or not; a double click
// shows the window as it was left, Configure... puts back the applied values.
TEST(SettingsEvents, DoubleClickShowsTheWindowAsItWasLeftConfigureRestoresTheSliders) {
    OpenWindow rig;
    TMainForm& f = rig.form;
    f.TrackBar_hx.SetPosition(60);
    f.TrackBar_zx.SetPosition(44);
    rig.Do([&] { f.BitBtn_Cancel.Click(); });
    EXPECT_EQ(f.TrackBar_hx.Position(), 60);
    rig.Do([&] { f.CoolTrayIcon1.DblClick(); });

    EXPECT_TRUE(f.Visible());
    EXPECT_EQ(f.TrackBar_zx.Position(), 44);
    EXPECT_EQ(f.Runtime.SpeedY, 20);
    EXPECT_TRUE(rig.profile.Writes.empty());
    rig.Do([&] { f.Glidewing1.Click(); });
    EXPECT_EQ(f.TrackBar_hx.Position(), 10);
}

TEST(SettingsEvents, EveryChangeHandlerEnablesApply) {
    struct Case {
        const char* name;
        std::function<void(TMainForm&)> change;
    };
    const Case cases[] = {
        {"CheckBox_GP", [](TMainForm& f) { f.CheckBox_GP.SetChecked(false); }},
        {"Combo_KZFS", [](TMainForm& f) { f.Combo_KZFS.UserSelect(1); }},
        {"Combo_GPFS", [](TMainForm& f) { f.Combo_GPFS.UserSelect(0); }},
        {"ComboBox_aj", [](TMainForm& f) { f.ComboBox_aj.UserSelect(1); }},
        {"CheckBox_lock", [](TMainForm& f) { f.CheckBox_lock.SetChecked(true); }},
        {"CheckBox_back", [](TMainForm& f) { f.CheckBox_back.SetChecked(true); }},
        {"CheckBox_Inverse", [](TMainForm& f) { f.CheckBox_Inverse.SetChecked(true); }},
        {"CheckBox_follow", [](TMainForm& f) { f.CheckBox_follow.SetChecked(true); }},
        {"TrackBar_hx", [](TMainForm& f) { f.TrackBar_hx.SetPosition(11); }},
        {"TrackBar_zx", [](TMainForm& f) { f.TrackBar_zx.SetPosition(21); }},
        {"Check_zhlrj", [](TMainForm& f) { f.Check_zhlrj.SetChecked(true); }},
        {"Check_ctype", [](TMainForm& f) { f.Check_ctype.SetChecked(true); }},
        {"Check_dwan", [](TMainForm& f) { f.Check_dwan.SetChecked(true); }},
        {"chb_deskpop", [](TMainForm& f) { f.chb_deskpop.SetChecked(true); }},
        {"cb_deskactive", [](TMainForm& f) { f.cb_deskactive.UserSelect(2); }},
        {"cb_desktoptime", [](TMainForm& f) { f.cb_desktoptime.UserSelect(3); }},
        {"chb_everymonitor", [](TMainForm& f) { f.chb_everymonitor.SetChecked(true); }},
        {"Check_autorun", [](TMainForm& f) { f.Check_autorun.SetChecked(false); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenWindow rig;
        ASSERT_FALSE(rig.form.BitBtn_Apply.Enabled());
        c.change(rig.form);
        EXPECT_TRUE(rig.form.BitBtn_Apply.Enabled());
        EXPECT_TRUE(rig.journal.empty()); // and does nothing else
    }
}

TEST(SettingsEvents, ClickingABoxTwiceLeavesApplyEnabledAndApplyRepeatsBothParameters) {
    OpenWindow rig;
    TMainForm& f = rig.form;
    f.Check_dwan.SetChecked(true);
    f.Check_dwan.SetChecked(false);
    EXPECT_TRUE(f.BitBtn_Apply.Enabled());
    rig.Do([&] { f.BitBtn_Apply.Click(); });
    rig.Do([&] { f.BitBtn_Apply.Click(); }); // a disabled button does nothing
    rig.Do([&] { f.BitBtn_applyClick(); });
    EXPECT_EQ(rig.Calls({"SPI "}),
              (std::vector<std::string>{"SPI 33 0 0", "SPI 96 0 2", "SPI 33 0 0", "SPI 96 0 2"}));
}

TEST(SettingsEvents, SystemParametersFollowTheToolsBoxes) {
    struct Case {
        bool swap;
        bool jump;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {false, false, {"SPI 33 0 0", "SPI 96 0 2"}},
        {true, false, {"SPI 33 1 0", "SPI 96 0 2"}},
        {false, true, {"SPI 33 0 0", "SPI 96 1 2"}},
        {true, true, {"SPI 33 1 0", "SPI 96 1 2"}},
    };
    for (const Case& c : cases) {
        OpenWindow rig;
        rig.form.Check_zhlrj.SetChecked(c.swap);
        rig.form.Check_dwan.SetChecked(c.jump);
        rig.Do([&] { rig.form.BitBtn_applyClick(); });
        EXPECT_EQ(rig.Calls({"SPI "}), c.expected);
    }
}

TEST(SettingsEvents, PopDeskBoxEnablesItsOptionsGroup) {
    MainFormRig rig;
    rig.profile.Values[{"popdesk", "desktopuse"}] = "1";
    rig.Start();
    EXPECT_TRUE(rig.form.GroupBox4.Enabled());
    rig.form.chb_deskpop.SetChecked(false);
    EXPECT_FALSE(rig.form.GroupBox4.Enabled());
    rig.form.chb_deskpop.SetChecked(true);
    EXPECT_TRUE(rig.form.GroupBox4.Enabled());
}

TEST(SettingsEvents, ApplyResetsTheGestureAndTheCornerWait) {
    OpenWindow rig;
    TMainForm& f = rig.form;
    // Toggle activation with Auto Scroll on the right button; PopDesk on the top left corner.
    f.Combo_KZFS.SetItemIndex(1);
    f.Combo_GPFS.SetItemIndex(0);
    f.ComboBox_aj.SetItemIndex(2);
    f.CheckBox_GP.SetChecked(true);
    f.chb_deskpop.SetChecked(true);
    f.cb_deskactive.SetItemIndex(0);
    f.cb_desktoptime.SetItemIndex(6);
    rig.Do([&] { f.BitBtn_applyClick(); });

    rig.deskScreen.cursor = Point{0, 0};
    f.DeskTrigger.Timer().Fire();
    ASSERT_EQ(f.DeskTrigger.CornerWait(), 100u);

    // A toggle click on a page, then a move down: the gesture runs with a direction.
    const WindowHandle frame = rig.windows.AddTopLevel("Frame");
    rig.scrollWorld.underCursor = rig.windows.AddChild(frame, "MozillaWindowClass");
    f.HandleHookMouse(win::kWM_RBUTTONDOWN, PackHookPosition(300, 300));
    f.HandleHookMouse(win::kWM_MOUSEMOVE, PackHookPosition(300, 320));
    ASSERT_EQ(f.Engine.State().Toggle, ToggleStage::Pressed);
    ASSERT_EQ(f.Engine.AutoDirection(), ScrollDirection::Down);

    rig.section.Record.CursorShown = 0;
    rig.Do([&] { f.BitBtn_applyClick(); });
    EXPECT_EQ(f.Engine.State().Axis, ScrollAxis::None);
    EXPECT_EQ(f.Engine.AutoDirection(), ScrollDirection::None);
    EXPECT_EQ(f.Engine.State().Toggle, ToggleStage::None);
    EXPECT_EQ(f.DeskTrigger.CornerWait(), 0u);
    EXPECT_EQ(rig.section.Record.CursorShown, 1);
    EXPECT_EQ(f.Engine.State().Phase, GesturePhase::AutoScroll); // the gesture itself goes on
}

TEST(SettingsEvents, ApplyTouchesTheScrollSwitchAndIconOnlyWhenTheSettingChanged) {
    OpenWindow rig;
    TMainForm& f = rig.form;
    f.CoolTrayIcon1.SetIconIndex(1); // a stale picture stays, as the switch already agrees
    rig.Do([&] { f.BitBtn_applyClick(); });
    EXPECT_EQ(f.CoolTrayIcon1.IconIndex(), 1);

    f.CheckBox_GP.SetChecked(false);
    f.CoolTrayIcon1.SetIconIndex(0);
    rig.Do([&] { f.BitBtn_applyClick(); });
    EXPECT_EQ(rig.section.Record.ScrollEnabled, 0);
    EXPECT_EQ(f.CoolTrayIcon1.IconIndex(), 1);
    EXPECT_FALSE(f.Menu_GpEnabled.Checked());

    f.CheckBox_GP.SetChecked(true);
    rig.Do([&] { f.BitBtn_applyClick(); });
    EXPECT_EQ(rig.section.Record.ScrollEnabled, 1);
    EXPECT_EQ(f.CoolTrayIcon1.IconIndex(), 0);
}

TEST(SettingsEvents, ApplyWorksWithoutTheRecordAfterAFailedStart) {
    MainFormRig rig;
    rig.libraries.Available.erase("GWHooks.dll");
    rig.Start();
    rig.ClearRecords();
    rig.form.CheckBox_GP.SetChecked(false);
    rig.Do([&] { rig.form.BitBtn_applyClick(); });
    EXPECT_TRUE(rig.boxes.Shown.empty());
    EXPECT_FALSE(rig.form.Runtime.ScrollEnabled);
    EXPECT_EQ(rig.form.Runtime.ActivateButton, 3);
    EXPECT_EQ(rig.form.CoolTrayIcon1.IconIndex(), 1);
    EXPECT_EQ(rig.Calls({"SPI "}).size(), 2u);
}

TEST(SettingsEvents, FailedSaveOnOkAppliesNothingAndLeavesTheWindowOpen) {
    OpenWindow rig;
    TMainForm& f = rig.form;
    rig.profile.FailAtKey = "SpeedY";
    f.Check_zhlrj.SetChecked(true);
    rig.Do([&] { f.BitBtn_ok.Click(); });

    ASSERT_EQ(rig.boxes.Shown.size(), 1u);
    EXPECT_EQ(rig.boxes.Shown[0],
              (ShownBox{std::string("Unable to write to ") + kIniPath, "Glidewing", 0x10}));
    EXPECT_EQ(rig.profile.Writes, (std::vector<std::string>{"Scroll/LiveKey=2", "Scroll/SpeedX=10"}));
    EXPECT_FALSE(f.Runtime.SwapButtons);
    EXPECT_TRUE(rig.Calls({"SPI ", "Reg"}).empty());
    EXPECT_TRUE(f.Visible());
    EXPECT_TRUE(f.BitBtn_Apply.Enabled());
    EXPECT_EQ(f.DeskTrigger.Timer().Enabled(),
              f.Runtime.PopDeskEnabled); // PopDesk keeps working after the failure
}

// One stored value: what the control shows, and the next save writes back the same.
TEST(StoredValues, EdgesAreReadShownAndSavedBack) {
    using Shown = int (*)(const TMainForm&);
    const Shown speedX = [](const TMainForm& f) { return f.TrackBar_hx.Position(); };
    const Shown speedY = [](const TMainForm& f) { return f.TrackBar_zx.Position(); };
    const Shown key = [](const TMainForm& f) { return f.ComboBox_aj.ItemIndex(); };
    const Shown modeA = [](const TMainForm& f) { return f.Combo_KZFS.ItemIndex(); };
    const Shown corner = [](const TMainForm& f) { return f.cb_deskactive.ItemIndex(); };
    const Shown wait = [](const TMainForm& f) { return f.cb_desktoptime.ItemIndex(); };
    const Shown enabled = [](const TMainForm& f) { return int(f.CheckBox_GP.Checked()); };
    const Shown swap = [](const TMainForm& f) { return int(f.Check_zhlrj.Checked()); };
    const Shown autorun = [](const TMainForm& f) { return int(f.Check_autorun.Checked()); };
    const Shown everyMonitor = [](const TMainForm& f) { return int(f.chb_everymonitor.Checked()); };
    const Shown follow = [](const TMainForm& f) { return int(f.CheckBox_follow.Checked()); };
    const struct {
        const char* section;
        const char* key;
        const char* stored;
        Shown shown;
        int expected;
    } cases[] = {{"Scroll", "SpeedX", "0x10", speedX, 16},
                 {"Scroll", "SpeedX", "0X1f", speedX, 31},
                 {"Scroll", "SpeedX", "$20", speedX, 32},
                 {"Scroll", "SpeedX", "99", speedX, 60},
                 {"Scroll", "SpeedX", "abc", speedX, 10},
                 {"Scroll", "SpeedX", "", speedX, 10},
                 {"Scroll", "SpeedY", "-5", speedY, 0},
                 {"Scroll", "SpeedY", "12.5", speedY, 20},
                 {"Scroll", "GpEnabled", "2", enabled, 1},
                 {"Scroll", "GpEnabled", "0", enabled, 0},
                 {"Tools", "Check_zhlrj", "true", swap, 0},
                 {"Tools", "Check_zhlrj", "-1", swap, 1},
                 {"Tools", "Check_autorun", "yes", autorun, 1},
                 {"Scroll", "LiveKey", "5", key, -1},
                 {"Scroll", "LiveKey", "-1", key, -1},
                 {"Scroll", "LiveKey", "0x1", key, 1},
                 {"Scroll", "LiveKey", "0x", key, 2}, // a prefix alone is no number
                 {"Scroll", "LiveKey", "$1", key, 1},
                 {"Scroll", "ScrollModeA", "-1", modeA, -1},
                 {"popdesk", "deskactive", "7", corner, -1},
                 {"popdesk", "desktoptime", "9", wait, -1},
                 {"popdesk", "desktoptime", "4", wait, 4},
                 {"popdesk", "everymonitor", "1", everyMonitor, 1},
                 {"popdesk", "everymonitor", "2", everyMonitor, 1},
                 {"popdesk", "everymonitor", "x", everyMonitor, 0},
                 {"Scroll", "AutoFollow", "1", follow, 1},
                 {"Scroll", "AutoFollow", "0x2", follow, 1},
                 {"Scroll", "AutoFollow", "on", follow, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.stored);
        MainFormRig rig;
        rig.profile.Values[{c.section, c.key}] = c.stored;
        rig.Start();
        EXPECT_TRUE(rig.boxes.Shown.empty());
        EXPECT_EQ(c.shown(rig.form), c.expected);
        rig.form.SaveSettings();
        EXPECT_EQ(rig.profile.Value(c.section, c.key), std::to_string(c.expected));
    }
}

TEST(StoredValueEffects, NoActivationKeyLeavesTheButtonUnset) {
    MainFormRig rig;
    rig.profile.Values[{"Scroll", "LiveKey"}] = "5";
    rig.Start();
    EXPECT_EQ(rig.form.Runtime.ActivateKeyIndex, -1);
    EXPECT_EQ(rig.form.Runtime.ActivateButton, 0);
    EXPECT_EQ(rig.section.Record.ActivateButton, 0);

    // A later choice takes; a later "no selection" keeps the last button.
    rig.form.ComboBox_aj.UserSelect(1);
    rig.Do([&] { rig.form.BitBtn_applyClick(); });
    EXPECT_EQ(rig.section.Record.ActivateButton, 2);
    rig.form.ComboBox_aj.SetItemIndex(-1);
    rig.Do([&] { rig.form.BitBtn_applyClick(); });
    EXPECT_EQ(rig.form.Runtime.ActivateButton, 2);
}

TEST(StoredValueEffects, NoModeSelectionMeansToggleAndMoveScroll) {
    MainFormRig rig;
    rig.profile.Values[{"Scroll", "ScrollModeA"}] = "-1";
    rig.profile.Values[{"Scroll", "ScrollModeB"}] = "3";
    rig.Start();
    EXPECT_TRUE(rig.form.Runtime.ToggleMode);
    EXPECT_TRUE(rig.form.menu_toggle.Checked());
    EXPECT_FALSE(rig.form.menu_classic.Checked());
    EXPECT_TRUE(rig.form.Runtime.MoveScrollMode);
    EXPECT_TRUE(rig.form.Menu_move.Checked());
}

TEST(StoredValueEffects, CornerAndWaitOutsideTheirLists) {
    struct Case {
        const char* corner;
        const char* wait;
        int expectedCorner;
        int expectedDelay;
    };
    const Case cases[] = {
        {"7", "9", -1, 100}, // no wait selected: the first entry's 100 ms
        {"3", "6", 3, 5000},
        {"1", "-1", 1, 100},
        {"0", "3", 0, 500},
    };
    for (const Case& c : cases) {
        MainFormRig rig;
        rig.profile.Values[{"popdesk", "deskactive"}] = c.corner;
        rig.profile.Values[{"popdesk", "desktoptime"}] = c.wait;
        rig.profile.Values[{"popdesk", "desktopuse"}] = "1";
        rig.Start();
        EXPECT_TRUE(rig.boxes.Shown.empty());
        EXPECT_EQ(rig.form.Runtime.PopDeskCorner, c.expectedCorner);
        EXPECT_EQ(rig.form.Runtime.PopDeskDelay, c.expectedDelay);
        EXPECT_TRUE(rig.form.Runtime.PopDeskEnabled);
        EXPECT_FALSE(rig.form.BitBtn_Apply.Enabled()); // the apply ran to its end
    }
}

// Stopped before the apply: the loaded values still enable Apply (they changed boxes and
// sliders) and pick the tray picture.
TEST(StoredValueEffects, WithoutTheApplyLoadingEnablesApplyAndSetsTheIcon) {
    for (const bool enabled : {true, false}) {
        MainFormRig rig;
        rig.version.Info = {4, 0, 2};
        rig.profile.Values[{"Scroll", "GpEnabled"}] = enabled ? "1" : "0";
        rig.libraries.Available.erase("GWHooks.dll");
        rig.Start();
        EXPECT_TRUE(rig.form.BitBtn_Apply.Enabled());
        EXPECT_EQ(rig.form.CoolTrayIcon1.IconIndex(), enabled ? 0 : 1);
    }
}

} // namespace
} // namespace gw::test
