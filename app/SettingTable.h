#pragma once
// The settings GWing.ini holds, one row each: where the file keeps it, its default, the runtime
// field that holds it in force and the control that edits it. Loading, saving, the apply, the
// Configure... refresh, the Apply button's enabling and the tray's own changes all go through
// these rows; the order of the rows is the order of the keys in the file.

#include "app/MainForm.h"

#include <cstdint>
#include <span>
#include <variant>

namespace gw {

using SettingField = std::variant<std::int32_t RuntimeSettings::*, bool RuntimeSettings::*>;
using SettingControl = std::variant<TComboBox TMainForm::*, TTrackBar TMainForm::*, TCheckBox TMainForm::*>;

struct SettingRow {
    const char* Section;
    const char* Key;
    std::int32_t Default;
    SettingField Field;
    SettingControl Control;
    // A list whose position switches a mode on (any position but the first): the mode.
    // Configure... shows it again as the first or the second position.
    bool RuntimeSettings::*Mode = nullptr;
    // Configure... puts the value in force back into the control; when not, the control keeps
    // what the user left in it, which the next OK applies and saves.
    bool Refreshed = true;

    // The value as the file stores it: a list or slider position, 1 or 0 for a box.
    std::int32_t Value(const RuntimeSettings& settings) const;
    void Keep(RuntimeSettings& settings, std::int32_t value) const;
    std::int32_t Shown(const TMainForm& form) const;
    void Show(TMainForm& form, std::int32_t value) const;
};

std::span<const SettingRow> SettingTable();
// The row of a runtime field; every field a row holds has one.
const SettingRow& SettingRowOf(SettingField field);

} // namespace gw
