#pragma once
// The main window object: owns the configuration window's controls, the tray icon and its menu,
// the applied settings, the wiring of the hook library and the shared record, and every handler
// of the program. It is portable: everything it asks of Windows goes through the seams in
// MainFormSeams, and the Win32 side mirrors its controls into real windows (ui/README.md).
//
// Life: construct, FormCreate (inside TApplication::Dispatch, which shows a start-up error and
// lets the program run on), messages and events, FormDestroy.

#include "app/CrashRecovery.h"
#include "app/Drives.h"
#include "app/ProgramAtCursor.h"
#include "app/SharedSection.h"
#include "app/Shell.h"
#include "app/SystemParameters.h"
#include "base/LibraryLoader.h"
#include "base/SystemCursors.h"
#include "base/SystemInfo.h"
#include "popdesk/DesktopLinks.h"
#include "popdesk/DesktopMenu.h"
#include "popdesk/PopDeskTrigger.h"
#include "scroll/ScrollEngine.h"
#include "settings/Applications.h"
#include "settings/HTMLHelp_Decl.h"
#include "settings/ProfileFile.h"
#include "settings/Registry.h"
#include "settings/RuntimeSettings.h"
#include "shared/AsideShareWriter.h"
#include "shared/Handle.h"
#include "shared/HookShareWriter.h"
#include "tools/HideCursorWhileTyping.h"
#include "ui/Application.h"
#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/Icon.h"
#include "ui/ImageList.h"
#include "ui/Menu.h"
#include "ui/OpenDialog.h"
#include "ui/Timer.h"
#include "ui/TrayIcon.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace gw {

// Everything the main window asks of the system, one small seam per concern.
struct MainFormSeams {
    ILibraryLoader& Libraries;
    ISharedSection& Section;
    ISystemParameters& SystemParameters;
    IDrives& Drives;
    IMci& Mci;
    IVersion& Version;
    IFileSystem& Files;
    IShell& Shell;
    IDesktopWindow& Desktop;
    IProfileFile& Profile;
    IRegistry& Registry;
    IHtmlHelpEntry& HtmlHelp;
    ICursorApi& Cursors;
    // The scroll engine's view of windows and input.
    IWindowQueries& Windows;
    IScrollWindowOps& ScrollWindows;
    IScrollInputOps& ScrollInput;
    // PopDesk: the cursor and screen, the shell's desktop folder, the menu's pictures.
    IPopDeskScreen& PopDeskScreen;
    IDesktopShell& DesktopShell;
    IDeskIcons& DeskIcons;
    // What a crash must undo, kept up to date while the hooks are in.
    CrashRecord& Crash;
    // The Applications page: the file-open dialog of Add... and the program under the cursor.
    IOpenDialog& OpenDialog;
    IProgramAtCursor& ProgramAtCursor;
};

// What the tray icon shows (SetTrayState): TrayPictures image 0 while scrolling is enabled,
// image 1 while it is disabled.
enum class TrayState { Enabled = 1, Disabled = 2 };

constexpr TrayState TrayStateFor(bool scrollEnabled) {
    return scrollEnabled ? TrayState::Enabled : TrayState::Disabled;
}

inline constexpr char kMainWindowClassName[] = "Glidewing_Brightloom_2002";
inline constexpr char kMainCaption[] = "Glidewing ";
inline constexpr char kHomePageAddress[] = "http://glidewing.example/";
inline constexpr char kContactAddress[] = "mailto:support@glidewing.example";
inline constexpr char kPickCaption[] = "Add the program under the cursor";

struct SettingRow;

class TMainForm : public TForm {
public:
    TMainForm(TApplication& application, const MainFormSeams& seams);
    // FormDestroy has normally let everything go. If it never ran, the hooks still come out,
    // paused, before their library is freed; the other tokens free themselves.
    ~TMainForm() override;

    // --- Start-up and shutdown
    void FormCreate();
    void FormDestroy();

    // --- Messages posted by the hooks
    void HandleHookMouse(std::uintptr_t wParam, std::intptr_t lParam);
    void HandleHookKey(std::uintptr_t wParam, std::intptr_t lParam);

    // --- Timers
    // --- The PopDesk menu
    void DesktopMenuLoopEnded(); // the menu component's end-of-menu notification

    // --- Settings
    void SaveSettings(); // the window's draft: what OK saves
    void ApplyClick();   // what Apply does, also while the button is disabled

