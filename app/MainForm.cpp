#include "app/MainForm.h"

#include "app/HookMessages.h"
#include "shared/HookShare.h"
#include "base/Error.h"

namespace gw {

namespace {

// The folder part of a path, separator included; empty when the path has none.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

TMenuItem& Separator(TMenuItem& menu, const char* name) { return menu.Add(name, "-"); }

TMenuItem& WithImage(TMenuItem& item, int imageIndex) {
    item.SetImageIndex(imageIndex);
    return item;
}

} // namespace

TMainForm::TMainForm(TApplication& application, const MainFormSeams& seams)
    : PageControl({"Scroll", "Tools", "PopDesk", "About"}, 3),  // About shows the first time
      CheckBox_GP("Enabled"),
      CheckBox_lock("Lock mouse cursor"),
      CheckBox_back("Move cursor back"),
      CheckBox_Inverse("Inverse scroll direction"),
      TrackBar_hx(0, 60),
      TrackBar_zx(0, 60),
      Check_zhlrj("Swap Left/Right Button"),
      Check_ctype("Hide Cursor while typing"),
      Check_dwan("Move Mouse to default button"),
      chb_deskpop("Enable Popup Desktop Links"),
      GroupBox4(" Options of pop desktop links "),
      Check_autorun("Run Glidewing While System Booting"),
      BitBtn_ok("&OK"),
      BitBtn_Cancel("&Cancel"),
      BitBtn_Apply("&Apply"),
      Btn_help("&Help"),
      Btn_Visit("Visit Our Homepage"),
      Btn_mail("Contact us"),
      IconImagelist("IconImagelist", 32, 32, 2),
      ImageList1("ImageList1", 16, 16, 4),
      PopupMenu1("PopupMenu1"),
      N5(WithImage(PopupMenu1.Items.Add("N5", "Lock Computer"), 2)),
      N7(Separator(PopupMenu1.Items, "N7")),
      OpenCDROM1(WithImage(PopupMenu1.Items.Add("OpenCDROM1", "Eject CD-ROM"), 3)),
      CloseCDROM1(PopupMenu1.Items.Add("CloseCDROM1", "Close CD-ROM")),
      N4(Separator(PopupMenu1.Items, "N4")),
      N6(WithImage(PopupMenu1.Items.Add("N6", "Scroll options"), 1)),
      Glidewing1(PopupMenu1.Items.Add("Glidewing1", "Configure...")),
      N3(Separator(PopupMenu1.Items, "N3")),
      N1(WithImage(PopupMenu1.Items.Add("N1", "Exit"), 0)),
      Menu_GpEnabled(N6.Add("Menu_GpEnabled", "Enable")),
      N10(Separator(N6, "N10")),
      menu_classic(N6.Add("menu_classic", "Classic")),
      menu_toggle(N6.Add("menu_toggle", "Toggle")),
      N13(Separator(N6, "N13")),
      Menu_auto(N6.Add("Menu_auto", "Auto Scroll")),
      Menu_move(N6.Add("Menu_move", "Move Scroll")),
      MainTimer(100, true),
      ScrollTimer(100, false),
      Cursors(seams.Cursors),
      Engine(ScrollEnvironment{Runtime, Share, ScrollTimer, MainTimer, Cursors, seams.Windows, seams.ScrollWindows,
                               seams.ScrollInput, TrackBar_hx, TrackBar_zx, application}),
      HideCursor(Runtime, Share, Cursors),
      DeskLinks(seams.DesktopShell, seams.DeskIcons, desktopmenu),
      DeskTrigger(Runtime, MainTimer, [this] { return Engine.AutoDirection() != ScrollDirection::None; },
                  seams.PopDeskScreen, DeskLinks, desktopmenu),
      HtmlHelp(seams.Libraries, seams.HtmlHelp, seams.Files),
      application_(application),
      seams_(seams) {
    Combo_KZFS.SetItems({"Classic", "Toggle "});
    Combo_GPFS.SetItems({"Auto Scroll", "Move Scroll"});
    ComboBox_aj.SetItems({"Left Button", "Middle Button", "Right Button"});
    cb_deskactive.SetItems({"Top left corner of the screen", "Top right corner of the screen",
                            "Bottom left corner of the screen", "Bottom right corner of the screem"});
    cb_desktoptime.SetItems({"100", "200", "300", "500", "1000", "2000", "5000"});
    GroupBox4.SetEnabled(false);  // follows chb_deskpop, which starts cleared

    CheckBox_GP.OnClick = [this] { Check_hotClick(); };
    Combo_KZFS.OnChange = [this] { Combo_KZFSChange(); };
    Combo_GPFS.OnChange = [this] { Combo_GPFSChange(); };
    ComboBox_aj.OnChange = [this] { ComboBox_ajChange(); };
    CheckBox_lock.OnClick = [this] { CheckBox_lockClick(); };
    CheckBox_back.OnClick = [this] { CheckBox_backClick(); };
    CheckBox_Inverse.OnClick = [this] { CheckBox_InverseClick(); };
    TrackBar_hx.OnChange = [this] { TrackBar_hxChange(); };
    TrackBar_zx.OnChange = [this] { TrackBar_zxChange(); };
    Check_zhlrj.OnClick = [this] { Check_zhlrjClick(); };
    Check_ctype.OnClick = [this] { Check_ctypeClick(); };
    Check_dwan.OnClick = [this] { Check_zhlrjClick(); };
    chb_deskpop.OnClick = [this] { chb_deskpopClick(); };
    cb_deskactive.OnChange = [this] { cb_deskactiveChange(); };
    cb_desktoptime.OnChange = [this] { cb_desktoptimeChange(); };
    Check_autorun.OnClick = [this] { Check_autorunClick(); };
    BitBtn_ok.OnClick = [this] { BitBtn_okClick(); };
    BitBtn_Cancel.OnClick = [this] { BitBtn_CancelClick(); };
    BitBtn_Apply.OnClick = [this] { BitBtn_applyClick(); };
    Btn_help.OnClick = [this] { Btn_helpClick(); };
    Btn_Visit.OnClick = [this] { Btn_VisitClick(); };
    Btn_mail.OnClick = [this] { Btn_mailClick(); };

    // Until the first apply the quick options show Enable, Classic and Auto Scroll.
    Glidewing1.SetDefault(true);
    Menu_GpEnabled.SetDefault(true);
    Menu_GpEnabled.SetChecked(true);
    menu_classic.SetRadioGroup(1);
    menu_toggle.SetRadioGroup(1);
    Menu_auto.SetRadioGroup(3);
    Menu_move.SetRadioGroup(3);
    menu_classic.SetChecked(true);
    Menu_auto.SetChecked(true);

    N5.OnClick = [this](TMenuItem&) { N5Click(); };
    OpenCDROM1.OnClick = [this](TMenuItem& sender) { OpenCDROM1Click(sender); };
    CloseCDROM1.OnClick = [this](TMenuItem& sender) { CloseCDROM1Click(sender); };
    Glidewing1.OnClick = [this](TMenuItem&) { Glidewing1Click(); };
    N1.OnClick = [this](TMenuItem&) { N1Click(); };
    Menu_GpEnabled.OnClick = [this](TMenuItem&) { Menu_GpEnabledClick(); };
    menu_classic.OnClick = [this](TMenuItem&) { menu_classicClick(); };
    menu_toggle.OnClick = [this](TMenuItem&) { menu_toggleClick(); };
    Menu_auto.OnClick = [this](TMenuItem&) { Menu_autoClick(); };
    Menu_move.OnClick = [this](TMenuItem&) { Menu_moveClick(); };

    PopupMenu1.Images = &ImageList1;
    CoolTrayIcon1.Icons = &IconImagelist;
    CoolTrayIcon1.PopupMenu = &PopupMenu1;
    CoolTrayIcon1.OnMouseDown = [this](TMouseButton button, std::uint32_t shift, Point at) {
        CoolTrayIcon1MouseDown(button, shift, at);
    };
    CoolTrayIcon1.OnDblClick = [this] { CoolTrayIcon1DblClick(); };

    MainTimer.OnTimer = [this] { jia(); };
    ScrollTimer.OnTimer = [this] { ScrollTimerTimer(); };
}

TMainForm::~TMainForm() = default;

// --- Start-up and shutdown

void TMainForm::FormCreate() {
    BuildDriveItems();
    // PopDesk starts with no menu built or open, an empty item list and its constant shell flags:
    // its objects are new and DesktopLinks holds the flags' values.
    Cursors.RegisterAll();
    ScratchImage = std::make_unique<TIcon>();
    TrayImage = std::make_unique<TIcon>();
    ExeFolder = FolderOf(seams_.Files.ExecutablePath());
    // The scroll engine starts idle (no gesture, no direction) and the cursors shown: both
    // objects are new here.
    SetCaption(kMainCaption);
    CoolTrayIcon1.SetHint(kMainCaption);
    LoadSettings();
    DetectNt5OrLater();
    if (IsNt5OrLater) {
        LoadToolsLibrary();
    }
    LoadHookLibrary();
    ApplySettings();
}

bool TMainForm::LoadHookLibrary() {
    ILibraryLoader& libraries = seams_.Libraries;
    HookLibraryModule = libraries.Load(ExeFolder + "GWHooks.dll");
    if (!HookLibraryModule) {
        throw Error("GWHooks.Dll Not Found!");
    }
    KeyboardHookOnEntry = libraries.Find(HookLibraryModule, "KeyboardHookOn");
    KeyboardHookOffEntry = libraries.Find(HookLibraryModule, "KeyboardHookOff");
    MouseHookOnEntry = libraries.Find(HookLibraryModule, "MouseHookOn");
    MouseHookOffEntry = libraries.Find(HookLibraryModule, "MouseHookOff");
    if (!KeyboardHookOnEntry || !KeyboardHookOffEntry || !MouseHookOnEntry || !MouseHookOffEntry) {
        throw Error("Cannot find the required DLL functions!");
    }

    HookShareSection = seams_.Section.Create(kHookShareName, kHookShareSize);
    if (!HookShareSection) {
        throw Error("Error while create file!");
    }
    // A section we cannot write to would hand the hooks a zeroed record, and PassInput 0 makes
    // the mouse hook swallow every mouse message of the desktop: no hooks without a view.
    HookShare* view = seams_.Section.MapWritable(HookShareSection);
    if (!view) {
        throw Error("Error while create file!");
    }
    Share.Attach(view);
    Share.SetMainWindow(static_cast<std::uint32_t>(Handle().value));

    Share.SetActivateButton(0);
    Share.Set(&HookShare::CursorShown, true);
    Share.Set(&HookShare::HooksPaused, false);
    Share.Set(&HookShare::PassInput, true);
    Share.Set(&HookShare::ScrollEnabled, false);

    libraries.CallNoArgs(KeyboardHookOnEntry);
    libraries.CallNoArgs(MouseHookOnEntry);
    return true;
}

void TMainForm::FormDestroy() {
    ScratchImage.reset();
    if (ToolsModule) {
        seams_.Libraries.Free(ToolsModule);
        ToolsModule = {};
        LockTheComputerEntry = {};
    }
    Cursors.RestoreSystemCursors();
    Share.Set(&HookShare::HooksPaused, true);  // skipped when the record is absent
    UnloadHookLibrary();
    TrayImage.reset();
}

void TMainForm::UnloadHookLibrary() {
    ILibraryLoader& libraries = seams_.Libraries;
    if (KeyboardHookOffEntry) {
        libraries.CallNoArgs(KeyboardHookOffEntry);
    }
    if (MouseHookOffEntry) {
        libraries.CallNoArgs(MouseHookOffEntry);
    }
    if (HookLibraryModule) {
        libraries.Free(HookLibraryModule);
    }
    if (HookShareSection) {
        if (Share.View()) {
            seams_.Section.Unmap(Share.View());
        }
        seams_.Section.Close(HookShareSection);
    }
    Share.Detach();
    HookLibraryModule = {};
    KeyboardHookOnEntry = KeyboardHookOffEntry = MouseHookOnEntry = MouseHookOffEntry = {};
    HookShareSection = {};
}

// --- Messages of the hooks and the timers

void TMainForm::HandleHookMouse(std::uintptr_t wParam, std::intptr_t lParam) {
    const HookMouseEvent event = DecodeHookMouse(wParam, lParam);
    // Any mouse activity brings back a cursor that typing has hidden, before the scroll engine
    // looks at the message (and before it moves LastPos on).
    HideCursor.RestoreAfterTyping(event.Message, event.At, Engine.LastPos());
    Engine.HandleHookMouse(event.Message, event.At.x, event.At.y);
}

void TMainForm::HandleHookKey(std::uintptr_t wParam, std::intptr_t lParam) {
    const HookKeyEvent event = DecodeHookKey(wParam, lParam);
    HideCursor.HandleHookKey(event.VirtualKey);
}

void TMainForm::jia() { DeskTrigger.jia(); }

void TMainForm::ScrollTimerTimer() { Engine.ScrollTimerTimer(); }

void TMainForm::DesktopMenuLoopEnded() { DeskTrigger.DesktopMenuClosed(); }

} // namespace gw
