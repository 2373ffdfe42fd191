// Glidewing's entry: one instance per desktop, COM for the shell calls, then the hidden main
// window and its message loop until Exit. A start with /exit only ends the running instance.

#include "app/CrashRecovery_win.h"
#include "app/MainForm.h"
#include "app/MainWindow_win.h"
#include "app/ProgramStart.h"
#include "app/RunningInstance_win.h"
#include "app/StartCommand.h"
#include "app/SystemSeams_win.h"
#include "base/SystemCursors_win.h"
#include "base/SystemSeams_win.h"
#include "popdesk/DesktopMenu_win.h"
#include "popdesk/DesktopShell_win.h"
#include "popdesk/PopDeskScreen_win.h"
#include "scroll/ScrollOps_win.h"
#include "settings/SettingsSeams_win.h"
#include "shared/Handle_win.h"
#include "shared/WindowQueries_win.h"
#include "ui/Application_win.h"
#include "ui/OpenDialog_win.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

namespace {

// Read by the last-chance handler: static storage, no heap.
gw::CrashRecord g_crashRecord;

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    // First of all: whatever goes wrong from here on leaves the desktop as it was.
    gw::win32::InstallCrashRepair(g_crashRecord);

    // A running instance owns the class; a second start leaves it alone and ends at once.
    const bool running = FindWindowA(gw::kMainWindowClassName, nullptr) != nullptr;
    switch (gw::DecideStart(gw::ParseStartRequest(arguments ? arguments : ""), running)) {
    case gw::StartAction::EndAtOnce:
        return 0;
    case gw::StartAction::CloseRunning: {
        gw::win32::RunningInstance instance;
        return gw::CloseRunningInstance(instance);
    }
    case gw::StartAction::RunProgram:
        break;
    }
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);

    gw::win32::SystemMessageBox messageBox;
    gw::win32::MessagePump pump;
    gw::TApplication application(messageBox, pump);
    application.SetTitle("Glidewing");

    gw::win32::LibraryLoader libraries;
    gw::win32::SharedSection section;
    gw::win32::SystemParameters systemParameters;
    gw::win32::Drives drives;
    gw::win32::Mci mci;
    gw::win32::Version version;
    gw::win32::FileSystem files;
    gw::win32::Shell shell;
    gw::win32::DesktopWindow desktop;
    gw::win32::ProfileFile profile;
    gw::win32::Registry registry;
    gw::win32::HtmlHelpEntry htmlHelp;
    gw::win32::ModuleCursorApi cursors;
    gw::WindowQueries windows;
    gw::win32::ScrollWindowOps scrollWindows;
    gw::win32::ScrollInputOps scrollInput;
    gw::Win32PopDeskScreen popDeskScreen;
    gw::Win32DesktopShell desktopShell;
    gw::Win32DeskIcons deskIcons;
    gw::win32::OpenDialog openDialog;
    gw::win32::ProgramAtCursor programAtCursor;
    const gw::MainFormSeams seams{
        libraries, section,       systemParameters, drives,         mci,           version,
        files,     shell,         desktop,          profile,        registry,      htmlHelp,
        cursors,   windows,       scrollWindows,    scrollInput,    popDeskScreen, desktopShell,
        deskIcons, g_crashRecord, openDialog,       programAtCursor};

    int exitCode = 0;
    {
        gw::TMainForm form(application, seams);
        // The PopDesk menu draws itself in a window of its own and reports its end to ours.
        gw::Win32DesktopMenuView desktopMenu(GetModuleHandleA(nullptr), application);
        desktopMenu.SetImages(&deskIcons);
        form.desktopmenu.SetView(&desktopMenu);
        gw::win32::MainWindow window(form, application, pump);
        window.OnCreated = [&](HWND created) {
            popDeskScreen.SetMainWindow(created);
            desktopMenu.SetMainWindow(created);
            form.DeskLinks.SetOwnerWindow(gw::FromWin32<gw::WindowHandle>(created));
        };
        // A start-up error is shown and the program runs on in the tray without the later steps;
        // without a main window it ends at once.
        exitCode = gw::StartMainForm(form, application);
        if (exitCode == 0) {
            exitCode = pump.Run();
        }
        form.desktopmenu.SetView(nullptr);
    }

    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return exitCode;
}