    // --- The configuration window (pages "Scroll", "Tools", "PopDesk", "Applications", "About").
    // The lists get their items in the constructor, one page at a time; each setting's control is
    // a row of the settings table (app/SettingTable.h).
    TPageControl PageControl{{"Scroll", "Tools", "PopDesk", "Applications", "About"}, 4}; // About shows first
    TCheckBox ScrollEnabledBox{"Enabled"};
    TComboBox ActivationModeList;
    TComboBox ScrollModeList;
    TComboBox ActivateButtonList;
    TCheckBox MoveLockBox{"Lock mouse cursor"};
    TCheckBox MoveBackBox{"Move cursor back"};
    TCheckBox InverseBox{"Inverse scroll direction"};
    TCheckBox AutoFollowBox{"Speed follows the distance"};
    TTrackBar SpeedXSlider{0, 60};
    TTrackBar SpeedYSlider{0, 60};
    TCheckBox SwapButtonsBox{"Swap Left/Right Button"};
    TCheckBox HideWhileTypingBox{"Hide Cursor while typing"};
    TCheckBox JumpToDefaultBox{"Move Mouse to default button"};
    TCheckBox PopDeskBox{"Enable Popup Desktop Links"};
    TGroupBox PopDeskOptionsGroup{" Options of pop desktop links "};
    TComboBox PopDeskCornerList;
    TCheckBox EveryMonitorBox{"On every monitor"}; // the corner of each monitor, in PopDeskOptionsGroup
    TComboBox PopDeskDelayList;
    TListBox ProgramList; // the programs where Glidewing stands aside
    TButton AddProgramButton{"Add..."};
    TButton RemoveProgramButton{"Remove"};
    TButton PickProgramButton{kPickCaption};
    TCheckBox FullScreenAsideBox{"Stand aside while a full-screen program is in front"};
    TCheckBox AutoRunBox{"Run Glidewing While System Booting"};
    TButton OkButton{"&OK"};
    TButton CancelButton{"&Cancel"};
    TButton ApplyButton{"&Apply"};
    TButton HelpButton{"&Help"};
    TButton VisitButton{"Visit Our Homepage"};
    TButton MailButton{"Contact us"};

    // --- Tray icon, its images and its menu. TrayMenu is built from its table (TrayMenuRows,
    // in menu order); the items the program names are then looked up by component name.
    TImageList TrayPictures{"IconImagelist", 32, 32, 2};
    TImageList MenuPictures{"ImageList1", 16, 16, 4};
    TTrayIcon TrayIcon;
    TPopupMenu TrayMenu{"PopupMenu1", TrayMenuRows(), *this};
    TMenuItem& LockItem = TrayMenu.Items.Named("N5");
    TMenuItem& EjectItem = TrayMenu.Items.Named("OpenCDROM1");
    TMenuItem& CloseDoorItem = TrayMenu.Items.Named("CloseCDROM1");
    TMenuItem& ScrollOptionsItem = TrayMenu.Items.Named("N6");
    TMenuItem& ConfigureItem = TrayMenu.Items.Named("Glidewing1");
    TMenuItem& ExitItem = TrayMenu.Items.Named("N1");
    TMenuItem& EnableItem = TrayMenu.Items.Named("Menu_GpEnabled");
    TMenuItem& ClassicItem = TrayMenu.Items.Named("menu_classic");
    TMenuItem& ToggleItem = TrayMenu.Items.Named("menu_toggle");
    TMenuItem& AutoScrollItem = TrayMenu.Items.Named("Menu_auto");
    TMenuItem& MoveScrollItem = TrayMenu.Items.Named("Menu_move");

    TTimer ScrollTimer{100, false};       // one Auto Scroll step per tick; off outside a gesture
    TTimer PickTimer{1000, false};        // the countdown of "Add the program under the cursor"
    TTimer ReleaseGuardTimer{100, false}; // the lost-release guard; on during a Classic gesture

    // --- State
    RuntimeSettings Runtime; // the applied settings
    HookShareWriter Share;   // the program's view of the shared record; stores skipped while absent
    AsideShareWriter Aside;  // the programs where the hooks stand aside, as they read them
    SystemCursors Cursors;
    ScrollEngine Engine;              // the scroll gestures
    HideCursorWhileTyping HideCursor; // hide while typing; holds SystemCursorsShown
    TDesktopMenu desktopmenu;         // the PopDesk menu (owner-drawn on Windows)
    DesktopLinks DeskLinks;           // what desktopmenu lists, and launching it
    PopDeskTrigger DeskTrigger;       // the corner trigger and its timer
    std::string ExeFolder;            // with a trailing separator
    std::string OpticalDrives;        // letters of the optical drives, in letter order
    bool IsNt5OrLater = false;
    std::unique_ptr<TIcon> ScratchImage; // through which replacement cursors are installed
    std::unique_ptr<TIcon> TrayImage;    // what the tray icon shows

