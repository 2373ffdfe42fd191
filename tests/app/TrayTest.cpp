// The tray icon, its quick options, the drive items and Lock Computer.

#include "Fakes.h"

#include <gtest/gtest.h>

namespace gw::test {
namespace {

struct Started : MainFormRig {
    explicit Started(std::string cdroms = "") {
        drives.CdromLetters = std::move(cdroms);
        Start();
        ClearRecords();
    }
};

TEST(TrayToggle, LeftClickAndEnableItemSwitchEveryMirrorAndSave) {
    struct Case {
        const char* name;
        std::function<void(TMainForm&)> toggle;
    };
    const Case cases[] = {
        {"left click",
         [](TMainForm& f) {
             f.TrayIcon.MouseDown(TMouseButton::Left, 0, {5, 5});
         }},
        {"Enable item", [](TMainForm& f) { f.EnableItem.Click(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Started rig;
        TMainForm& f = rig.form;
        rig.Do([&] { c.toggle(f); });
        EXPECT_FALSE(f.EnableItem.Checked());
        EXPECT_FALSE(f.Runtime.ScrollEnabled);
        EXPECT_FALSE(f.ScrollEnabledBox.Checked());
        EXPECT_TRUE(f.ApplyButton.Enabled());
        EXPECT_EQ(rig.section.Record.ScrollEnabled, 0);
        EXPECT_EQ(f.TrayIcon.IconIndex(), 1);
        EXPECT_EQ(rig.profile.Writes.size(), kSavedKeys);
        EXPECT_EQ(rig.profile.Value("Scroll", "GpEnabled"), "0");

        rig.Do([&] { c.toggle(f); });
        EXPECT_TRUE(f.Runtime.ScrollEnabled);
        EXPECT_TRUE(f.ScrollEnabledBox.Checked());
        EXPECT_EQ(rig.section.Record.ScrollEnabled, 1);
        EXPECT_EQ(f.TrayIcon.IconIndex(), 0);
        EXPECT_EQ(rig.profile.Value("Scroll", "GpEnabled"), "1");
        EXPECT_TRUE(rig.Calls({"SPI ", "Reg"}).empty()); // no apply
    }
}

TEST(TrayToggle, OtherButtonsDoNotToggleAndTheRightOneOpensTheMenu) {
    struct MenuView : TPopupMenu::View {
        std::vector<Point> shownAt;
        void Popup(TPopupMenu&, Point at) override { shownAt.push_back(at); }
    } menuView;
    Started rig;
    rig.form.TrayMenu.SetView(&menuView);
    rig.Do([&] { rig.form.TrayIcon.MouseDown(TMouseButton::Right, 0, {100, 700}); });
    rig.Do([&] { rig.form.TrayIcon.MouseDown(TMouseButton::Middle, 0, {100, 700}); });
    EXPECT_EQ(menuView.shownAt, (std::vector<Point>{{100, 700}}));
    EXPECT_TRUE(rig.form.Runtime.ScrollEnabled);
    EXPECT_TRUE(rig.profile.Writes.empty());
}

TEST(TrayToggle, DoubleClickTogglesTwiceAndOpensTheWindow) {
    Started rig;
    TMainForm& f = rig.form;
    // The icon reports the second press of a double click as a press too.
    rig.Do([&] { f.TrayIcon.MouseDown(TMouseButton::Left, 0, {}); });
    rig.Do([&] { f.TrayIcon.MouseDown(TMouseButton::Left, 0, {}); });
    rig.Do([&] { f.TrayIcon.DblClick(); });
    EXPECT_TRUE(f.Visible());
    EXPECT_TRUE(f.Runtime.ScrollEnabled);
    EXPECT_EQ(rig.section.Record.ScrollEnabled, 1);
    EXPECT_EQ(rig.profile.Writes.size(), 2 * kSavedKeys);
}

// A save from the tray writes the settings in force and the tray's own change, never an edit the
// user has not applied; OK saves the controls. The edits touch every kind of control, the ones
// Configure... does not put back included.
TEST(TraySave, WritesTheSettingsInForceAndTheTraysOwnChange) {
    using Key = std::pair<std::string, std::string>;
    using Changes = std::map<Key, std::string>;
    const Changes edited = {{{"Scroll", "LiveKey"}, "0"},      {{"Scroll", "SpeedX"}, "50"},
                            {{"Tools", "Check_ctype"}, "1"},   {{"Scroll", "MoveLock"}, "1"},
                            {{"Tools", "Check_autorun"}, "0"}, {{"popdesk", "desktoptime"}, "6"},
                            {{"Scroll", "AutoFollow"}, "1"}};
    auto edit = [](TMainForm& f) {
        f.ActivateButtonList.UserSelect(0);
        f.SpeedXSlider.SetPosition(50);
        f.HideWhileTypingBox.SetChecked(true);
        f.MoveLockBox.SetChecked(true);
        f.AutoRunBox.SetChecked(false);
        f.PopDeskDelayList.UserSelect(6);
        f.AutoFollowBox.SetChecked(true);
    };
    auto with = [](Changes a, const Changes& b) {
        for (const auto& [key, value] : b) {
            a[key] = value;
        }
        return a;
    };
    const std::map<std::string, std::function<void(TMainForm&)>> actions = {
        {"edit", edit},
        {"Cancel", [](TMainForm& f) { f.CancelButton.Click(); }},
        {"Apply", [](TMainForm& f) { f.ApplyButton.Click(); }},
        {"OK", [](TMainForm& f) { f.OkButton.Click(); }},
        {"Enable", [](TMainForm& f) { f.EnableItem.Click(); }},
        {"Toggle", [](TMainForm& f) { f.ToggleItem.Click(); }},
        {"Auto Scroll", [](TMainForm& f) { f.AutoScrollItem.Click(); }},
        {"Configure...", [](TMainForm& f) { f.ConfigureItem.Click(); }},
        {"edit Auto Scroll", [](TMainForm& f) { f.ScrollModeList.UserSelect(0); }},
        {"edit Inverse", [](TMainForm& f) { f.InverseBox.SetChecked(true); }},
        {"double click",
         [](TMainForm& f) {
             f.TrayIcon.MouseDown(TMouseButton::Left, 0, {});
             f.TrayIcon.MouseDown(TMouseButton::Left, 0, {});
             f.TrayIcon.DblClick();
         }},
    };
    struct Case {
        bool startFails; // before the first apply
        std::vector<std::string> steps;
        Changes file; // what differs from the file of the start
    };
    const Case cases[] = {
        {false, {"edit", "Cancel", "Enable"}, {{{"Scroll", "GpEnabled"}, "0"}}},
        {false, {"edit", "Cancel", "double click"}, {}},
        {false, {"edit", "Cancel", "Toggle"}, {{{"Scroll", "ScrollModeA"}, "1"}}},
        {false, {"edit", "edit Auto Scroll", "Cancel", "Auto Scroll"}, {{{"Scroll", "ScrollModeB"}, "0"}}},
        // Configure... leaves autorun and the wait showing the cancelled edit.
        {false, {"edit", "Cancel", "Configure...", "Enable"}, {{{"Scroll", "GpEnabled"}, "0"}}},
        {false, {"edit", "Apply", "edit Inverse", "Enable"}, with(edited, {{{"Scroll", "GpEnabled"}, "0"}})},
        {false, {"edit", "OK"}, edited},
        {true, {"edit", "Enable"}, {{{"Scroll", "GpEnabled"}, "0"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.steps));
        MainFormRig rig;
        rig.profile.Values = {{{"Scroll", "SpeedY"}, "33"}, {{"Tools", "Check_zhlrj"}, "1"}};
        if (c.startFails) {
            rig.libraries.Available.erase("GWHooks.dll");
        }
        rig.Start();
        rig.form.SaveSettings(); // the whole file, as loaded
        const Changes expected = with(rig.profile.Values, c.file);
        rig.Do([&] { rig.form.Show(); });
        for (const std::string& step : c.steps) {
            rig.Do([&] { actions.at(step)(rig.form); });
        }
        EXPECT_EQ(rig.profile.Values, expected);
        EXPECT_FALSE(rig.form.AutoRunBox.Checked()); // the window goes on showing that edit
    }
}

TEST(TrayToggle, WorksWithoutTheRecord) {
    MainFormRig rig;
    rig.section.CreateFails = true;
    rig.Start();
    rig.Do([&] { rig.form.EnableItem.Click(); });
    EXPECT_EQ(rig.boxes.Shown.size(), 1u); // only the start-up message
    EXPECT_EQ(rig.form.TrayIcon.IconIndex(), 1);
}

TEST(TrayToggle, FailedSaveStillLeavesTheToggleInEffect) {
    Started rig;
    rig.profile.FailAtKey = "LiveKey";
    rig.Do([&] { rig.form.EnableItem.Click(); });
    ASSERT_EQ(rig.boxes.Shown.size(), 1u);
    EXPECT_EQ(rig.boxes.Shown[0].Text, "Unable to write to C:\\Program Files\\Glidewing\\GWing.ini");
    EXPECT_FALSE(rig.form.Runtime.ScrollEnabled);
    EXPECT_EQ(rig.section.Record.ScrollEnabled, 0);
}

TEST(TrayModes, EachItemSetsItsListAndFieldAndSaves) {
    struct Case {
        const char* name;
        std::function<TMenuItem&(TMainForm&)> item;
        std::function<TMenuItem&(TMainForm&)> other;
        std::function<TMenuItem&(TMainForm&)> otherGroup; // its checked item stays checked
        std::function<int(const TMainForm&)> list;
        int position;
        std::function<bool(const TMainForm&)> field;
        bool value;
        const char* key;
    };
    auto modeA = [](const TMainForm& f) { return f.ActivationModeList.ItemIndex(); };
    auto modeB = [](const TMainForm& f) { return f.ScrollModeList.ItemIndex(); };
    auto toggle = [](const TMainForm& f) { return f.Runtime.ToggleMode; };
    auto move = [](const TMainForm& f) { return f.Runtime.MoveScrollMode; };
    const Case cases[] = {
        {"Toggle", [](TMainForm& f) -> TMenuItem& { return f.ToggleItem; },
         [](TMainForm& f) -> TMenuItem& { return f.ClassicItem; },
         [](TMainForm& f) -> TMenuItem& { return f.MoveScrollItem; }, modeA, 1, toggle, true, "ScrollModeA"},
        {"Auto Scroll", [](TMainForm& f) -> TMenuItem& { return f.AutoScrollItem; },
         [](TMainForm& f) -> TMenuItem& { return f.MoveScrollItem; },
         [](TMainForm& f) -> TMenuItem& { return f.ClassicItem; }, modeB, 0, move, false, "ScrollModeB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Started rig; // defaults: Classic, Move Scroll
        TMainForm& f = rig.form;
        f.Show();
        rig.Do([&] { c.item(f).Click(); });
        EXPECT_TRUE(c.item(f).Checked());
        EXPECT_FALSE(c.other(f).Checked());
        EXPECT_TRUE(c.otherGroup(f).Checked());
        EXPECT_TRUE(f.EnableItem.Checked());
        EXPECT_EQ(c.list(f), c.position);
        EXPECT_EQ(c.field(f), c.value);
        EXPECT_EQ(rig.profile.Writes.size(), kSavedKeys);
        EXPECT_EQ(rig.profile.Value("Scroll", c.key), std::to_string(c.position));
        EXPECT_FALSE(f.ApplyButton.Enabled());           // Apply stays as it was
        EXPECT_TRUE(rig.Calls({"SPI ", "Reg"}).empty()); // nothing applied
        EXPECT_EQ(rig.section.Record.ActivateButton, 3);

        // And back with the other item of the group.
        rig.Do([&] { c.other(f).Click(); });
        EXPECT_EQ(c.list(f), 1 - c.position);
        EXPECT_EQ(c.field(f), !c.value);
        EXPECT_EQ(rig.profile.Writes.size(), 2 * kSavedKeys);
    }
}

TEST(TrayModes, ChoosingTheCheckedItemDoesNothing) {
    Started rig; // Classic and Move Scroll are checked
    TMainForm& f = rig.form;
    f.ActivationModeList.UserSelect(1); // an unapplied edit that must not be saved by this
    rig.Do([&] { f.ClassicItem.Click(); });
    rig.Do([&] { f.MoveScrollItem.Click(); });
    EXPECT_TRUE(rig.profile.Writes.empty());
    EXPECT_EQ(f.ActivationModeList.ItemIndex(), 1);
    EXPECT_TRUE(f.ClassicItem.Checked());
}

TEST(TrayMenu, ItemsInOrderWithTheirCaptionsAndPictures) {
    MainFormRig rig;
    struct Row {
        const char* name;
        const char* caption;
        int image;
    };
    const Row top[] = {
        {"N5", "Lock Computer", 2},          {"N7", "-", -1}, {"OpenCDROM1", "Eject CD-ROM", 3},
        {"CloseCDROM1", "Close CD-ROM", -1}, {"N4", "-", -1}, {"N6", "Scroll options", 1},
        {"Glidewing1", "Configure...", -1},  {"N3", "-", -1}, {"N1", "Exit", 0}};
    const Row sub[] = {{"Menu_GpEnabled", "Enable", -1}, {"N10", "-", -1}, {"menu_classic", "Classic", -1},
                       {"menu_toggle", "Toggle", -1},    {"N13", "-", -1}, {"Menu_auto", "Auto Scroll", -1},
                       {"Menu_move", "Move Scroll", -1}};
    const TMenuItem& root = rig.form.TrayMenu.Items;
    ASSERT_EQ(root.Count(), std::size(top));
    for (std::size_t i = 0; i < std::size(top); ++i) {
        EXPECT_EQ(root.Item(i).Name(), top[i].name);
        EXPECT_EQ(root.Item(i).Caption(), top[i].caption);
        EXPECT_EQ(root.Item(i).ImageIndex(), top[i].image);
    }
    const TMenuItem& options = rig.form.ScrollOptionsItem;
    ASSERT_EQ(options.Count(), std::size(sub));
    for (std::size_t i = 0; i < std::size(sub); ++i) {
        EXPECT_EQ(options.Item(i).Name(), sub[i].name);
        EXPECT_EQ(options.Item(i).Caption(), sub[i].caption);
    }
    EXPECT_TRUE(rig.form.ConfigureItem.Default());
    EXPECT_TRUE(rig.form.EnableItem.Default());
    // Before the first apply: Enable, Classic and Auto Scroll.
    EXPECT_TRUE(rig.form.EnableItem.Checked());
    EXPECT_TRUE(rig.form.ClassicItem.Checked());
    EXPECT_TRUE(rig.form.AutoScrollItem.Checked());
    EXPECT_FALSE(rig.form.ToggleItem.Checked());
    EXPECT_FALSE(rig.form.MoveScrollItem.Checked());
}

TEST(TrayMenu, ConfigureOpensTheWindowAndExitClosesItWithoutSavingOrCalling) {
    Started rig;
    rig.Do([&] { rig.form.ExitItem.Click(); });
    EXPECT_EQ(rig.formView.Closes, 1);
    EXPECT_TRUE(rig.profile.Writes.empty());
    EXPECT_TRUE(rig.journal.empty());
    rig.Do([&] { rig.form.ConfigureItem.Click(); });
    EXPECT_TRUE(rig.form.Visible());
}

// No drive greys both items and they do nothing; one drive uses the default CD device.
TEST(DriveItems, NoneGreysBothItemsOneUsesTheDefaultCdDevice) {
    for (const std::string drives : {"", "E"}) {
        SCOPED_TRACE(drives);
        Started rig(drives);
        EXPECT_EQ(rig.form.OpticalDrives, drives);
        EXPECT_EQ(rig.form.EjectItem.Enabled(), !drives.empty());
        EXPECT_EQ(rig.form.CloseDoorItem.Enabled(), !drives.empty());
        EXPECT_EQ(rig.form.EjectItem.Count(), 0u);
        rig.Do([&] { rig.form.EjectItem.Click(); });
        rig.Do([&] { rig.form.CloseDoorItem.Click(); });
        const Journal door = {"mciSendString set cdaudio door open", "mciSendString set cdaudio door closed"};
        EXPECT_EQ(rig.journal, drives.empty() ? Journal{} : door);
    }
}

TEST(DriveItems, TwoDrivesGetAnItemEachAndOnlyTheChosenDoorMovesEvenWithoutADevice) {
    Started rig("FD"); // found in letter order whatever the order of the fake
    TMainForm& f = rig.form;
    EXPECT_EQ(f.OpticalDrives, "DF");
    ASSERT_EQ(f.EjectItem.Count(), 2u);
    ASSERT_EQ(f.CloseDoorItem.Count(), 2u);
    EXPECT_EQ(f.EjectItem.Item(0).Name(), "OpenCDROM_D");
    EXPECT_EQ(f.EjectItem.Item(0).Caption(), "D:");
    EXPECT_EQ(f.EjectItem.Item(1).Name(), "OpenCDROM_F");
    EXPECT_EQ(f.CloseDoorItem.Item(1).Name(), "CloseCDROM_F");
    EXPECT_EQ(f.CloseDoorItem.Item(1).Caption(), "F:");
    EXPECT_FALSE(f.EjectItem.OnClick);
    EXPECT_FALSE(f.CloseDoorItem.OnClick);

    rig.Do([&] { f.EjectItem.Item(1).Click(); });
    EXPECT_EQ(rig.journal, (Journal{"MCI_OPEN 0x3202 type 516 F:", "MCI 0x80D device 9 flags 0x102",
                                    "MCI 0x804 device 9 flags 0x2"}));
    rig.journal.clear();
    rig.Do([&] { f.CloseDoorItem.Item(0).Click(); });
    EXPECT_EQ(rig.journal, (Journal{"MCI_OPEN 0x3202 type 516 D:", "MCI 0x80D device 9 flags 0x202",
                                    "MCI 0x804 device 9 flags 0x2"}));

    // A failed open still sends the later commands, to no device, and says nothing.
    rig.journal.clear();
    rig.mci.DeviceToOpen = 0;
    rig.Do([&] { f.EjectItem.Item(0).Click(); });
    EXPECT_EQ(rig.journal, (Journal{"MCI_OPEN 0x3202 type 516 D:", "MCI 0x80D device 0 flags 0x102",
                                    "MCI 0x804 device 0 flags 0x2"}));
    EXPECT_TRUE(rig.boxes.Shown.empty());
}

TEST(LockComputer, LocksOrStartsTheScreenSaverAsTheSystemAllows) {
    struct Case {
        const char* name;
        VersionInfo version;
        bool toolsPresent;
        bool queryWorks;
        bool saverActive;
        Journal expected;
    };
    const char* kSaver = "PostToDesktop 0x112 0xF140 0";
    const Case cases[] = {
        {"NT 5", {5, 1, 2}, true, true, false, {"Call LockTheComputer", kSaver}},
        {"NT 5 without Tools.dll", {5, 1, 2}, false, true, true, {}},
        {"older, saver active", {4, 10, 1}, false, true, true, {"SPI_GETSCREENSAVEACTIVE", kSaver}},
        {"older, no saver", {4, 10, 1}, false, true, false, {"SPI_GETSCREENSAVEACTIVE"}},
        {"older, query fails", {4, 10, 1}, false, false, true, {"SPI_GETSCREENSAVEACTIVE"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MainFormRig rig;
        rig.version.Info = c.version;
        if (!c.toolsPresent) {
            rig.libraries.Available.erase("Tools.dll");
        }
        rig.parameters.QueryWorks = c.queryWorks;
        rig.parameters.ScreenSaverActive = c.saverActive;
        rig.Start();
        rig.ClearRecords();
        rig.Do([&] { rig.form.LockItem.Click(); });
        EXPECT_EQ(rig.journal, c.expected);
        EXPECT_TRUE(rig.boxes.Shown.empty());
    }
}

} // namespace
} // namespace gw::test
