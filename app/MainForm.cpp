#include "app/MainForm.h"

#include "app/HookMessages.h"
#include "base/Error.h"
#include "shared/HookShare.h"

namespace gw {

namespace {

// The folder part of a path, separator included; empty when the path has none.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

TMainForm::TMainForm(TApplication& application, const MainFormSeams& seams)
    : Cursors(seams.Cursors),
      Engine(ScrollEnvironment{Runtime, Share, ScrollTimer, ReleaseGuardTimer, Cursors, seams.Windows,
                               seams.ScrollWindows, seams.ScrollInput, SpeedXSlider, SpeedYSlider,
                               application}),
      HideCursor(Runtime, Share, Cursors), DeskLinks(seams.DesktopShell, seams.DeskIcons, desktopmenu),
      DeskTrigger(
          Runtime, [this] { return Engine.Gesturing(); }, seams.PopDeskScreen, DeskLinks, desktopmenu),
      HtmlHelp(seams.Libraries, seams.HtmlHelp), application_(application), seams_(seams) {
    SetUpScrollPage();
    SetUpPopDeskPage();
    SetUpApplicationsPage();
    SetUpAboutPage();
    SetUpSettingControls();
    SetUpButtonRow();
    SetUpTrayIcon();
    ScrollTimer.OnTimer = [this] { ScrollTimerTimer(); };
    PickTimer.OnTimer = [this] { PickTimerTimer(); };
    ReleaseGuardTimer.OnTimer = [this] { ReleaseGuardTimerTimer(); };
}

TMainForm::~TMainForm() {
    if (HookLibraryModule) {
        Share.Set(&HookShare::HooksPaused, true);
        UnloadHookLibrary();
    }
}

void TMainForm::SetUpScrollPage() {
    ActivationModeList.SetItems({"Classic", "Toggle "});
    ScrollModeList.SetItems({"Auto Scroll", "Move Scroll"});
    ActivateButtonList.SetItems({"Left Button", "Middle Button", "Right Button"});
}

void TMainForm::SetUpPopDeskPage() {
    PopDeskCornerList.SetItems({"Top left corner of the screen", "Top right corner of the screen",
                                "Bottom left corner of the screen", "Bottom right corner of the screem"});
    PopDeskDelayList.SetItems({"100", "200", "300", "500", "1000", "2000", "5000"});
    PopDeskOptionsGroup.SetEnabled(false); // follows PopDeskBox, which starts cleared
}

void TMainForm::SetUpAboutPage() {
    VisitButton.OnClick = [this] { VisitClick(); };
    MailButton.OnClick = [this] { MailClick(); };
}

void TMainForm::SetUpButtonRow() {
    OkButton.OnClick = [this] { OkClick(); };
    CancelButton.OnClick = [this] { CancelClick(); };
    ApplyButton.OnClick = [this] { ApplyClick(); };
    HelpButton.OnClick = [this] { HelpClick(); };
}

// --- Start-up and shutdown

void TMainForm::FormCreate() {
    // A crash or a kill in the middle of a gesture leaves the direction cursors on the desktop;
    // starting again puts the user's own back before anything else.
    Cursors.RestoreSystemCursors();
    BuildDriveItems();
    Cursors.RegisterAll();
    ScratchImage = std::make_unique<TIcon>();
    Cursors.UseScratchImage(&ScratchImage->Image);
    TrayImage = std::make_unique<TIcon>();
    ExeFolder = FolderOf(seams_.Files.ExecutablePath());
    SetCaption(kMainCaption);
    TrayIcon.SetHint(kMainCaption);
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
    HookLibraryModule = OwnedModule(libraries, libraries.Load(ExeFolder + "GWHooks.dll"));
    if (!HookLibraryModule) {
        throw Error("GWHooks.Dll Not Found!");
    }
    // A missing export ends the start-up with the library loaded and the addresses found kept.
    KeyboardHookOnEntry = libraries.Find(HookLibraryModule.Get(), "KeyboardHookOn");
    KeyboardHookOffEntry = libraries.Find(HookLibraryModule.Get(), "KeyboardHookOff");
    MouseHookOnEntry = libraries.Find(HookLibraryModule.Get(), "MouseHookOn");
    MouseHookOffEntry = libraries.Find(HookLibraryModule.Get(), "MouseHookOff");
    if (!KeyboardHookOnEntry || !KeyboardHookOffEntry || !MouseHookOnEntry || !MouseHookOffEntry) {
        throw Error("Cannot find the required DLL functions!");
    }

    ISharedSection& section = seams_.Section;
    HookShareSection = OwnedSection(section, section.Create(kHookShareName, kHookShareSize));
    if (!HookShareSection) {
        throw Error("Error while create file!");
    }
    // A section we cannot write to would hand the hooks a zeroed record, and PassInput 0 makes
    // the mouse hook swallow every mouse message of the desktop: no hooks without a view.
    HookShareView = OwnedView(section, section.MapWritable(HookShareSection.Get()));
    if (!HookShareView) {
        throw Error("Error while create file!");
    }
    Share.Attach(HookShareView.Get());
    Share.SetMainWindow(static_cast<std::uint32_t>(Handle().value));

    Share.SetActivateButton(0);
    Share.Set(&HookShare::CursorShown, true);
    Share.Set(&HookShare::HooksPaused, false);
    Share.Set(&HookShare::PassInput, true);
    Share.Set(&HookShare::ScrollEnabled, false);
    CreateAsideShare();

    // From here on a crash takes the hooks out too.
    seams_.Crash = CrashRecord{HookShareView.Get(), KeyboardHookOffEntry, MouseHookOffEntry};
    libraries.CallNoArgs(KeyboardHookOnEntry);
    libraries.CallNoArgs(MouseHookOnEntry);
    return true;
}

void TMainForm::FormDestroy() {
    Cursors.UseScratchImage(nullptr);
    ScratchImage.reset(); // with the cursor copy of the last thumb drag
    ToolsModule.Reset();
    LockTheComputerEntry = {};
    Cursors.RestoreSystemCursors();
    Share.Set(&HookShare::HooksPaused, true); // skipped when the record is absent
    UnloadHookLibrary();
    TrayImage.reset();
}

void TMainForm::UnloadHookLibrary() {
    seams_.Crash = {}; // nothing for a crash to undo once the view and the library are gone
    ILibraryLoader& libraries = seams_.Libraries;
    if (KeyboardHookOffEntry) {
        libraries.CallNoArgs(KeyboardHookOffEntry);
    }
    if (MouseHookOffEntry) {
        libraries.CallNoArgs(MouseHookOffEntry);
    }
    KeyboardHookOnEntry = KeyboardHookOffEntry = MouseHookOnEntry = MouseHookOffEntry = {};
    HookLibraryModule.Reset();
    Share.Detach();
    HookShareView.Reset();
    HookShareSection.Reset();
    Aside.Detach();
    AsideShareView.Reset();
    AsideShareSection.Reset();
}

// The hooks can do without the stand-aside list: when its section cannot be made they find none
// and never stand aside, so a failure here stops nothing.
void TMainForm::CreateAsideShare() {
    ISharedSection& section = seams_.Section;
    AsideShareSection = OwnedSection(section, section.Create(kAsideShareName, kAsideShareSize));
    if (!AsideShareSection) {
        return;
    }
    AsideShareView = OwnedAsideView(section, section.MapAsideWritable(AsideShareSection.Get()));
    if (!AsideShareView) {
        AsideShareSection.Reset();
        return;
    }
    // The window handle differs from one run to the next: verdicts a process kept from an earlier
    // run of the program do not match the new generation.
    Aside.Attach(AsideShareView.Get(), static_cast<std::uint32_t>(Handle().value) << 1);
}

// --- Messages of the hooks and the timers

void TMainForm::HandleHookMouse(std::uintptr_t wParam, std::intptr_t lParam) {
    const HookMouseEvent event = DecodeHookMouse(wParam, lParam);
    // Any mouse activity brings back a cursor that typing has hidden, before the scroll engine
    // looks at the message (and before it moves LastPos on).
    HideCursor.RestoreAfterTyping(event.Message, event.At, Engine.LastPos());
    Engine.HandleHookMouse(event.Message, event.At.x, event.At.y, event.Swallowed, event.StoodAside);
}

void TMainForm::HandleHookKey(std::uintptr_t wParam, std::intptr_t lParam) {
    const HookKeyEvent event = DecodeHookKey(wParam, lParam);
    HideCursor.HandleHookKey(event.VirtualKey);
}

void TMainForm::ScrollTimerTimer() {
    Engine.ScrollTimerTimer(seams_.ScrollInput.TickCount());
}

void TMainForm::ReleaseGuardTimerTimer() {
    Engine.ReleaseGuardTimerTimer();
}

void TMainForm::DesktopMenuLoopEnded() {
    DeskTrigger.DesktopMenuClosed();
}

} // namespace gw