    // Owned: FormDestroy gives them back in the order of the shutdown sequence.
    OwnedModule HookLibraryModule;
    ProcAddress KeyboardHookOnEntry{};
    ProcAddress KeyboardHookOffEntry{};
    ProcAddress MouseHookOnEntry{};
    ProcAddress MouseHookOffEntry{};

private:
    OwnedSection HookShareSection;
    OwnedView HookShareView; // what Share writes through
    OwnedSection AsideShareSection;
    OwnedAsideView AsideShareView; // what Aside writes through
    OwnedModule ToolsModule;
    ProcAddress LockTheComputerEntry{};

    HTMLHelp_Decl HtmlHelp;

    bool LoadHookLibrary();
    void UnloadHookLibrary();
    void ScrollTimerTimer();
    void ReleaseGuardTimerTimer();

    // --- Settings
    void LoadSettings();
    // What a change from the tray saves: the settings in force, never an edit the user has not
    // applied.
    void SaveSettingsInForce();
    void ReadControls();
    void UpdateActivateButton();
    void ApplySettings();
    void OpenConfiguration();
    void OkClick();
    void CancelClick();

    // --- The Applications page
    void ProgramListChange();
    void AddProgramClick();
    void RemoveProgramClick();
    void PickProgramClick(); // starts (or stops) the countdown of PickTimer
    void PickTimerTimer();
    void FullScreenAsideClick();

    // --- Tray icon and tray menu
    void SetTrayState(TrayState state);
    void TrayIconMouseDown(TMouseButton button, std::uint32_t shift, Point at);
    void TrayIconDblClick();
    void EnableItemClick();
    void ClassicItemClick();
    void ToggleItemClick();
    void AutoScrollItemClick();
    void MoveScrollItemClick();
    void ConfigureClick();
    void ExitClick();
    void LockComputerClick();
    void EjectClick(TMenuItem& sender);
    void CloseDoorClick(TMenuItem& sender);
    void SetDriveDoor(const std::string& drive, bool open);
    void BuildDriveItems();
    void DetectNt5OrLater();
    void LoadToolsLibrary();

    // --- Autorun, help, About
    void UpdateAutorun();
    void HelpClick();
    void VisitClick();
    void MailClick();

    // TrayMenu, top to bottom, with the Scroll options submenu under ScrollOptionsItem.
    static std::span<const MenuRow<TMainForm>> TrayMenuRows();
    // The controls of each page and of the button row get their list items and handlers.
    void SetUpScrollPage();
    void SetUpPopDeskPage();
    void SetUpApplicationsPage();
    void SetUpAboutPage();
    void SetUpButtonRow();
    void SetUpTrayIcon();

    void EnableApply();
    // The Applications page: shows a list and the full-screen box, nothing selected; reads them.
    void ShowApplications(const ApplicationSettings& settings);
    ApplicationSettings PageApplications() const;
    void AddProgramPath(const std::string& path);
    void StopPicking();
    void CreateAsideShare();
    void ScrollToggle();
    // A tray mode item chosen: check it, put its list at the item's position (which sets the
    // mode) and save what is in force; nothing when the item is already checked.
    void ChooseMode(TMenuItem& item, std::int32_t RuntimeSettings::*position, std::int32_t value);
    // Every setting's control enables Apply when the user changes it.
    void SetUpSettingControls();
    void PopDeskBoxClick();
    // The settings as the window shows them: what OK saves and an apply puts in force.
    RuntimeSettings Draft() const;
    // What a tray save writes: the applied settings; before the first apply the file's own
    // values, with the tray's changes.
    RuntimeSettings& InForce();
    // The tray changed a setting: the window shows it and it is in force at once.
    void ChangeFromTray(const SettingRow& row, std::int32_t value);
    void WriteSettings(const RuntimeSettings& settings, const ApplicationSettings& applications);
    // Eject or Close: the default CD device for the fixed item, else the drive the item names.
    void DriveDoorClick(const TMenuItem& sender, bool open);
    std::string SettingsPath() const;

    // What the Applications page goes back to on Cancel and Configure...: the applied list (until
    // the first apply, what the file said).
    ApplicationSettings AppliedApplications;
    int PickCountdown = 0;   // seconds left before the program under the cursor is added
    RuntimeSettings loaded_; // the file's values as LoadSettings read them
    bool applied_ = false;

    TApplication& application_;
    MainFormSeams seams_;
};

} // namespace gw
