// TMainForm: the tray icon, the tray menu, the drive doors and Lock Computer.

#include "app/MainForm.h"

#include "shared/HookShare.h"
#include "shared/Win32Values.h"
#include "base/Error.h"

namespace gw {

void TMainForm::SetTrayState(int state) {
    if (state == 1) {
        CoolTrayIcon1.SetIconIndex(0);
    } else if (state == 2) {
        CoolTrayIcon1.SetIconIndex(1);
    }
}

void TMainForm::CoolTrayIcon1MouseDown(TMouseButton button, std::uint32_t, Point) {
    if (button == TMouseButton::Left) {
        ScrollToggle();
    }
}

void TMainForm::CoolTrayIcon1DblClick() { Show(); }

void TMainForm::ScrollToggle() {
    const bool enabled = !Menu_GpEnabled.Checked();
    Menu_GpEnabled.SetChecked(enabled);
    Runtime.ScrollEnabled = enabled;
    CheckBox_GP.SetChecked(enabled);
    Share.Set(&HookShare::ScrollEnabled, enabled);
    SetTrayState(enabled ? 1 : 2);
    SaveSettings();
}

void TMainForm::Menu_GpEnabledClick() { ScrollToggle(); }

void TMainForm::ChooseMode(TMenuItem& item, TComboBox& list, int position, bool& mode) {
    if (item.Checked()) {
        return;
    }
    item.SetChecked(true);
    list.SetItemIndex(position);
    mode = position != 0;
    SaveSettings();
}

void TMainForm::menu_classicClick() { ChooseMode(menu_classic, Combo_KZFS, 0, Runtime.ToggleMode); }

void TMainForm::menu_toggleClick() { ChooseMode(menu_toggle, Combo_KZFS, 1, Runtime.ToggleMode); }

void TMainForm::Menu_autoClick() { ChooseMode(Menu_auto, Combo_GPFS, 0, Runtime.MoveScrollMode); }

void TMainForm::Menu_moveClick() { ChooseMode(Menu_move, Combo_GPFS, 1, Runtime.MoveScrollMode); }

void TMainForm::Glidewing1Click() { OpenConfiguration(); }

void TMainForm::N1Click() { Close(); }

void TMainForm::BuildDriveItems() {
    OpticalDrives.clear();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (seams_.Drives.DriveType(std::string{letter, ':'}) == win::kDRIVE_CDROM) {
            OpticalDrives += letter;
        }
    }
    if (OpticalDrives.size() >= 2) {
        // The two items become submenus with one item per drive.
        OpenCDROM1.OnClick = nullptr;
        CloseCDROM1.OnClick = nullptr;
        for (const char letter : OpticalDrives) {
            const std::string caption{letter, ':'};
            OpenCDROM1.Add(std::string("OpenCDROM_") + letter, caption).OnClick = [this](TMenuItem& sender) {
                OpenCDROM1Click(sender);
            };
            CloseCDROM1.Add(std::string("CloseCDROM_") + letter, caption).OnClick = [this](TMenuItem& sender) {
                CloseCDROM1Click(sender);
            };
        }
    } else if (OpticalDrives.empty()) {
        OpenCDROM1.SetEnabled(false);
        CloseCDROM1.SetEnabled(false);
    }
}

void TMainForm::OpenCDROM1Click(TMenuItem& sender) { DriveDoorClick(sender, true); }

void TMainForm::CloseCDROM1Click(TMenuItem& sender) { DriveDoorClick(sender, false); }

void TMainForm::DriveDoorClick(const TMenuItem& sender, bool open) {
    // The fixed item (its name ends in "1") exists as a command only with a single drive, which is
    // the system's default CD device; a per-drive item ends in its drive letter.
    const char last = sender.Name().empty() ? '1' : sender.Name().back();
    if (last == '1') {
        seams_.Mci.SendString(open ? "set cdaudio door open" : "set cdaudio door closed");
    } else {
        SetDriveDoor(std::string{last, ':'}, open);
    }
}

void TMainForm::SetDriveDoor(const std::string& drive, bool open) {
    std::uint32_t device = 0;
    seams_.Mci.Open(win::kMCI_WAIT | win::kMCI_OPEN_ELEMENT | win::kMCI_OPEN_TYPE_ID | win::kMCI_OPEN_TYPE,
                    win::kMCI_DEVTYPE_CD_AUDIO, drive, device);
    seams_.Mci.Command(device, win::kMCI_SET,
                       (open ? win::kMCI_SET_DOOR_OPEN : win::kMCI_SET_DOOR_CLOSED) | win::kMCI_WAIT);
    seams_.Mci.Command(device, win::kMCI_CLOSE, win::kMCI_WAIT);
}

void TMainForm::DetectNt5OrLater() {
    VersionInfo version;
    if (seams_.Version.GetVersionEx(version)) {
        IsNt5OrLater = version.MajorVersion >= 5 && version.PlatformId == win::kVER_PLATFORM_WIN32_NT;
    }
}

void TMainForm::LoadToolsLibrary() {
    ToolsModule = seams_.Libraries.Load(ExeFolder + "Tools.dll");
    if (!ToolsModule) {
        throw Error("Tools.Dll Not Found !");
    }
    LockTheComputerEntry = seams_.Libraries.Find(ToolsModule, "LockTheComputer");
    if (!LockTheComputerEntry) {
        throw Error("Cannot Find the DLL !");
    }
}

void TMainForm::N5Click() {
    if (IsNt5OrLater) {
        // Without Tools.dll there is no lock; a screen saver alone would only look like one.
        if (!LockTheComputerEntry) {
            return;
        }
        seams_.Libraries.CallNoArgs(LockTheComputerEntry);
        seams_.Desktop.Post(win::kWM_SYSCOMMAND, win::kSC_SCREENSAVE, 0);
        return;
    }
    bool active = false;
    if (seams_.SystemParameters.ScreenSaveActive(active) && active) {
        seams_.Desktop.Post(win::kWM_SYSCOMMAND, win::kSC_SCREENSAVE, 0);
    }
}

} // namespace gw
