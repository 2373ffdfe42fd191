// TMainForm: the settings file, the apply step and the configuration window's buttons and handlers.

#include "app/MainForm.h"

#include "settings/SettingsFile.h"
#include "shared/HookShare.h"
#include "shared/Win32Values.h"

#include <array>

namespace gw {

namespace {

// One key of the settings file and the control that shows it; exactly one control is set.
struct SettingRow {
    const char* Section;
    const char* Key;
    std::int32_t Default;
    TComboBox* List = nullptr;
    TTrackBar* Slider = nullptr;
    TCheckBox* Box = nullptr;
};

// The keys in the order they are read and written.
std::array<SettingRow, kSettingKeyCount> SettingRows(TMainForm& f) {
    return {{
        {"Scroll", "LiveKey", 2, &f.ComboBox_aj},
        {"Scroll", "SpeedX", 10, nullptr, &f.TrackBar_hx},
        {"Scroll", "SpeedY", 20, nullptr, &f.TrackBar_zx},
        {"Tools", "Check_zhlrj", 0, nullptr, nullptr, &f.Check_zhlrj},
        {"Tools", "Check_ctype", 0, nullptr, nullptr, &f.Check_ctype},
        {"Tools", "Check_dwan", 0, nullptr, nullptr, &f.Check_dwan},
        {"popdesk", "deskactive", 0, &f.cb_deskactive},
        {"popdesk", "desktopuse", 0, nullptr, nullptr, &f.chb_deskpop},
        {"popdesk", "desktoptime", 0, &f.cb_desktoptime},
        {"Scroll", "ScrollModeA", 0, &f.Combo_KZFS},
        {"Scroll", "ScrollModeB", 1, &f.Combo_GPFS},
        {"Scroll", "GpEnabled", 1, nullptr, nullptr, &f.CheckBox_GP},
        {"Tools", "Check_autorun", 1, nullptr, nullptr, &f.Check_autorun},
        {"Scroll", "MoveLock", 0, nullptr, nullptr, &f.CheckBox_lock},
        {"Scroll", "MoveBack", 0, nullptr, nullptr, &f.CheckBox_back},
        {"Scroll", "Inverse", 0, nullptr, nullptr, &f.CheckBox_Inverse},
        // After the older keys of [Scroll], so that a file written before it existed keeps its lines
        // and gains this one at the end of [Scroll].
        {"Scroll", "AutoFollow", 0, nullptr, nullptr, &f.CheckBox_follow},
        // Newer than the others: written last, it joins the end of its section.
        {"popdesk", "everymonitor", 0, nullptr, nullptr, &f.chb_everymonitor},
    }};
}

// The row's control value as the file stores it.
std::int32_t ControlValue(const SettingRow& row) {
    if (row.List) {
        return row.List->ItemIndex();
    }
    if (row.Slider) {
        return row.Slider->Position();
    }
    return row.Box->Checked() ? 1 : 0;
}

} // namespace

std::string TMainForm::SettingsPath() const {
    return ExeFolder + "GWing.ini";
}

void TMainForm::LoadSettings() {
    SettingsFile file(seams_.Profile, SettingsPath());
    for (const SettingRow& row : SettingRows(*this)) {
        if (row.List) {
            row.List->SetItemIndex(file.ReadInteger(row.Section, row.Key, row.Default));
        } else if (row.Slider) {
            row.Slider->SetPosition(file.ReadInteger(row.Section, row.Key, row.Default));
        } else {
            row.Box->SetChecked(file.ReadBool(row.Section, row.Key, row.Default != 0));
        }
    }
    SettingsInForce = ControlValues();
    AppliedApplications = ReadApplicationSettings(file);
    ShowApplications(AppliedApplications);
    SetTrayState(TrayStateFor(CheckBox_GP.Checked()));
}

void TMainForm::SaveSettings() {
    WriteSettings(ControlValues(), PageApplications());
}

// The Applications page's pending edits stay in the window too: the applied list is what is in force.
void TMainForm::SaveSettingsInForce() {
    WriteSettings(SettingsInForce, AppliedApplications);
}

void TMainForm::WriteSettings(const SettingValues& values, const ApplicationSettings& applications) {
    SettingsFile file(seams_.Profile, SettingsPath());
    const auto rows = SettingRows(*this);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].Box) {
            file.WriteBool(rows[i].Section, rows[i].Key, values[i] != 0);
        } else {
            file.WriteInteger(rows[i].Section, rows[i].Key, values[i]);
        }
    }
    WriteApplicationSettings(file, applications);
}

SettingValues TMainForm::ControlValues() {
    const auto rows = SettingRows(*this);
    SettingValues values{};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        values[i] = ControlValue(rows[i]);
    }
    return values;
}

void TMainForm::TakeInForce(const void* control) {
    const auto rows = SettingRows(*this);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].List == control || rows[i].Slider == control || rows[i].Box == control) {
            SettingsInForce[i] = ControlValue(rows[i]);
        }
    }
}

