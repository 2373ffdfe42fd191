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

// What the tray icon shows (SetTrayState): IconImagelist image 0 while scrolling is enabled,
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

// The keys of GWing.ini, one a setting; their values as the file stores them (a list position, a
// slider position, 1 or 0 for a box), in the order they are read and written.
inline constexpr std::size_t kSettingKeyCount = 18;
using SettingValues = std::array<std::int32_t, kSettingKeyCount>;

class TMainForm : public TForm {
public:
    TMainForm(TApplication& application, const MainFormSeams& seams);
    // FormDestroy has normally let everything go. If it never ran, the hooks still come out,
    // paused, before their library is freed; the other tokens free themselves.
    ~TMainForm() override;

    // --- Start-up and shutdown
    void FormCreate();
    void FormDestroy();
    bool LoadHookLibrary();
    void UnloadHookLibrary();

    // --- Messages posted by the hooks
    void HandleHookMouse(std::uintptr_t wParam, std::intptr_t lParam);
    void HandleHookKey(std::uintptr_t wParam, std::intptr_t lParam);

    // --- Timers
    void ScrollTimerTimer();
    void ReleaseGuardTimerTimer();
    void DesktopMenuLoopEnded(); // the menu component's end-of-menu notification

    // --- Settings
    void LoadSettings();
    void SaveSettings(); // the controls: what OK saves
    // What a change from the tray saves: the settings in force, never an edit the user has not
    // applied.
    void SaveSettingsInForce();
    void ReadControls();
    void UpdateActivateButton();
    void ApplySettings();
    void OpenConfiguration();
    void BitBtn_okClick();
    void BitBtn_applyClick();
    void BitBtn_CancelClick();

    // --- Change handlers of the configuration window
    void Check_hotClick();
    void Combo_KZFSChange();
    void Combo_GPFSChange();
    void ComboBox_ajChange();
    void CheckBox_lockClick();
    void CheckBox_backClick();
    void CheckBox_InverseClick();
    void CheckBox_followClick();
    void TrackBar_hxChange();
    void TrackBar_zxChange();
    void Check_zhlrjClick(); // also Check_dwan's
    void Check_ctypeClick();
    void chb_deskpopClick();
    void cb_deskactiveChange();
    void cb_desktoptimeChange();
    void chb_everymonitorClick();
    void Check_autorunClick();

    // --- The Applications page
    void ListBox_appsChange();
    void Btn_appaddClick();
    void Btn_appremoveClick();
    void Btn_apppickClick(); // starts (or stops) the countdown of PickTimer
    void PickTimerTimer();
    void Check_fullscreenClick();

    // --- Tray icon and tray menu
    void SetTrayState(TrayState state);
    void CoolTrayIcon1MouseDown(TMouseButton button, std::uint32_t shift, Point at);
    void CoolTrayIcon1DblClick();
    void Menu_GpEnabledClick();
    void menu_classicClick();
    void menu_toggleClick();
    void Menu_autoClick();
    void Menu_moveClick();
    void Glidewing1Click();
    void N1Click();
    void N5Click();
    void OpenCDROM1Click(TMenuItem& sender);
    void CloseCDROM1Click(TMenuItem& sender);
    void SetDriveDoor(const std::string& drive, bool open);
    void BuildDriveItems();
    void DetectNt5OrLater();
    void LoadToolsLibrary();

    // --- Autorun, help, About
    void UpdateAutorun();
    void Btn_helpClick();
    void Btn_VisitClick();
    void Btn_mailClick();

    // --- The configuration window (pages "Scroll", "Tools", "PopDesk", "Applications", "About").
    // The lists get their items, and every control its handler, in the constructor, one page at a
    // time.
    TPageControl PageControl{{"Scroll", "Tools", "PopDesk", "Applications", "About"}, 4}; // About shows first
    TCheckBox CheckBox_GP{"Enabled"};
    TComboBox Combo_KZFS;
    TComboBox Combo_GPFS;
    TComboBox ComboBox_aj;
    TCheckBox CheckBox_lock{"Lock mouse cursor"};
    TCheckBox CheckBox_back{"Move cursor back"};
    TCheckBox CheckBox_Inverse{"Inverse scroll direction"};
    TCheckBox CheckBox_follow{"Speed follows the distance"};
    TTrackBar TrackBar_hx{0, 60};
    TTrackBar TrackBar_zx{0, 60};
    TCheckBox Check_zhlrj{"Swap Left/Right Button"};
    TCheckBox Check_ctype{"Hide Cursor while typing"};
    TCheckBox Check_dwan{"Move Mouse to default button"};
    TCheckBox chb_deskpop{"Enable Popup Desktop Links"};
    TGroupBox GroupBox4{" Options of pop desktop links "};
    TComboBox cb_deskactive;
    TCheckBox chb_everymonitor{"On every monitor"}; // the corner of each monitor, in GroupBox4
    TComboBox cb_desktoptime;
    TListBox ListBox_apps; // the programs where Glidewing stands aside
    TButton Btn_appadd{"Add..."};
    TButton Btn_appremove{"Remove"};
    TButton Btn_apppick{kPickCaption};
    TCheckBox Check_fullscreen{"Stand aside while a full-screen program is in front"};
    TCheckBox Check_autorun{"Run Glidewing While System Booting"};
    TButton BitBtn_ok{"&OK"};
    TButton BitBtn_Cancel{"&Cancel"};
    TButton BitBtn_Apply{"&Apply"};
    TButton Btn_help{"&Help"};
    TButton Btn_Visit{"Visit Our Homepage"};
    TButton Btn_mail{"Contact us"};

