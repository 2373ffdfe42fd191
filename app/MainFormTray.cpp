// TMainForm: the tray icon, the tray menu, the drive doors and Lock Computer.

#include "app/MainForm.h"
#include "app/SettingTable.h"

#include "base/Error.h"
#include "shared/HookShare.h"
#include "shared/Win32Values.h"

#include <type_traits>

namespace gw {

namespace {

// A handler of the form as a menu row calls it: the sender goes only to the handlers that take one.
template <auto Handler> void Run(TMainForm& form, TMenuItem& sender) {
    if constexpr (std::is_invocable_v<decltype(Handler), TMainForm&, TMenuItem&>) {
        (form.*Handler)(sender);
    } else {
        (form.*Handler)();
    }
}

} // namespace

std::span<const MenuRow<TMainForm>> TMainForm::TrayMenuRows() {
    // Until the first apply the quick options show Enable, Classic and Auto Scroll.
    static constexpr MenuRow<TMainForm> kTrayMenu[] = {
        // parent, name, caption, picture, handler, radio group, default item, checked
        {nullptr, "N5", "Lock Computer", 2, Run<&TMainForm::LockComputerClick>},
        {nullptr, "N7", "-"},
        {nullptr, "OpenCDROM1", "Eject CD-ROM", 3, Run<&TMainForm::EjectClick>},
        {nullptr, "CloseCDROM1", "Close CD-ROM", -1, Run<&TMainForm::CloseDoorClick>},
        {nullptr, "N4", "-"},
        {nullptr, "N6", "Scroll options", 1},
        {nullptr, "Glidewing1", "Configure...", -1, Run<&TMainForm::ConfigureClick>, 0, true},
        {nullptr, "N3", "-"},
        {nullptr, "N1", "Exit", 0, Run<&TMainForm::ExitClick>},
        {"N6", "Menu_GpEnabled", "Enable", -1, Run<&TMainForm::EnableItemClick>, 0, true, true},
        {"N6", "N10", "-"},
        {"N6", "menu_classic", "Classic", -1, Run<&TMainForm::ClassicItemClick>, 1, false, true},
        {"N6", "menu_toggle", "Toggle", -1, Run<&TMainForm::ToggleItemClick>, 1},
        {"N6", "N13", "-"},
        {"N6", "Menu_auto", "Auto Scroll", -1, Run<&TMainForm::AutoScrollItemClick>, 3, false, true},
        {"N6", "Menu_move", "Move Scroll", -1, Run<&TMainForm::MoveScrollItemClick>, 3},
    };
    return kTrayMenu;
}

void TMainForm::SetUpTrayIcon() {
    TrayMenu.Images = &MenuPictures;
    TrayIcon.Icons = &TrayPictures;
    TrayIcon.PopupMenu = &TrayMenu;
    TrayIcon.OnMouseDown = [this](TMouseButton button, std::uint32_t shift, Point at) {
        TrayIconMouseDown(button, shift, at);
    };
    TrayIcon.OnDblClick = [this] { TrayIconDblClick(); };
}

void TMainForm::SetTrayState(TrayState state) {
    TrayIcon.SetIconIndex(state == TrayState::Enabled ? 0 : 1);
}

void TMainForm::TrayIconMouseDown(TMouseButton button, std::uint32_t, Point) {
    if (button == TMouseButton::Left) {
        ScrollToggle();
    }
}

void TMainForm::TrayIconDblClick() {
    Show();
}

void TMainForm::ScrollToggle() {
    const bool enabled = !EnableItem.Checked();
    EnableItem.SetChecked(enabled);
    ChangeFromTray(SettingRowOf(&RuntimeSettings::ScrollEnabled), enabled);
    Share.Set(&HookShare::ScrollEnabled, enabled);
    if (!enabled) {
        Engine.ScrollingSwitchedOff();
    }
    SetTrayState(TrayStateFor(enabled));
    SaveSettingsInForce();
}

void TMainForm::EnableItemClick() {
    ScrollToggle();
}

void TMainForm::ChooseMode(TMenuItem& item, std::int32_t RuntimeSettings::*position, std::int32_t value) {
    if (item.Checked()) {
        return;
    }
    item.SetChecked(true);
    ChangeFromTray(SettingRowOf(position), value);
    SaveSettingsInForce();
}

void TMainForm::ClassicItemClick() {
    ChooseMode(ClassicItem, &RuntimeSettings::ActivationModeIndex, 0);
}

void TMainForm::ToggleItemClick() {
    ChooseMode(ToggleItem, &RuntimeSettings::ActivationModeIndex, 1);
}

void TMainForm::AutoScrollItemClick() {
    ChooseMode(AutoScrollItem, &RuntimeSettings::ScrollModeIndex, 0);
}

void TMainForm::MoveScrollItemClick() {
    ChooseMode(MoveScrollItem, &RuntimeSettings::ScrollModeIndex, 1);
}

void TMainForm::ConfigureClick() {
    OpenConfiguration();
}

void TMainForm::ExitClick() {
    Close();
}

void TMainForm::BuildDriveItems() {
    OpticalDrives.clear();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (seams_.Drives.DriveType(std::string{letter, ':'}) == win::kDRIVE_CDROM) {
            OpticalDrives += letter;
        }
    }
    if (OpticalDrives.size() >= 2) {
        // The two items become submenus with one item per drive.
        EjectItem.OnClick = nullptr;
        CloseDoorItem.OnClick = nullptr;
        for (const char letter : OpticalDrives) {
            const std::string caption{letter, ':'};
            EjectItem.Add(std::string("OpenCDROM_") + letter, caption).OnClick = [this](TMenuItem& sender) {
                EjectClick(sender);
            };
            CloseDoorItem.Add(std::string("CloseCDROM_") + letter, caption).OnClick =
                [this](TMenuItem& sender) { CloseDoorClick(sender); };
        }
    } else if (OpticalDrives.empty()) {
        EjectItem.SetEnabled(false);
        CloseDoorItem.SetEnabled(false);
    }
}

void TMainForm::EjectClick(TMenuItem& sender) {
    DriveDoorClick(sender, true);
}

void TMainForm::CloseDoorClick(TMenuItem& sender) {
    DriveDoorClick(sender, false);
}

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
    ToolsModule = OwnedModule(seams_.Libraries, seams_.Libraries.Load(ExeFolder + "Tools.dll"));
    if (!ToolsModule) {
        throw Error("Tools.Dll Not Found !");
    }
    LockTheComputerEntry = seams_.Libraries.Find(ToolsModule.Get(), "LockTheComputer");
    if (!LockTheComputerEntry) {
        throw Error("Cannot Find the DLL !");
    }
}

void TMainForm::LockComputerClick() {
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