void TMainForm::ReadControls() {
    Runtime.ActivateKeyIndex = ComboBox_aj.ItemIndex();
    Runtime.SpeedX = TrackBar_hx.Position();
    Runtime.SpeedY = TrackBar_zx.Position();
    Runtime.SwapButtons = Check_zhlrj.Checked();
    Runtime.HideWhileTyping = Check_ctype.Checked();
    Runtime.JumpToDefault = Check_dwan.Checked();
    Runtime.PopDeskEnabled = chb_deskpop.Checked();
    Runtime.PopDeskCorner = cb_deskactive.ItemIndex();
    // With no wait selected (a stored position outside the list) PopDesk waits as long as the
    // first, default entry says.
    const std::string wait =
        cb_desktoptime.ItemIndex() >= 0 ? cb_desktoptime.SelectedText() : cb_desktoptime.Items().front();
    Runtime.PopDeskDelay = ParseSettingInteger(wait).value_or(100);
    Runtime.PopDeskEveryMonitor = chb_everymonitor.Checked();
    if (Combo_KZFS.ItemIndex() != 0) {
        Runtime.ToggleMode = true;
        menu_toggle.SetChecked(true);
    } else {
        Runtime.ToggleMode = false;
        menu_classic.SetChecked(true);
    }
    if (Combo_GPFS.ItemIndex() != 0) {
        Runtime.MoveScrollMode = true;
        Menu_move.SetChecked(true);
    } else {
        Runtime.MoveScrollMode = false;
        Menu_auto.SetChecked(true);
    }
    Runtime.ScrollEnabled = CheckBox_GP.Checked();
    Runtime.AutoRun = Check_autorun.Checked();
    Runtime.MoveLock = CheckBox_lock.Checked();
    Runtime.MoveBack = CheckBox_back.Checked();
    Runtime.Inverse = CheckBox_Inverse.Checked();
    Runtime.AutoFollow = CheckBox_follow.Checked();
    Menu_GpEnabled.SetChecked(CheckBox_GP.Checked());
    DeskTrigger.SettingsApplied();
    // Everything just read is in force now, the speed sliders, the autorun box and the PopDesk
    // wait included, which Configure... does not put back.
    SettingsInForce = ControlValues();
    AppliedApplications = PageApplications();
    Runtime.ExcludedPrograms = AppliedApplications.Excluded;
    Runtime.FullScreenAside = AppliedApplications.FullScreenAside;
}

void TMainForm::UpdateActivateButton() {
    switch (Runtime.ActivateKeyIndex) {
    case 0:
        Runtime.ActivateButton = 1;
        break;
    case 1:
        Runtime.ActivateButton = 2;
        break;
    case 2:
        Runtime.ActivateButton = 3;
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

    Share.SetActivateButton(Runtime.ActivateButton);
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
    BitBtn_Apply.SetEnabled(false);
}

void TMainForm::BitBtn_okClick() {
    PopDeskTrigger::Pause pause(DeskTrigger);
    SaveSettings();
    ApplySettings();
    BitBtn_Apply.SetEnabled(false);
    StopPicking();
    Hide();
}

void TMainForm::BitBtn_applyClick() {
    PopDeskTrigger::Pause pause(DeskTrigger);
    ApplySettings();
    BitBtn_Apply.SetEnabled(false);
}

void TMainForm::BitBtn_CancelClick() {
    StopPicking();
    ShowApplications(AppliedApplications); // unlike the other pages, this one forgets its edits
    BitBtn_Apply.SetEnabled(false);
    Hide();
}

void TMainForm::OpenConfiguration() {
    ComboBox_aj.SetItemIndex(Runtime.ActivateKeyIndex);
    TrackBar_hx.SetPosition(Runtime.SpeedX);
    TrackBar_zx.SetPosition(Runtime.SpeedY);
    Check_zhlrj.SetChecked(Runtime.SwapButtons);
    Check_ctype.SetChecked(Runtime.HideWhileTyping);
    Check_dwan.SetChecked(Runtime.JumpToDefault);
    chb_deskpop.SetChecked(Runtime.PopDeskEnabled);
    cb_deskactive.SetItemIndex(Runtime.PopDeskCorner);
    chb_everymonitor.SetChecked(Runtime.PopDeskEveryMonitor);
    Combo_KZFS.SetItemIndex(Runtime.ToggleMode ? 1 : 0);
    Combo_GPFS.SetItemIndex(Runtime.MoveScrollMode ? 1 : 0);
    CheckBox_GP.SetChecked(Runtime.ScrollEnabled);
    CheckBox_lock.SetChecked(Runtime.MoveLock);
    CheckBox_back.SetChecked(Runtime.MoveBack);
    CheckBox_Inverse.SetChecked(Runtime.Inverse);
    CheckBox_follow.SetChecked(Runtime.AutoFollow);
    ShowApplications(AppliedApplications);
    BitBtn_Apply.SetEnabled(false);
    Show();
}

// --- Change handlers: a change waits for OK or Apply.

void TMainForm::EnableApply() {
    BitBtn_Apply.SetEnabled(true);
}

void TMainForm::Check_hotClick() {
    EnableApply();
}
void TMainForm::Combo_KZFSChange() {
    EnableApply();
}
void TMainForm::Combo_GPFSChange() {
    EnableApply();
}
void TMainForm::ComboBox_ajChange() {
    EnableApply();
}
void TMainForm::CheckBox_lockClick() {
    EnableApply();
}
void TMainForm::CheckBox_backClick() {
    EnableApply();
}
void TMainForm::CheckBox_InverseClick() {
    EnableApply();
}
void TMainForm::CheckBox_followClick() {
    EnableApply();
}
void TMainForm::TrackBar_hxChange() {
    EnableApply();
}
void TMainForm::TrackBar_zxChange() {
    EnableApply();
}
void TMainForm::Check_zhlrjClick() {
    EnableApply();
}
void TMainForm::Check_ctypeClick() {
    EnableApply();
}
void TMainForm::cb_deskactiveChange() {
    EnableApply();
}
void TMainForm::cb_desktoptimeChange() {
    EnableApply();
}
void TMainForm::chb_everymonitorClick() {
    EnableApply();
}
void TMainForm::Check_autorunClick() {
    EnableApply();
}

void TMainForm::chb_deskpopClick() {
    EnableApply();
    GroupBox4.SetEnabled(chb_deskpop.Checked());
    DeskTrigger.chb_deskpopClick(); // a menu still held is torn down at once
}

} // namespace gw
