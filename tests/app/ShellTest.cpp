// The Run value on every apply, the Help button and the About page's buttons.

#include "Fakes.h"

#include "settings/Autorun.h"

#include <gtest/gtest.h>

namespace gw::test {
namespace {

constexpr char kQuoted[] = "\"C:\\Program Files\\Glidewing\\Glidewing.exe\"";
constexpr char kOld[] = "\"C:\\Old\\Glidewing.exe\"";
constexpr char kNone[] = "";

// The machine-wide value where the user may write it, else the user's own; switched off, both go
// wherever the user may remove them. Values are "" where there is none.
TEST(RunValue, FollowsAutorunInBothPlaces) {
    const struct {
        const char* name;
        bool autorun;
        bool machineRefused;
        const char* machineBefore;
        const char* userBefore;
        const char* machineAfter;
        const char* userAfter;
    } cases[] = {
        {"on: the machine's", true, false, kNone, kNone, kQuoted, kNone},
        {"on: the machine's rewritten, the user's old one removed", true, false, kOld, kOld, kQuoted, kNone},
        {"on, a standard user: the user's own", true, true, kNone, kNone, kNone, kQuoted},
        {"on, a standard user: the user's rewritten", true, true, kNone, kOld, kNone, kQuoted},
        {"on, a standard user: the machine's left as it is", true, true, kOld, kNone, kOld, kQuoted},
        {"off: both removed", false, false, kOld, kOld, kNone, kNone},
        {"off, none there", false, false, kNone, kNone, kNone, kNone},
        {"off, a standard user: the user's removed", false, true, kOld, kOld, kOld, kNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MainFormRig rig;
        rig.Start();
        rig.form.AutoRunBox.SetChecked(c.autorun);
        rig.registry.RunValues.clear();
        rig.registry.UserRunValues.clear();
        if (*c.machineBefore) {
            rig.registry.RunValues["Glidewing"] = c.machineBefore;
        }
        if (*c.userBefore) {
            rig.registry.UserRunValues["Glidewing"] = c.userBefore;
        }
        rig.registry.MachineRefused = c.machineRefused;
        rig.ClearRecords();
        rig.Do([&] { rig.form.ApplyClick(); });
        EXPECT_EQ(rig.registry.RunValues["Glidewing"], c.machineAfter);
        EXPECT_EQ(rig.registry.UserRunValues["Glidewing"], c.userAfter);
        EXPECT_TRUE(rig.boxes.Shown.empty());
        EXPECT_EQ(rig.Calls({"SPI "}).size(), 2u); // the apply went on
        EXPECT_EQ(rig.ledger.Outstanding()["registry key"], 0u);
        EXPECT_TRUE(rig.ledger.Faults().empty());
    }
}

TEST(RunValue, AStandardUsersValueGoesUnderTheUsersOwnKey) {
    MainFormRig rig;
    rig.registry.MachineRefused = true;
    rig.Start();
    const std::string key = std::string(" ") + kRunKeyPath + " 0xF003F";
    EXPECT_EQ(rig.Calls({"Reg"}),
              (Journal{"RegCreateKeyEx HKLM" + key, "RegCreateKeyEx HKCU" + key,
                       std::string("RegSetValueEx Glidewing = ") + kQuoted, "RegCloseKey 0x61"}));
}

TEST(RunValue, NoKeyToWriteToIsReportedAndEndsTheApply) {
    MainFormRig rig;
    rig.Start();
    rig.form.ActivateButtonList.UserSelect(0);
    rig.registry.MachineRefused = rig.registry.UserRefused = true;
    rig.ClearRecords();
    rig.Do([&] { rig.form.ApplyClick(); });
    EXPECT_EQ(rig.boxes.Shown,
              (std::vector<ShownBox>{{"Failed to set data for 'Glidewing'", "Glidewing", 0x10}}));
    EXPECT_EQ(rig.form.Runtime.ActivateButton, MouseButton::Right); // the rest of the apply did not run
    EXPECT_TRUE(rig.Calls({"SPI "}).empty());
}

// Quoted, a path with blanks has one reading only; a folder beyond the ANSI code page stays whole.
TEST(RunValue, TheDataIsTheWholePathInQuotes) {
    const std::string paths[] = {
        "D:\\My Tools\\Glide wing\\Glidewing.exe",
        "C:\\Users\\Ann Lee\\AppData\\Local\\Programs\\Glidewing\\Glidewing.exe",
        "C:\\\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC\xD1\x8B\\Glidewing\\Glidewing."
        "exe",
        "C:\\Users\\\xE7\x8E\x8B\xE8\x8A\xB3\\Glidewing.exe",
    };
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        for (const bool refused : {false, true}) {
            MainFormRig rig;
            rig.files.Executable = path;
            rig.registry.MachineRefused = refused;
            rig.Start();
            const auto& values = refused ? rig.registry.UserRunValues : rig.registry.RunValues;
            EXPECT_EQ(values.at("Glidewing"), "\"" + path + "\"");
        }
    }
}

TEST(RunValue, AFailedWriteIsReportedAndEndsTheApply) {
    MainFormRig rig;
    rig.Start();
    rig.form.ActivateButtonList.UserSelect(0);
    rig.form.SwapButtonsBox.SetChecked(true);
    rig.registry.SetFails = true;
    rig.ClearRecords();
    rig.Do([&] { rig.form.ApplyClick(); });

    ASSERT_EQ(rig.boxes.Shown.size(), 1u);
    EXPECT_EQ(rig.boxes.Shown[0], (ShownBox{"Failed to set data for 'Glidewing'", "Glidewing", 0x10}));
    EXPECT_TRUE(rig.Called("RegCloseKey 0x51"));
    EXPECT_TRUE(rig.Calls({"SPI "}).empty());
    EXPECT_EQ(rig.form.Runtime.ActivateButton, MouseButton::Right); // not derived any more
    EXPECT_EQ(rig.section.Record.ActivateButton, 3);
    EXPECT_TRUE(rig.form.ApplyButton.Enabled());
    EXPECT_EQ(rig.form.DeskTrigger.Timer().Enabled(), rig.form.Runtime.PopDeskEnabled);
}

TEST(Help, MissingFileIsReportedAndTheControlIsNotLoaded) {
    MainFormRig rig;
    rig.Start();
    rig.ClearRecords();
    rig.Do([&] { rig.form.HelpButton.Click(); });
    EXPECT_EQ(rig.boxes.Shown, (std::vector<ShownBox>{{"Help File Not Found! ", "Glidewing", 0}}));
    EXPECT_TRUE(rig.journal.empty());
}

TEST(Help, OpensTheIntroductionAndLoadsTheControlOnce) {
    MainFormRig rig;
    rig.files.Existing.insert("C:\\Program Files\\Glidewing\\glidewing.chm");
    rig.libraries.Available["HHCTRL.OCX"] = {"HtmlHelpW"};
    rig.Start();
    rig.ClearRecords();
    rig.Do([&] { rig.form.HelpButton.Click(); });
    rig.Do([&] { rig.form.HelpButton.Click(); });

    const std::string display =
        "HtmlHelpW#6 20816 C:\\Program Files\\Glidewing\\glidewing.chm::/introduction.htm 0x0 0";
    EXPECT_EQ(rig.journal, (Journal{"Load HHCTRL.OCX", "Find HtmlHelpW", "HtmlHelpW#6 0 <null> 0x1C &cookie",
                                    display, display}));
    EXPECT_EQ(rig.libraries.SystemNames, (std::vector<std::string>{"HHCTRL.OCX"})); // from the system folder
    EXPECT_TRUE(rig.boxes.Shown.empty());
}

TEST(Help, AMissingControlIsReportedAndTriedAgainNextTime) {
    MainFormRig rig;
    rig.files.Existing.insert("C:\\Program Files\\Glidewing\\glidewing.chm");
    rig.Start();
    rig.ClearRecords();
    rig.Do([&] { rig.form.HelpButton.Click(); });
    rig.Do([&] { rig.form.HelpButton.Click(); });
    const ShownBox missing{"HHCtrl.OCX not installed!\r HTMLHELP cannot displayed!", "Glidewing", 0x10};
    EXPECT_EQ(rig.boxes.Shown, (std::vector<ShownBox>{missing, missing}));
    EXPECT_EQ(rig.journal, (Journal{"Load HHCTRL.OCX", "Load HHCTRL.OCX"}));
}

TEST(AboutPage, ButtonsOpenTheHomePageAndANewMail) {
    MainFormRig rig;
    rig.Do([&] { rig.form.VisitButton.Click(); });
    rig.Do([&] { rig.form.MailButton.Click(); });
    EXPECT_EQ(rig.journal, (Journal{"ShellExecute 0 open http://glidewing.example/ 3",
                                    "ShellExecute 0 open mailto:support@glidewing.example 3"}));
}

} // namespace
} // namespace gw::test
