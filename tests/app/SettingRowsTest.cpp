// Every setting of GWing.ini the whole way round: the stored text, what the window shows of it,
// what the start's apply puts in force, what a save of the settings in force writes back; then an
// edit in the window, which enables Apply, goes in force with Apply and into the file with OK.
// The key, the control and the runtime field of each row are named here on their own, so a row
// wired to another key, control or field fails.

#include "Fakes.h"

#include <gtest/gtest.h>

#include <optional>

namespace gw::test {
namespace {

struct Stored {
    std::optional<std::string> text; // nothing: the key is missing
    int expected;                    // what the control shows and the field holds
};

struct Row {
    const char* section;
    const char* key;
    std::function<int(const TMainForm&)> shown;
    std::function<void(TMainForm&, int)> edit;
    std::function<int(const RuntimeSettings&)> field;
    std::pair<int, int> edits; // the first, or the second where the window shows the first
    std::vector<Stored> cases;
};

template <typename Field>
Row Of(const char* section, const char* key, TComboBox TMainForm::*list, Field RuntimeSettings::*field,
       std::pair<int, int> edits, std::vector<Stored> cases) {
    return {section,
            key,
            [list](const TMainForm& f) { return (f.*list).ItemIndex(); },
            [list](TMainForm& f, int value) { (f.*list).UserSelect(value); },
            [field](const RuntimeSettings& s) { return static_cast<int>(s.*field); },
            edits,
            std::move(cases)};
}

Row Of(const char* section, const char* key, TTrackBar TMainForm::*slider,
       std::int32_t RuntimeSettings::*field, std::pair<int, int> edits, std::vector<Stored> cases) {
    return {section,
            key,
            [slider](const TMainForm& f) { return (f.*slider).Position(); },
            [slider](TMainForm& f, int value) { (f.*slider).SetPosition(value); },
            [field](const RuntimeSettings& s) { return s.*field; },
            edits,
            std::move(cases)};
}

Row Of(const char* section, const char* key, TCheckBox TMainForm::*box, bool RuntimeSettings::*field,
       std::vector<Stored> cases) {
    return {section,
            key,
            [box](const TMainForm& f) { return int((f.*box).Checked()); },
            [box](TMainForm& f, int value) { (f.*box).SetChecked(value != 0); },
            [field](const RuntimeSettings& s) { return int(s.*field); },
            {1, 0},
            std::move(cases)};
}

using M = TMainForm;
using F = RuntimeSettings;
const std::nullopt_t missing = std::nullopt;

std::vector<Row> Rows() {
    return {
        Of("Scroll", "LiveKey", &M::ActivateButtonList, &F::ActivateKeyIndex, {0, 1},
           {{missing, 2}, {"0x1", 1}, {"5", -1}}),
        Of("Scroll", "SpeedX", &M::SpeedXSlider, &F::SpeedX, {45, 46},
           {{missing, 10}, {"0x21", 33}, {"99", 60}}),
        Of("Scroll", "SpeedY", &M::SpeedYSlider, &F::SpeedY, {7, 8}, {{missing, 20}, {"$10", 16}, {"-5", 0}}),
        Of("Tools", "Check_zhlrj", &M::SwapButtonsBox, &F::SwapButtons,
           {{missing, 0}, {"0x1", 1}, {"true", 0}}),
        Of("Tools", "Check_ctype", &M::HideWhileTypingBox, &F::HideWhileTyping, {{missing, 0}, {"1", 1}}),
        Of("Tools", "Check_dwan", &M::JumpToDefaultBox, &F::JumpToDefault, {{missing, 0}, {"-1", 1}}),
        Of("popdesk", "deskactive", &M::PopDeskCornerList, &F::PopDeskCorner, {2, 1},
           {{missing, 0}, {"0x3", 3}, {"7", -1}}),
        Of("popdesk", "desktopuse", &M::PopDeskBox, &F::PopDeskEnabled, {{missing, 0}, {"1", 1}}),
        Of("popdesk", "desktoptime", &M::PopDeskDelayList, &F::PopDeskDelayIndex, {6, 5},
           {{missing, 0}, {"0x4", 4}, {"9", -1}}),
        Of("Scroll", "ScrollModeA", &M::ActivationModeList, &F::ActivationModeIndex, {1, 0},
           {{missing, 0}, {"$0", 0}, {"-1", -1}}),
        Of("Scroll", "ScrollModeB", &M::ScrollModeList, &F::ScrollModeIndex, {0, 1},
           {{missing, 1}, {"0x1", 1}, {"3", -1}}),
        Of("Scroll", "GpEnabled", &M::ScrollEnabledBox, &F::ScrollEnabled,
           {{missing, 1}, {"0", 0}, {"2", 1}}),
        Of("Tools", "Check_autorun", &M::AutoRunBox, &F::AutoRun, {{missing, 1}, {"yes", 1}, {"0x0", 0}}),
        Of("Scroll", "MoveLock", &M::MoveLockBox, &F::MoveLock, {{missing, 0}, {"1", 1}}),
        Of("Scroll", "MoveBack", &M::MoveBackBox, &F::MoveBack, {{missing, 0}, {"0x1", 1}}),
        Of("Scroll", "Inverse", &M::InverseBox, &F::Inverse, {{missing, 0}, {"1", 1}}),
        Of("Scroll", "AutoFollow", &M::AutoFollowBox, &F::AutoFollow, {{missing, 0}, {"0x2", 1}, {"on", 0}}),
        Of("popdesk", "everymonitor", &M::EveryMonitorBox, &F::PopDeskEveryMonitor,
           {{missing, 0}, {"2", 1}, {"x", 0}}),
    };
}

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.section << "/" << row.key;
}

class SettingRows : public testing::TestWithParam<Row> {};

TEST_P(SettingRows, FromTheFileIntoForceAndBackAndAnEditTheSameWay) {
    const Row& row = GetParam();
    for (const Stored& stored : row.cases) {
        SCOPED_TRACE(std::string(row.key) + "=" + stored.text.value_or("<missing>"));
        MainFormRig rig;
        if (stored.text) {
            rig.profile.Values[{row.section, row.key}] = *stored.text;
        }
        rig.Start();
        TMainForm& f = rig.form;
        ASSERT_TRUE(rig.boxes.Shown.empty());
        EXPECT_EQ(row.shown(f), stored.expected);
        EXPECT_EQ(row.field(f.Runtime), stored.expected);

        // A save of the settings in force (the tray's, here Enable clicked twice) writes it back
        // as it went in force.
        rig.Do([&] { f.EnableItem.Click(); });
        rig.Do([&] { f.EnableItem.Click(); });
        EXPECT_EQ(rig.profile.Value(row.section, row.key), std::to_string(stored.expected));

        rig.Do([&] { f.ConfigureItem.Click(); });
        const int edited = row.shown(f) == row.edits.first ? row.edits.second : row.edits.first;
        rig.ClearRecords();
        ASSERT_FALSE(f.ApplyButton.Enabled());
        row.edit(f, edited);
        EXPECT_TRUE(f.ApplyButton.Enabled());
        EXPECT_TRUE(rig.journal.empty()); // the edit waits for Apply or OK
        EXPECT_EQ(row.field(f.Runtime), stored.expected);

        rig.Do([&] { f.ApplyButton.Click(); });
        EXPECT_EQ(row.field(f.Runtime), edited);
        EXPECT_TRUE(rig.profile.Writes.empty());
        rig.Do([&] { f.OkButton.Click(); });
        EXPECT_EQ(rig.profile.Value(row.section, row.key), std::to_string(edited));
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKey, SettingRows, testing::ValuesIn(Rows()),
                         [](const testing::TestParamInfo<Row>& row) { return std::string(row.param.key); });

} // namespace
} // namespace gw::test
