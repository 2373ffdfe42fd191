#pragma once
// The main window object: owns the configuration window's controls, the tray icon and its menu,
// the applied settings, the wiring of the hook library and the shared record, and every handler
// of the program. It is portable: everything it asks of Windows goes through the seams in
// MainFormSeams, and the Win32 side mirrors its controls into real windows (ui/README.md).
//
// Life: construct, FormCreate (inside TApplication::Dispatch, which shows a start-up error and
// lets the program run on), messages and events, FormDestroy.

#include "app/Drives.h"
#include "base/LibraryLoader.h"
#include "app/SharedSection.h"
#include "app/Shell.h"
#include "base/SystemInfo.h"
#include "app/SystemParameters.h"
#include "popdesk/DesktopLinks.h"
#include "popdesk/DesktopMenu.h"
#include "popdesk/PopDeskTrigger.h"
#include "scroll/ScrollEngine.h"
#include "base/SystemCursors.h"
#include "settings/HTMLHelp_Decl.h"
#include "settings/ProfileFile.h"
#include "settings/Registry.h"
#include "settings/RuntimeSettings.h"
#include "tools/HideCursorWhileTyping.h"
#include "shared/Handle.h"
#include "shared/HookShareWriter.h"
#include "ui/Application.h"
#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/Icon.h"
#include "ui/ImageList.h"
#include "ui/Menu.h"
#include "ui/Timer.h"
#include "ui/TrayIcon.h"

#include <cstdint>
#include <memory>
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
};

inline constexpr char kMainWindowClassName[] = "Glidewing_Brightloom_2002";
inline constexpr char kMainCaption[] = "Glidewing ";
inline constexpr char kHomePageAddress[] = "http://glidewing.example/";
inline constexpr char kContactAddress[] = "mailto:support@glidewing.example";

class TMainForm : public TForm {
public:
    TMainForm(TApplication& application, const MainFormSeams& seams);
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
    void jia();  // MainTimer: the PopDesk corner trigger
    void ScrollTimerTimer();
    void DesktopMenuLoopEnded();  // the menu component's end-of-menu notification

    // --- Settings
    void LoadSettings();
    void SaveSettings();
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
    void TrackBar_hxChange();
    void TrackBar_zxChange();
    void Check_zhlrjClick();  // also Check_dwan's
    void Check_ctypeClick();
    void chb_deskpopClick();
    void cb_deskactiveChange();
    void cb_desktoptimeChange();
    void Check_autorunClick();

    // --- Tray icon and tray menu
    void SetTrayState(int state);
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

    // --- The configuration window (pages "Scroll", "Tools", "PopDesk", "About")
    TPageControl PageControl;
    TCheckBox CheckBox_GP;
    TComboBox Combo_KZFS;
    TComboBox Combo_GPFS;
    TComboBox ComboBox_aj;
    TCheckBox CheckBox_lock;
    TCheckBox CheckBox_back;
    TCheckBox CheckBox_Inverse;
    TTrackBar TrackBar_hx;
    TTrackBar TrackBar_zx;
    TCheckBox Check_zhlrj;
    TCheckBox Check_ctype;
    TCheckBox Check_dwan;
    TCheckBox chb_deskpop;
    TGroupBox GroupBox4;
    TComboBox cb_deskactive;
    TComboBox cb_desktoptime;
    TCheckBox Check_autorun;
    TButton BitBtn_ok;
    TButton BitBtn_Cancel;
    TButton BitBtn_Apply;
    TButton Btn_help;
    TButton Btn_Visit;
    TButton Btn_mail;

    // --- Tray icon, its images and its menu. The item references are declared in menu order:
    // the constructor builds the menu through them.
    TImageList IconImagelist;
    TImageList ImageList1;
    TTrayIcon CoolTrayIcon1;
    TPopupMenu PopupMenu1;
    TMenuItem& N5;
    TMenuItem& N7;
    TMenuItem& OpenCDROM1;
    TMenuItem& CloseCDROM1;
    TMenuItem& N4;
    TMenuItem& N6;
    TMenuItem& Glidewing1;
    TMenuItem& N3;
    TMenuItem& N1;
    TMenuItem& Menu_GpEnabled;
    TMenuItem& N10;
    TMenuItem& menu_classic;
    TMenuItem& menu_toggle;
    TMenuItem& N13;
    TMenuItem& Menu_auto;
    TMenuItem& Menu_move;

    TTimer MainTimer;    // 100 ms: the PopDesk trigger
    TTimer ScrollTimer;  // one Auto Scroll step per tick; off outside a gesture

    // --- State
    RuntimeSettings Runtime;  // the applied settings
    HookShareWriter Share;    // the program's view of the shared record; stores skipped while absent
    SystemCursors Cursors;
    ScrollEngine Engine;                  // the scroll gestures
    HideCursorWhileTyping HideCursor;     // hide while typing; holds SystemCursorsShown
    TDesktopMenu desktopmenu;             // the PopDesk menu (owner-drawn on Windows)
    DesktopLinks DeskLinks;               // what desktopmenu lists, and launching it
    PopDeskTrigger DeskTrigger;           // the corner trigger `jia`
    std::string ExeFolder;       // with a trailing separator
    std::string OpticalDrives;   // letters of the optical drives, in letter order
    bool IsNt5OrLater = false;
    std::unique_ptr<TIcon> ScratchImage;  // through which replacement cursors are installed
    std::unique_ptr<TIcon> TrayImage;     // what the tray icon shows

    ModuleHandle HookLibraryModule{};
    ProcAddress KeyboardHookOnEntry{};
    ProcAddress KeyboardHookOffEntry{};
    ProcAddress MouseHookOnEntry{};
    ProcAddress MouseHookOffEntry{};
    KernelHandle HookShareSection{};
    ModuleHandle ToolsModule{};
    ProcAddress LockTheComputerEntry{};

    HTMLHelp_Decl HtmlHelp;

private:
    void EnableApply();
    void ScrollToggle();
    // A tray mode item chosen: check it, put the list at its position, set the mode (on for
    // position 1) and save; nothing when the item is already checked.
    void ChooseMode(TMenuItem& item, TComboBox& list, int position, bool& mode);
    // Eject or Close: the default CD device for the fixed item, else the drive the item names.
    void DriveDoorClick(const TMenuItem& sender, bool open);
    std::string SettingsPath() const;

    TApplication& application_;
    MainFormSeams seams_;
};

} // namespace gw
