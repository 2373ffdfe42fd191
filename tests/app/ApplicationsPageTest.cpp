// The Applications page through the configuration window's events: what the list takes, the
// countdown of the program under the cursor, and where the list goes on Apply, OK and Cancel.

#include "Fakes.h"

#include <gtest/gtest.h>

namespace gw::test {
namespace {

using Names = std::vector<std::string>;

// A started program whose configuration window is open.
struct OpenWindow : MainFormRig {
    explicit OpenWindow(std::initializer_list<std::pair<const char*, const char*>> stored = {}) {
        for (const auto& [key, value] : stored) {
            profile.Values[{"Applications", key}] = value;
        }
        Start();
        Do([this] { form.ConfigureItem.Click(); });
        ClearRecords();
    }
    Names Published() const {
        Names names;
        for (std::uint32_t i = 0; i < section.Aside.Count; ++i) {
            names.emplace_back(section.Aside.Names[i]);
        }
        return names;
    }
};

TEST(ApplicationsPage, StartUpShowsAndHandsTheHooksTheStoredList) {
    OpenWindow rig({{"Exclude2", "b.exe"}, {"Exclude1", "a.exe"}, {"FullScreenAside", "0"}});
    TMainForm& f = rig.form;
    EXPECT_EQ(f.ProgramList.Items(), (Names{"a.exe", "b.exe"}));
    EXPECT_FALSE(f.FullScreenAsideBox.Checked());
    EXPECT_FALSE(f.RemoveProgramButton.Enabled());
    EXPECT_EQ(rig.Published(), (Names{"a.exe", "b.exe"}));
    EXPECT_EQ(rig.section.Aside.FullScreenAside, 0);
    // Started from the window handle, not from 0, and even: the list is whole.
    EXPECT_EQ(rig.section.Aside.Generation, (0x5150u << 1) + 2);

    OpenWindow fresh;
    EXPECT_TRUE(fresh.form.FullScreenAsideBox.Checked()); // on without the section
    EXPECT_EQ(fresh.section.Aside.FullScreenAside, 1);
}

TEST(ApplicationsPage, AddTakesTheChosenProgramsFileNameOnce) {
    OpenWindow rig({{"Exclude1", "a.exe"}});
    TMainForm& f = rig.form;
    struct Case {
        std::string chosen;
        Names list;
        int selected;
        bool applyEnabled;
    };
    const Case cases[] = {
        {"", {"a.exe"}, -1, false}, // dialog cancelled
        {"C:\\Tools\\Paint.EXE", {"a.exe", "Paint.EXE"}, 1, true},
        {"D:\\other\\A.exe", {"a.exe", "Paint.EXE"}, 0, true}, // already there: only selected
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        rig.picking.Chosen = c.chosen;
        rig.Do([&] { f.AddProgramButton.Click(); });
        EXPECT_EQ(f.ProgramList.Items(), c.list);
        EXPECT_EQ(f.ProgramList.ItemIndex(), c.selected);
        EXPECT_EQ(f.RemoveProgramButton.Enabled(), c.selected >= 0);
        EXPECT_EQ(f.ApplyButton.Enabled(), c.applyEnabled);
    }
    EXPECT_EQ(rig.picking.Patterns.back(), (Names{"*.exe", "*.*"}));
    EXPECT_EQ(rig.Published(), (Names{"a.exe"})); // nothing in force before Apply
    EXPECT_TRUE(rig.boxes.Shown.empty());
}

TEST(ApplicationsPage, RemoveTakesTheSelectedEntryAndSelectsTheNext) {
    OpenWindow rig({{"Exclude1", "a.exe"}, {"Exclude2", "b.exe"}, {"Exclude3", "c.exe"}});
    TMainForm& f = rig.form;
    const struct {
        int select;
        Names after;
        int selected;
    } steps[] = {{1, {"a.exe", "c.exe"}, 1}, {1, {"a.exe"}, 0}, {0, {}, -1}};
    for (const auto& step : steps) {
        f.ProgramList.UserSelect(step.select);
        rig.Do([&] { f.RemoveProgramButton.Click(); });
        EXPECT_EQ(f.ProgramList.Items(), step.after);
        EXPECT_EQ(f.ProgramList.ItemIndex(), step.selected);
        EXPECT_EQ(f.RemoveProgramButton.Enabled(), step.selected >= 0);
    }
    EXPECT_TRUE(f.ApplyButton.Enabled());
}

TEST(ApplicationsPage, CountdownOnTheButtonThenTheProgramUnderTheCursor) {
    OpenWindow rig;
    TMainForm& f = rig.form;
    rig.picking.AtCursor = "C:\\Games\\Game.exe";
    rig.Do([&] { f.PickProgramButton.Click(); });
    std::vector<std::string> captions{f.PickProgramButton.Caption()};
    for (int tick = 0; tick < 3; ++tick) {
        EXPECT_TRUE(f.ProgramList.Items().empty());
        rig.Do([&] { f.PickTimer.Fire(); });
        captions.push_back(f.PickProgramButton.Caption());
    }
    EXPECT_EQ(captions, (Names{"Point at the program: 3", "Point at the program: 2",
                               "Point at the program: 1", "Add the program under the cursor"}));
    EXPECT_FALSE(f.PickTimer.Enabled());
    EXPECT_EQ(f.ProgramList.Items(), (Names{"Game.exe"}));
    EXPECT_TRUE(f.ApplyButton.Enabled());

    // Nothing there: said so. A second press calls the countdown off.
    rig.picking.AtCursor.clear();
    rig.Do([&] { f.PickProgramButton.Click(); });
    for (int tick = 0; tick < 3; ++tick) {
        rig.Do([&] { f.PickTimer.Fire(); });
    }
    EXPECT_EQ(rig.boxes.Shown,
              (std::vector<ShownBox>{{"No program was found under the cursor.", "Glidewing", 0x10}}));
    rig.Do([&] { f.PickProgramButton.Click(); });
    rig.Do([&] { f.PickProgramButton.Click(); });
    EXPECT_FALSE(f.PickTimer.Enabled());
    EXPECT_EQ(f.PickProgramButton.Caption(), "Add the program under the cursor");
}

TEST(ApplicationsPage, ApplyAndOkPutTheListInForceCancelForgetsIt) {
    OpenWindow rig({{"Exclude1", "a.exe"}, {"Exclude2", "b.exe"}});
    TMainForm& f = rig.form;
    const std::uint32_t started = rig.section.Aside.Generation;
    auto edit = [&] {
        rig.picking.Chosen = "c.exe";
        rig.Do([&] { f.AddProgramButton.Click(); });
        f.ProgramList.UserSelect(0);
        rig.Do([&] { f.RemoveProgramButton.Click(); });
        f.FullScreenAsideBox.SetChecked(false);
    };

    edit();
    rig.Do([&] { f.CancelButton.Click(); });
    rig.Do([&] { f.TrayIcon.DblClick(); }); // shows the window as it was left
    EXPECT_EQ(f.ProgramList.Items(), (Names{"a.exe", "b.exe"}));
    EXPECT_TRUE(f.FullScreenAsideBox.Checked());
    EXPECT_EQ(rig.section.Aside.Generation, started);

    edit();
    rig.Do([&] { f.ApplyButton.Click(); });
    EXPECT_EQ(rig.Published(), (Names{"b.exe", "c.exe"}));
    EXPECT_EQ(rig.section.Aside.FullScreenAside, 0);
    EXPECT_EQ(rig.section.Aside.Generation, started + 2);
    EXPECT_EQ(f.Runtime.ExcludedPrograms, (Names{"b.exe", "c.exe"}));
    EXPECT_TRUE(rig.profile.Writes.empty()); // Apply saves nothing

    rig.Do([&] { f.CancelButton.Click(); });
    rig.Do([&] { f.ConfigureItem.Click(); });
    EXPECT_EQ(f.ProgramList.Items(), (Names{"b.exe", "c.exe"})); // the applied list
    rig.Do([&] { f.OkButton.Click(); });
    EXPECT_EQ(rig.profile.Value("Applications", "Exclude1"), "b.exe");
    EXPECT_EQ(rig.profile.Value("Applications", "Exclude2"), "c.exe");
    EXPECT_EQ(rig.profile.Value("Applications", "FullScreenAside"), "0");
    EXPECT_EQ(rig.section.Aside.Generation, started + 2); // the same list again: no new generation
}

TEST(ApplicationsPage, WithoutItsSectionTheProgramStartsAsBefore) {
    for (const bool mapFails : {false, true}) {
        MainFormRig rig;
        rig.section.AsideCreateFails = !mapFails;
        rig.section.AsideMapFails = mapFails;
        rig.Start();
        EXPECT_TRUE(rig.boxes.Shown.empty());
        EXPECT_TRUE(rig.Called("Call MouseHookOn"));
        EXPECT_EQ(rig.section.Aside.Generation, 0u);
        rig.form.FormDestroy();
        EXPECT_FALSE(rig.Called("Unmap aside"));
        EXPECT_EQ(rig.Called("CloseHandle 120"), mapFails);
    }
}

} // namespace
} // namespace gw::test
