#include "app/MainWindow_win.h"

#include "resources/resource.h"
#include "shared/HookShare.h"
#include "ui/Controls_win.h"

namespace gw::win32 {

namespace {

constexpr UINT_PTR kMainTimerId = 1;
constexpr UINT_PTR kScrollTimerId = 2;
constexpr UINT_PTR kPickTimerId = 3;
constexpr UINT_PTR kReleaseGuardTimerId = 4;

int ScreenDpi() {
    const WindowDc screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
    return dpi > 0 ? dpi : 96;
}

FormCreateParams MainWindowParams(HICON icon, HICON smallIcon) {
    const int dpi = ScreenDpi();
    FormCreateParams params;
    params.ClassName = kMainWindowClassName;
    // A fixed dialog: single border, system menu and minimise box only.
    params.Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    params.ExStyle = WS_EX_CONTROLPARENT;
    params.ClientWidth = MulDiv(kConfigClientWidth, dpi, 96);
    params.ClientHeight = MulDiv(kConfigClientHeight, dpi, 96);
    params.Centred = true;
    params.Icon = icon;
    params.SmallIcon = smallIcon;
    return params;
}

} // namespace

MainWindow::MainWindow(TMainForm& form, TApplication& application, MessagePump& pump)
    : form_(form), application_(application), pump_(pump),
      icon_(LoadIconResource(IDI_GLIDEWING, GetSystemMetrics(SM_CXICON))),
      smallIcon_(LoadIconResource(IDI_GLIDEWING, GetSystemMetrics(SM_CXSMICON))),
      window_(form, application, MainWindowParams(icon_.Get(), smallIcon_.Get())) {
    window_.OnCreated = [this](FormWindow& window) { Build(window); };
    window_.OnDestroy = [this] {
        application_.Dispatch([this] { form_.FormDestroy(); });
        Teardown();
    };
    form_.SetView(&window_);
}

MainWindow::~MainWindow() {
    Teardown();
    form_.SetView(nullptr);
}

void MainWindow::Build(FormWindow& window) {
    const int dpi = ScreenDpi();
    window.AddFilter(*this);
    trayImages_ = std::make_unique<ImageListBinding>(
        form_.IconImagelist, std::vector<int>{IDI_TRAY_ENABLED, IDI_TRAY_DISABLED}, MulDiv(32, dpi, 96));
    // The icon first: it is what the user waits for, and the hidden configuration window's fifty
    // controls take longer to make than everything else here together.
    tray_ = std::make_unique<TrayIconBinding>(window, form_, form_.CoolTrayIcon1, *trayImages_);
    menuImages_ = std::make_unique<ImageListBinding>(
        form_.ImageList1, std::vector<int>{IDI_MENU_EXIT, IDI_MENU_SCROLL, IDI_MENU_LOCK, IDI_MENU_EJECT},
        MulDiv(16, dpi, 96));
    configuration_ = std::make_unique<ConfigurationWindow>(window, form_, dpi);
    menu_ = std::make_unique<PopupMenuBinding>(window, form_.PopupMenu1, menuImages_.get());
    mainTimer_ = std::make_unique<TimerBinding>(window, form_.MainTimer, kMainTimerId);
    scrollTimer_ = std::make_unique<TimerBinding>(window, form_.ScrollTimer, kScrollTimerId);
    pickTimer_ = std::make_unique<TimerBinding>(window, form_.PickTimer, kPickTimerId);
    releaseGuardTimer_ =
        std::make_unique<TimerBinding>(window, form_.ReleaseGuardTimer, kReleaseGuardTimerId);
    pump_.SetDialogWindow(window.Hwnd());
    if (OnCreated) {
        OnCreated(window.Hwnd());
    }
}

void MainWindow::Teardown() {
    pump_.SetDialogWindow(nullptr);
    pickTimer_.reset();
    releaseGuardTimer_.reset();
    scrollTimer_.reset();
    mainTimer_.reset();
    menu_.reset();
    tray_.reset();
    configuration_.reset();
    window_.RemoveFilter(*this);
}

bool MainWindow::FilterMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // The hooks report every mouse message and keystroke of the desktop. Dispatch takes the
    // handler by reference, so these cost no allocation whatever the lambda captures (bench/
    // measures this very shape).
    if (message == WM_HOOKMOUSE) {
        application_.Dispatch([&] { form_.HandleHookMouse(wParam, lParam); });
        result = 0;
        return true;
    }
    if (message == WM_HOOKKEY) {
        application_.Dispatch([&] { form_.HandleHookKey(wParam, lParam); });
        result = 0;
        return true;
    }
    if (message == kWM_DESKMENU_EXITLOOP) {
        application_.Dispatch([this] { form_.DesktopMenuLoopEnded(); });
        result = 0;
        return true;
    }
    if (message == WM_COMMAND && lParam == 0 && HIWORD(wParam) == BN_CLICKED) {
        // Enter and Escape, as the dialog manager reports them: the OK and Cancel buttons.
        if (LOWORD(wParam) == IDOK) {
            application_.Dispatch([this] { form_.BitBtn_ok.Click(); });
            return true;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            application_.Dispatch([this] { form_.BitBtn_Cancel.Click(); });
            return true;
        }
    }
    return RouteControlMessage(message, wParam, lParam, result);
}

} // namespace gw::win32
