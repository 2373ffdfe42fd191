// The settings through every event of the configuration window (the window's draft, the settings
// in force, the file), and what stored values outside their lists mean. Each key on its own goes
// the whole way round in SettingRowsTest.cpp.

#include "Fakes.h"

#include <gtest/gtest.h>

namespace gw::test {
namespace {

constexpr char kIniPath[] = "C:\\Program Files\\Glidewing\\GWing.ini";

// A started program whose configuration window is open.
struct OpenWindow : MainFormRig {
    OpenWindow() {
        Start();
        Do([this] { form.ConfigureItem.Click(); });
        ClearRecords();
    }
};

TEST(SettingsEvents, OkSavesAppliesAndHidesWithTheTimerStopped) {
    OpenWindow rig;
    TMainForm& f = rig.form;
    f.SwapButtonsBox.SetChecked(true);
    f.ActivationModeList.UserSelect(1);
    f.SpeedXSlider.SetPosition(33);
    f.AutoFollowBox.SetChecked(true);
    std::vector<bool> timerDuringWrites;
    rig.profile.OnWrite = [&] { timerDuringWrites.push_back(f.DeskTrigger.Timer().Enabled()); };

    rig.Do([&] { f.OkButton.Click(); });

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
    EXPECT_TRUE(f.ToggleItem.Checked());
    EXPECT_EQ(rig.Calls({"SPI "}), (std::vector<std::string>{"SPI 33 1 0", "SPI 96 0 2"}));
    EXPECT_FALSE(f.Visible());
    EXPECT_FALSE(f.ApplyButton.Enabled());
    EXPECT_EQ(f.DeskTrigger.Timer().Enabled(), f.Runtime.PopDeskEnabled);
    EXPECT_TRUE(rig.boxes.Shown.empty());
}

TEST(SettingsEvents, ApplyAppliesWithoutWritingTheFile) {
    OpenWindow rig;
    TMainForm& f = rig.form;
    f.HideWhileTypingBox.SetChecked(true);
    f.ActivateButtonList.UserSelect(0);
    f.AutoFollowBox.SetChecked(true);
    rig.Do([&] { f.ApplyButton.Click(); });

    EXPECT_TRUE(rig.profile.Writes.empty());
    EXPECT_TRUE(f.Runtime.HideWhileTyping);
    EXPECT_TRUE(f.Runtime.AutoFollow);
    EXPECT_EQ(f.Runtime.ActivateButton, MouseButton::Left);
    EXPECT_EQ(rig.section.Record.ActivateButton, 1);
    EXPECT_EQ(rig.section.Record.ReportKeys, 1);
    EXPECT_TRUE(f.Visible());
    EXPECT_FALSE(f.ApplyButton.Enabled());
    EXPECT_EQ(f.DeskTrigger.Timer().Enabled(), f.Runtime.PopDeskEnabled);
}

TEST(SettingsEvents, CancelKeepsTheEditsAndAppliesNothing) {
    OpenWindow rig;
    TMainForm& f = rig.form;
    f.MoveLockBox.SetChecked(true);
    rig.Do([&] { f.CancelButton.Click(); });

    EXPECT_TRUE(f.MoveLockBox.Checked());
    EXPECT_FALSE(f.Runtime.MoveLock);
    EXPECT_TRUE(rig.journal.empty()); // nothing read, written, applied
    EXPECT_TRUE(rig.profile.Writes.empty());
    EXPECT_FALSE(f.Visible());
    EXPECT_FALSE(f.ApplyButton.Enabled());
}

// What the page shows of the values Configure... puts back.
std::vector<int> RestoredControls(const TMainForm& f) {
    return {
        f.ActivateButtonList.ItemIndex(), f.SpeedXSlider.Position(),       f.SpeedYSlider.Position(),
        f.SwapButtonsBox.Checked(),       f.HideWhileTypingBox.Checked(),  f.JumpToDefaultBox.Checked(),
        f.PopDeskBox.Checked(),           f.PopDeskOptionsGroup.Enabled(), f.PopDeskCornerList.ItemIndex(),
        f.ActivationModeList.ItemIndex(), f.ScrollModeList.ItemIndex(),    f.ScrollEnabledBox.Checked(),
        f.MoveLockBox.Checked(),          f.MoveBackBox.Checked(),         f.InverseBox.Checked(),
        f.EveryMonitorBox.Checked(),      f.AutoFollowBox.Checked()};
}

TEST(SettingsEvents, ConfigurePutsBackTheAppliedValuesExceptAutorunAndWait) {
    OpenWindow rig;
    TMainForm& f = rig.form;
    const std::vector<int> applied = RestoredControls(f);
    EXPECT_EQ(applied, (std::vector<int>{2, 10, 20, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0}));
    f.ActivateButtonList.UserSelect(0);
    f.SpeedXSlider.SetPosition(50);
    f.SpeedYSlider.SetPosition(1);
    f.SwapButtonsBox.SetChecked(true);
    f.HideWhileTypingBox.SetChecked(true);
    f.JumpToDefaultBox.SetChecked(true);
    f.PopDeskBox.SetChecked(true);
    f.PopDeskCornerList.UserSelect(3);
    f.ActivationModeList.UserSelect(1);
    f.ScrollModeList.UserSelect(0);
    f.ScrollEnabledBox.SetChecked(false);
    f.MoveLockBox.SetChecked(true);
    f.MoveBackBox.SetChecked(true);
    f.InverseBox.SetChecked(true);
    f.EveryMonitorBox.SetChecked(true);
    f.AutoFollowBox.SetChecked(true);
    f.AutoRunBox.SetChecked(false);
    f.PopDeskDelayList.UserSelect(6);
    rig.Do([&] { f.CancelButton.Click(); });

    rig.Do([&] { f.ConfigureItem.Click(); });
    EXPECT_EQ(RestoredControls(f), applied);
    // Not refreshed: they keep the unapplied edit, which the next OK applies and saves.
    EXPECT_FALSE(f.AutoRunBox.Checked());
    EXPECT_EQ(f.PopDeskDelayList.ItemIndex(), 6);
    EXPECT_TRUE(f.Visible());
    EXPECT_FALSE(f.ApplyButton.Enabled());
    EXPECT_TRUE(rig.profile.Writes.empty());

    rig.Do([&] { f.OkButton.Click(); });
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
    f.SpeedXSlider.SetPosition(60);
    f.SpeedYSlider.SetPosition(44);
    rig.Do([&] { f.CancelButton.Click(); });
    EXPECT_EQ(f.SpeedXSlider.Position(), 60);
    rig.Do([&] { f.TrayIcon.DblClick(); });

    EXPECT_TRUE(f.Visible());
    EXPECT_EQ(f.SpeedYSlider.Position(), 44);
    EXPECT_EQ(f.Runtime.SpeedY, 20);
    EXPECT_TRUE(rig.profile.Writes.empty());
    rig.Do([&] { f.ConfigureItem.Click(); });
    EXPECT_EQ(f.SpeedXSlider.Position(), 10);
}

TEST(SettingsEvents, ClickingABoxTwiceLeavesApplyEnabledAndApplyRepeatsBothParameters) {
    OpenWindow rig;
    TMainForm& f = rig.form;
    f.JumpToDefaultBox.SetChecked(true);
    f.JumpToDefaultBox.SetChecked(false);
    EXPECT_TRUE(f.ApplyButton.Enabled());
    rig.Do([&] { f.ApplyButton.Click(); });
    rig.Do([&] { f.ApplyButton.Click(); }); // a disabled button does nothing
    rig.Do([&] { f.ApplyClick(); });
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
        rig.form.SwapButtonsBox.SetChecked(c.swap);
        rig.form.JumpToDefaultBox.SetChecked(c.jump);
        rig.Do([&] { rig.form.ApplyClick(); });
        EXPECT_EQ(rig.Calls({"SPI "}), c.expected);
    }
}

TEST(SettingsEvents, PopDeskBoxEnablesItsOptionsGroup) {
    MainFormRig rig;
    rig.profile.Values[{"popdesk", "desktopuse"}] = "1";
    rig.Start();
    EXPECT_TRUE(rig.form.PopDeskOptionsGroup.Enabled());
    rig.form.PopDeskBox.SetChecked(false);
    EXPECT_FALSE(rig.form.PopDeskOptionsGroup.Enabled());
    rig.form.PopDeskBox.SetChecked(true);
    EXPECT_TRUE(rig.form.PopDeskOptionsGroup.Enabled());
}

TEST(SettingsEvents, ApplyResetsTheGestureAndTheCornerWait) {
    OpenWindow rig;
    TMainForm& f = rig.form;
    // Toggle activation with Auto Scroll on the right button; PopDesk on the top left corner.
    f.ActivationModeList.SetItemIndex(1);
    f.ScrollModeList.SetItemIndex(0);
    f.ActivateButtonList.SetItemIndex(2);
    f.ScrollEnabledBox.SetChecked(true);
    f.PopDeskBox.SetChecked(true);
    f.PopDeskCornerList.SetItemIndex(0);
    f.PopDeskDelayList.SetItemIndex(6);
    rig.Do([&] { f.ApplyClick(); });

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
    rig.Do([&] { f.ApplyClick(); });
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
    f.TrayIcon.SetIconIndex(1); // a stale picture stays, as the switch already agrees
    rig.Do([&] { f.ApplyClick(); });
    EXPECT_EQ(f.TrayIcon.IconIndex(), 1);

    f.ScrollEnabledBox.SetChecked(false);
    f.TrayIcon.SetIconIndex(0);
    rig.Do([&] { f.ApplyClick(); });
    EXPECT_EQ(rig.section.Record.ScrollEnabled, 0);
    EXPECT_EQ(f.TrayIcon.IconIndex(), 1);
    EXPECT_FALSE(f.EnableItem.Checked());

    f.ScrollEnabledBox.SetChecked(true);
    rig.Do([&] { f.ApplyClick(); });
    EXPECT_EQ(rig.section.Record.ScrollEnabled, 1);
    EXPECT_EQ(f.TrayIcon.IconIndex(), 0);
}

TEST(SettingsEvents, ApplyWorksWithoutTheRecordAfterAFailedStart) {
    MainFormRig rig;
    rig.libraries.Available.erase("GWHooks.dll");
    rig.Start();
    rig.ClearRecords();
    rig.form.ScrollEnabledBox.SetChecked(false);
    rig.Do([&] { rig.form.ApplyClick(); });
    EXPECT_TRUE(rig.boxes.Shown.empty());
    EXPECT_FALSE(rig.form.Runtime.ScrollEnabled);
    EXPECT_EQ(rig.form.Runtime.ActivateButton, MouseButton::Right);
    EXPECT_EQ(rig.form.TrayIcon.IconIndex(), 1);
    EXPECT_EQ(rig.Calls({"SPI "}).size(), 2u);
}

TEST(SettingsEvents, FailedSaveOnOkAppliesNothingAndLeavesTheWindowOpen) {
    OpenWindow rig;
    TMainForm& f = rig.form;
    rig.profile.FailAtKey = "SpeedY";
    f.SwapButtonsBox.SetChecked(true);
    rig.Do([&] { f.OkButton.Click(); });

    ASSERT_EQ(rig.boxes.Shown.size(), 1u);
    EXPECT_EQ(rig.boxes.Shown[0],
              (ShownBox{std::string("Unable to write to ") + kIniPath, "Glidewing", 0x10}));
    EXPECT_EQ(rig.profile.Writes, (std::vector<std::string>{"Scroll/LiveKey=2", "Scroll/SpeedX=10"}));
    EXPECT_FALSE(f.Runtime.SwapButtons);
    EXPECT_TRUE(rig.Calls({"SPI ", "Reg"}).empty());
    EXPECT_TRUE(f.Visible());
    EXPECT_TRUE(f.ApplyButton.Enabled());
    EXPECT_EQ(f.DeskTrigger.Timer().Enabled(),
              f.Runtime.PopDeskEnabled); // PopDesk keeps working after the failure
}

TEST(StoredValueEffects, NoActivationKeyLeavesTheButtonUnset) {
    MainFormRig rig;
    rig.profile.Values[{"Scroll", "LiveKey"}] = "5";
    rig.Start();
    EXPECT_EQ(rig.form.Runtime.ActivateKeyIndex, -1);
    EXPECT_EQ(rig.form.Runtime.ActivateButton, MouseButton::None);
    EXPECT_EQ(rig.section.Record.ActivateButton, 0);

    // A later choice takes; a later "no selection" keeps the last button.
    rig.form.ActivateButtonList.UserSelect(1);
    rig.Do([&] { rig.form.ApplyClick(); });
    EXPECT_EQ(rig.section.Record.ActivateButton, 2);
    rig.form.ActivateButtonList.SetItemIndex(-1);
    rig.Do([&] { rig.form.ApplyClick(); });
    EXPECT_EQ(rig.form.Runtime.ActivateButton, MouseButton::Middle);
}

TEST(StoredValueEffects, NoModeSelectionMeansToggleAndMoveScroll) {
    MainFormRig rig;
    rig.profile.Values[{"Scroll", "ScrollModeA"}] = "-1";
    rig.profile.Values[{"Scroll", "ScrollModeB"}] = "3";
    rig.Start();
    EXPECT_TRUE(rig.form.Runtime.ToggleMode);
    EXPECT_TRUE(rig.form.ToggleItem.Checked());
    EXPECT_FALSE(rig.form.ClassicItem.Checked());
    EXPECT_TRUE(rig.form.Runtime.MoveScrollMode);
    EXPECT_TRUE(rig.form.MoveScrollItem.Checked());
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
        EXPECT_FALSE(rig.form.ApplyButton.Enabled()); // the apply ran to its end
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
        EXPECT_TRUE(rig.form.ApplyButton.Enabled());
        EXPECT_EQ(rig.form.TrayIcon.IconIndex(), enabled ? 0 : 1);
    }
}

} // namespace
} // namespace gw::test