    // --- Tray icon, its images and its menu. PopupMenu1 is built from its table (TrayMenuRows,
    // in menu order); the items the program names are then looked up by component name.
    TImageList IconImagelist{"IconImagelist", 32, 32, 2};
    TImageList ImageList1{"ImageList1", 16, 16, 4};
    TTrayIcon CoolTrayIcon1;
    TPopupMenu PopupMenu1{"PopupMenu1", TrayMenuRows(), *this};
    TMenuItem& N5 = PopupMenu1.Items.Named("N5");
    TMenuItem& OpenCDROM1 = PopupMenu1.Items.Named("OpenCDROM1");
    TMenuItem& CloseCDROM1 = PopupMenu1.Items.Named("CloseCDROM1");
    TMenuItem& N6 = PopupMenu1.Items.Named("N6");
    TMenuItem& Glidewing1 = PopupMenu1.Items.Named("Glidewing1");
    TMenuItem& N1 = PopupMenu1.Items.Named("N1");
    TMenuItem& Menu_GpEnabled = PopupMenu1.Items.Named("Menu_GpEnabled");
    TMenuItem& menu_classic = PopupMenu1.Items.Named("menu_classic");
    TMenuItem& menu_toggle = PopupMenu1.Items.Named("menu_toggle");
    TMenuItem& Menu_auto = PopupMenu1.Items.Named("Menu_auto");
    TMenuItem& Menu_move = PopupMenu1.Items.Named("Menu_move");

    TTimer ScrollTimer{100, false};       // one Auto Scroll step per tick; off outside a gesture
    TTimer PickTimer{1000, false};        // the countdown of "Add the program under the cursor"
    TTimer ReleaseGuardTimer{100, false}; // the lost-release guard; on during a Classic gesture

    // --- State
    RuntimeSettings Runtime; // the applied settings
    // The file's values of the settings in force: the controls as LoadSettings filled them and as
    // every apply read them, with the tray's own changes. Until the first apply they are what the
    // file gave, so a tray save before it writes the file's own values back.
    SettingValues SettingsInForce{};
    HookShareWriter Share;  // the program's view of the shared record; stores skipped while absent
    AsideShareWriter Aside; // the programs where the hooks stand aside, as they read them
    // What the Applications page goes back to on Cancel and Configure...: the applied list (until
    // the first apply, what the file said).
    ApplicationSettings AppliedApplications;
    int PickCountdown = 0; // seconds left before the program under the cursor is added
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
    OwnedSection HookShareSection;
    OwnedView HookShareView; // what Share writes through
    OwnedSection AsideShareSection;
    OwnedAsideView AsideShareView; // what Aside writes through
    OwnedModule ToolsModule;
    ProcAddress LockTheComputerEntry{};

    HTMLHelp_Decl HtmlHelp;

private:
    // PopupMenu1, top to bottom, with the Scroll options submenu under N6.
    static std::span<const MenuRow<TMainForm>> TrayMenuRows();
    // The controls of each page and of the button row get their list items and handlers.
    void SetUpScrollPage();
    void SetUpToolsPage();
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
    // A tray mode item chosen: check it, put the list at its position, set the mode (on for
    // position 1) and save what is in force; nothing when the item is already checked.
    void ChooseMode(TMenuItem& item, TComboBox& list, int position, bool& mode);
    // The values of the controls, in file order.
    SettingValues ControlValues();
    // The tray changed this control (CheckBox_GP, a mode list): its value is in force now.
    void TakeInForce(const void* control);
    void WriteSettings(const SettingValues& values, const ApplicationSettings& applications);
    // Eject or Close: the default CD device for the fixed item, else the drive the item names.
    void DriveDoorClick(const TMenuItem& sender, bool open);
    std::string SettingsPath() const;

    TApplication& application_;
    MainFormSeams seams_;
};

} // namespace gw
