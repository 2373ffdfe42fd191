// The Run value on every apply, the Help button and the About page's buttons.

#include "Fakes.h"

#include <gtest/gtest.h>

namespace gw::test {
namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string Key(const char* call) {
    return std::string(call) + " HKLM " + kRunKey + " 0xF003F";
}

TEST(RunValue, FollowsAutorunOnEveryApply) {
    struct Case {
        const char* name;
        bool autorun;
        bool valueBefore;
        bool keyOpens;
        Journal expected;
        bool valueAfter;
    };
    const std::string exe = "C:\\Program Files\\Glidewing\\Glidewing.exe";
    const Case cases[] = {
        {"on, absent",
         true,
         false,
         true,
         {Key("RegCreateKeyEx"), "RegSetValueEx Glidewing = " + exe, "RegCloseKey 0x51"},
         true},
        {"on, present: rewritten",
         true,
         true,
         true,
         {Key("RegCreateKeyEx"), "RegSetValueEx Glidewing = " + exe, "RegCloseKey 0x51"},
         true},
        {"off, present",
         false,
         true,
         true,
         {Key("RegOpenKeyEx"), "RegQueryValueEx Glidewing", "RegDeleteValue Glidewing", "RegCloseKey 0x52"},
         false},
        {"off, absent",
         false,
         false,
         true,
         {Key("RegOpenKeyEx"), "RegQueryValueEx Glidewing", "RegCloseKey 0x52"},
         false},
        {"on, no right to the key", true, false, false, {Key("RegCreateKeyEx")}, false},
        {"off, no right to the key", false, true, false, {Key("RegOpenKeyEx")}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MainFormRig rig;
        rig.Start();
        rig.form.Check_autorun.SetChecked(c.autorun);
        rig.registry.RunValues.clear();
        if (c.valueBefore) {
            rig.registry.RunValues["Glidewing"] = "C:\\Old\\Glidewing.exe";
        }
        rig.registry.KeyOpens = c.keyOpens;
        rig.ClearRecords();
        rig.Do([&] { rig.form.BitBtn_applyClick(); });
        EXPECT_EQ(rig.Calls({"Reg"}), c.expected);
        EXPECT_EQ(rig.registry.RunValues.count("Glidewing") == 1, c.valueAfter);
        EXPECT_TRUE(rig.boxes.Shown.empty());
        EXPECT_EQ(rig.Calls({"SPI "}).size(), 2u); // the apply went on
    }
}

TEST(RunValue, PathWithBlanksIsStoredAsItIs) {
    MainFormRig rig;
    rig.files.Executable = "D:\\My Tools\\Glide wing\\Glidewing.exe";
    rig.Start();
    EXPECT_EQ(rig.registry.RunValues.at("Glidewing"), "D:\\My Tools\\Glide wing\\Glidewing.exe");
}

TEST(RunValue, AFailedWriteIsReportedAndEndsTheApply) {
    MainFormRig rig;
    rig.Start();
    rig.form.ComboBox_aj.UserSelect(0);
    rig.form.Check_zhlrj.SetChecked(true);
    rig.registry.SetFails = true;
    rig.ClearRecords();
    rig.Do([&] { rig.form.BitBtn_applyClick(); });

    ASSERT_EQ(rig.boxes.Shown.size(), 1u);
    EXPECT_EQ(rig.boxes.Shown[0], (ShownBox{"Failed to set data for 'Glidewing'", "Glidewing", 0x10}));
    EXPECT_TRUE(rig.Called("RegCloseKey 0x51"));
    EXPECT_TRUE(rig.Calls({"SPI "}).empty());
    EXPECT_EQ(rig.form.Runtime.ActivateButton, 3); // not derived any more
    EXPECT_EQ(rig.section.Record.ActivateButton, 3);
    EXPECT_TRUE(rig.form.BitBtn_Apply.Enabled());
    EXPECT_TRUE(rig.form.MainTimer.Enabled());
}

TEST(Help, MissingFileIsReportedAndTheControlIsNotLoaded) {
    MainFormRig rig;
    rig.Start();
    rig.ClearRecords();
    rig.Do([&] { rig.form.Btn_help.Click(); });
    EXPECT_EQ(rig.boxes.Shown, (std::vector<ShownBox>{{"Help File Not Found! ", "Glidewing", 0}}));
    EXPECT_TRUE(rig.journal.empty());
}

TEST(Help, OpensTheIntroductionAndLoadsTheControlOnce) {
    MainFormRig rig;
    rig.files.Existing.insert("C:\\Program Files\\Glidewing\\glidewing.chm");
    rig.libraries.Available["HHCTRL.OCX"] = {"HtmlHelpA"};
    rig.Start();
    rig.ClearRecords();
    rig.Do([&] { rig.form.Btn_help.Click(); });
    rig.Do([&] { rig.form.Btn_help.Click(); });

    const std::string display =
        "HtmlHelpA#6 20816 C:\\Program Files\\Glidewing\\glidewing.chm::/introduction.htm 0x0 0";
    EXPECT_EQ(rig.journal, (Journal{"Load HHCTRL.OCX", "Find HtmlHelpA", "HtmlHelpA#6 0 <null> 0x1C &cookie",
                                    display, display}));
    EXPECT_EQ(rig.libraries.LoadedPaths.back(), "C:\\WINDOWS\\system32\\HHCTRL.OCX");
    EXPECT_TRUE(rig.boxes.Shown.empty());
}

TEST(Help, AMissingControlIsReportedAndTriedAgainNextTime) {
    MainFormRig rig;
    rig.files.Existing.insert("C:\\Program Files\\Glidewing\\glidewing.chm");
    rig.Start();
    rig.ClearRecords();
    rig.Do([&] { rig.form.Btn_help.Click(); });
    rig.Do([&] { rig.form.Btn_help.Click(); });
    const ShownBox missing{"HHCtrl.OCX not installed!\r HTMLHELP cannot displayed!", "Glidewing", 0x10};
    EXPECT_EQ(rig.boxes.Shown, (std::vector<ShownBox>{missing, missing}));
    EXPECT_EQ(rig.journal, (Journal{"Load HHCTRL.OCX", "Load HHCTRL.OCX"}));
}

TEST(AboutPage, ButtonsOpenTheHomePageAndANewMail) {
    MainFormRig rig;
    rig.Do([&] { rig.form.Btn_Visit.Click(); });
    rig.Do([&] { rig.form.Btn_mail.Click(); });
    EXPECT_EQ(rig.journal, (Journal{"ShellExecute 0 open http://glidewing.example/ 3",
                                    "ShellExecute 0 open mailto:support@glidewing.example 3"}));
}

} // namespace
} // namespace gw::test
