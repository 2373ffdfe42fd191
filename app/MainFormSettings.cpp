// TMainForm: the settings file, the apply step and the configuration window's buttons and handlers.

#include "app/MainForm.h"
#include "app/SettingTable.h"

#include "settings/SettingsFile.h"
#include "shared/HookShare.h"
#include "shared/Win32Values.h"

#include <algorithm>

namespace gw {

namespace {

using F = RuntimeSettings;
using M = TMainForm;

// The keys in the order they are read and written. Two were added after the others and stay
// last of their sections in a file that had the older ones: AutoFollow after the older keys of
// [Scroll], everymonitor after those of [popdesk].
const SettingRow kSettingRows[] = {
    {"Scroll", "LiveKey", 2, &F::ActivateKeyIndex, &M::ActivateButtonList},
    {"Scroll", "SpeedX", 10, &F::SpeedX, &M::SpeedXSlider},
    {"Scroll", "SpeedY", 20, &F::SpeedY, &M::SpeedYSlider},
    {"Tools", "Check_zhlrj", 0, &F::SwapButtons, &M::SwapButtonsBox},
    {"Tools", "Check_ctype", 0, &F::HideWhileTyping, &M::HideWhileTypingBox},
    {"Tools", "Check_dwan", 0, &F::JumpToDefault, &M::JumpToDefaultBox},
    {"popdesk", "deskactive", 0, &F::PopDeskCorner, &M::PopDeskCornerList},
    {"popdesk", "desktopuse", 0, &F::PopDeskEnabled, &M::PopDeskBox},
    {"popdesk", "desktoptime", 0, &F::PopDeskDelayIndex, &M::PopDeskDelayList, nullptr, false},
    {"Scroll", "ScrollModeA", 0, &F::ActivationModeIndex, &M::ActivationModeList, &F::ToggleMode},
    {"Scroll", "ScrollModeB", 1, &F::ScrollModeIndex, &M::ScrollModeList, &F::MoveScrollMode},
    {"Scroll", "GpEnabled", 1, &F::ScrollEnabled, &M::ScrollEnabledBox},
    {"Tools", "Check_autorun", 1, &F::AutoRun, &M::AutoRunBox, nullptr, false},
    {"Scroll", "MoveLock", 0, &F::MoveLock, &M::MoveLockBox},
    {"Scroll", "MoveBack", 0, &F::MoveBack, &M::MoveBackBox},
    {"Scroll", "Inverse", 0, &F::Inverse, &M::InverseBox},
    {"Scroll", "AutoFollow", 0, &F::AutoFollow, &M::AutoFollowBox},
    {"popdesk", "everymonitor", 0, &F::PopDeskEveryMonitor, &M::EveryMonitorBox},
};

// The value of a control as the file stores it, and the control set to a stored value.
std::int32_t ValueOf(const TComboBox& list) {
    return list.ItemIndex();
}
std::int32_t ValueOf(const TTrackBar& slider) {
    return slider.Position();
}
std::int32_t ValueOf(const TCheckBox& box) {
    return box.Checked() ? 1 : 0;
}
void SetValue(TComboBox& list, std::int32_t value) {
    list.SetItemIndex(value);
}
void SetValue(TTrackBar& slider, std::int32_t value) {
    slider.SetPosition(value);
}
void SetValue(TCheckBox& box, std::int32_t value) {
    box.SetChecked(value != 0);
}

} // namespace

std::span<const SettingRow> SettingTable() {
    return kSettingRows;
}

const SettingRow& SettingRowOf(SettingField field) {
    return *std::find_if(std::begin(kSettingRows), std::end(kSettingRows),
                         [&](const SettingRow& row) { return row.Field == field; });
}

std::int32_t SettingRow::Value(const RuntimeSettings& settings) const {
    return std::visit([&](auto field) { return static_cast<std::int32_t>(settings.*field); }, Field);
}

void SettingRow::Keep(RuntimeSettings& settings, std::int32_t value) const {
    std::visit(
        [&](auto field) {
            settings.*field = static_cast<std::remove_reference_t<decltype(settings.*field)>>(value);
        },
        Field);
    if (Mode) {
        settings.*Mode = value != 0;
    }
}

std::int32_t SettingRow::Shown(const TMainForm& form) const {
    return std::visit([&](auto control) { return ValueOf(form.*control); }, Control);
}

void SettingRow::Show(TMainForm& form, std::int32_t value) const {
    std::visit([&](auto control) { SetValue(form.*control, value); }, Control);
}

std::string TMainForm::SettingsPath() const {
    return ExeFolder + "GWing.ini";
}

void TMainForm::SetUpSettingControls() {
    for (const SettingRow& row : SettingTable()) {
        std::visit(
            [this](auto control) {
                if constexpr (std::is_same_v<decltype(control), TCheckBox TMainForm::*>) {
                    (this->*control).OnClick = [this] { EnableApply(); };
                } else {
                    (this->*control).OnChange = [this] { EnableApply(); };
                }
            },
            row.Control);
    }
    PopDeskBox.OnClick = [this] { PopDeskBoxClick(); };
}

RuntimeSettings TMainForm::Draft() const {
    RuntimeSettings draft = Runtime;
    for (const SettingRow& row : SettingTable()) {
        row.Keep(draft, row.Shown(*this));
    }
    return draft;
}

RuntimeSettings& TMainForm::InForce() {
    return applied_ ? Runtime : loaded_;
}

void TMainForm::ChangeFromTray(const SettingRow& row, std::int32_t value) {
    row.Show(*this, value);
    row.Keep(Runtime, value);
    if (!applied_) {
        row.Keep(loaded_, value); // what a tray save writes until the first apply
    }
}

void TMainForm::LoadSettings() {
    SettingsFile file(seams_.Profile, SettingsPath());
    for (const SettingRow& row : SettingTable()) {
        row.Show(*this, file.ReadInteger(row.Section, row.Key, row.Default));
    }
    loaded_ = Draft();
    AppliedApplications = ReadApplicationSettings(file);
    ShowApplications(AppliedApplications);
    SetTrayState(TrayStateFor(ScrollEnabledBox.Checked()));
}

void TMainForm::SaveSettings() {
    WriteSettings(Draft(), PageApplications());
}

// The Applications page's pending edits stay in the window too: the applied list is what is in force.
void TMainForm::SaveSettingsInForce() {
    WriteSettings(InForce(), AppliedApplications);
}

void TMainForm::WriteSettings(const RuntimeSettings& settings, const ApplicationSettings& applications) {
    SettingsFile file(seams_.Profile, SettingsPath());
    for (const SettingRow& row : SettingTable()) {
        file.WriteInteger(row.Section, row.Key, row.Value(settings));
    }
    WriteApplicationSettings(file, applications);
}

void TMainForm::ReadControls() {
    Runtime = Draft();
    // With no wait selected (a stored position outside the list) PopDesk waits as long as the
    // first, default entry says.
    const std::string wait = PopDeskDelayList.ItemIndex() >= 0 ? PopDeskDelayList.SelectedText()
                                                               : PopDeskDelayList.Items().front();
    Runtime.PopDeskDelay = ParseSettingInteger(wait).value_or(100);
    (Runtime.ToggleMode ? ToggleItem : ClassicItem).SetChecked(true);
    (Runtime.MoveScrollMode ? MoveScrollItem : AutoScrollItem).SetChecked(true);
    EnableItem.SetChecked(Runtime.ScrollEnabled);
    DeskTrigger.SettingsApplied();
    applied_ = true; // a tray save writes these from now on
    AppliedApplications = PageApplications();
    Runtime.ExcludedPrograms = AppliedApplications.Excluded;
    Runtime.FullScreenAside = AppliedApplications.FullScreenAside;
}

void TMainForm::UpdateActivateButton() {
    switch (Runtime.ActivateKeyIndex) {
    case 0:
        Runtime.ActivateButton = MouseButton::Left;
        break;
    case 1:
        Runtime.ActivateButton = MouseButton::Middle;
        break;
    case 2:
        Runtime.ActivateButton = MouseButton::Right;
        break;
    default:
        break; // no selection: the button stays what it was
    }
}

void TMainForm::ApplySettings() {
    Engine.ResetGestureState();
    ReadControls();
    UpdateAutorun();
    UpdateActivateButton();

    Share.SetActivateButton(static_cast<std::uint8_t>(Runtime.ActivateButton));
    Share.Set(&HookShare::CursorShown, true);
    Share.Set(&HookShare::ReportKeys, Runtime.HideWhileTyping);
    HideCursor.SettingsApplied(); // cursors hidden by typing come back when the option goes off
    // Without the record there is nothing to compare with; the icon still follows the setting.
    if (!Share.Exists() || (Share.Get(&HookShare::ScrollEnabled) != 0) != Runtime.ScrollEnabled) {
        Share.Set(&HookShare::ScrollEnabled, Runtime.ScrollEnabled);
        SetTrayState(TrayStateFor(Runtime.ScrollEnabled));
    }
    if (!Runtime.ScrollEnabled) {
        Engine.ScrollingSwitchedOff();
    }
    Aside.Publish(Runtime.ExcludedPrograms, Runtime.FullScreenAside);

    // The swap works at once and stays out of the user's profile; the snap option is broadcast.
    seams_.SystemParameters.Set(win::kSPI_SETMOUSEBUTTONSWAP, Runtime.SwapButtons ? 1 : 0, 0);
    seams_.SystemParameters.Set(win::kSPI_SETSNAPTODEFBUTTON, Runtime.JumpToDefault ? 1 : 0,
                                win::kSPIF_SENDCHANGE);
    ApplyButton.SetEnabled(false);
}

void TMainForm::OkClick() {
    PopDeskTrigger::Pause pause(DeskTrigger);
    SaveSettings();
    ApplySettings();
    StopPicking();
    Hide();
}

void TMainForm::ApplyClick() {
    PopDeskTrigger::Pause pause(DeskTrigger);
    ApplySettings();
}

void TMainForm::CancelClick() {
    StopPicking();
    ShowApplications(AppliedApplications); // unlike the other pages, this one forgets its edits
    ApplyButton.SetEnabled(false);
    Hide();
}

void TMainForm::OpenConfiguration() {
    for (const SettingRow& row : SettingTable()) {
        if (row.Refreshed) {
            row.Show(*this, row.Mode ? (Runtime.*row.Mode ? 1 : 0) : row.Value(Runtime));
        }
    }
    ShowApplications(AppliedApplications);
    ApplyButton.SetEnabled(false);
    Show();
}

// --- Change handlers: a change waits for OK or Apply.

void TMainForm::EnableApply() {
    ApplyButton.SetEnabled(true);
}

void TMainForm::PopDeskBoxClick() {
    EnableApply();
    PopDeskOptionsGroup.SetEnabled(PopDeskBox.Checked());
    DeskTrigger.TearDownHeldMenu();
}

} // namespace gw
