#include "app/MainWindow_win.h"

#include "resources/resource.h"
#include "shared/HookShare.h"
#include "ui/Controls_win.h"
#include "ui/DialogKeys.h"
#include "ui/Dpi.h"
#include "ui/Dpi_win.h"

namespace gw::win32 {

namespace {

constexpr UINT_PTR kPopDeskTimerId = 1;
constexpr UINT_PTR kScrollTimerId = 2;
constexpr UINT_PTR kPickTimerId = 3;
constexpr UINT_PTR kReleaseGuardTimerId = 4;

// A fixed dialog: single border, system menu and minimise box only.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

// Made at the system's density, on the primary monitor; Build fits it to its own monitor's.
FormCreateParams MainWindowParams(HICON icon, HICON smallIcon) {
    const int dpi = SystemDpi();
    FormCreateParams params;
    params.ClassName = kMainWindowClassName;
    params.Style = kStyle;
    params.ExStyle = kExStyle;
    params.ClientWidth = ScaleForDpi(kConfigClientWidth, dpi);
    params.ClientHeight = ScaleForDpi(kConfigClientHeight, dpi);
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
    // The notification area and the tray menu are the system's: its density.
    const int dpi = SystemDpi();
    window.AddFilter(*this);
    trayImages_ = std::make_unique<ImageListBinding>(
        form_.TrayPictures, std::vector<int>{IDI_TRAY_ENABLED, IDI_TRAY_DISABLED}, MulDiv(32, dpi, 96));
    // The icon first: it is what the user waits for, and the hidden configuration window's fifty
    // controls take longer to make than everything else here together.
    tray_ = std::make_unique<TrayIconBinding>(window, form_, form_.TrayIcon, *trayImages_);
    menuImages_ = std::make_unique<ImageListBinding>(
        form_.MenuPictures, std::vector<int>{IDI_MENU_EXIT, IDI_MENU_SCROLL, IDI_MENU_LOCK, IDI_MENU_EJECT},
        MulDiv(16, dpi, 96));
    LayOut(WindowDpi(window.Hwnd()), nullptr);
    menu_ = std::make_unique<PopupMenuBinding>(window, form_.TrayMenu, menuImages_.get());
    popDeskTimer_ = std::make_unique<TimerBinding>(window, form_.DeskTrigger.Timer(), kPopDeskTimerId);
    scrollTimer_ = std::make_unique<TimerBinding>(window, form_.ScrollTimer, kScrollTimerId);
    pickTimer_ = std::make_unique<TimerBinding>(window, form_.PickTimer, kPickTimerId);
    releaseGuardTimer_ =
        std::make_unique<TimerBinding>(window, form_.ReleaseGuardTimer, kReleaseGuardTimerId);
    pump_.SetDialogWindow(window.Hwnd());
    pump_.SetDialogKeys([this](const MSG& message) { return HandleDialogKey(message); });
    if (OnCreated) {
        OnCreated(window.Hwnd());
    }
}

void MainWindow::Teardown() {
    pump_.SetDialogKeys({});
    pump_.SetDialogWindow(nullptr);
    pickTimer_.reset();
    releaseGuardTimer_.reset();
    scrollTimer_.reset();
    popDeskTimer_.reset();
    menu_.reset();
    tray_.reset();
    configuration_.reset();
    window_.RemoveFilter(*this);
}

void MainWindow::LayOut(int dpi, const RECT* suggested) {
    HWND hwnd = window_.Hwnd();
    const HWND focus = GetFocus();
    const bool focusInside = focus && IsChild(hwnd, focus);
    const TControl* focused = configuration_ ? configuration_->FocusedControl() : nullptr;
    if (configuration_ && configuration_->Dpi() == dpi) {
        if (suggested) {
            SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return;
    }
    // No drawing while the contents change; WM_SETREDRAW would also show a hidden window.
    const bool visible = IsWindowVisible(hwnd) != FALSE;
    if (visible) {
        SendMessageA(hwnd, WM_SETREDRAW, FALSE, 0);
    }
    configuration_.reset();
    configuration_ = std::make_unique<ConfigurationWindow>(window_, form_, dpi);
    // The title bar's and the task switcher's icons at the sizes of this density.
    dpiIcon_.Reset(LoadIconResource(IDI_GLIDEWING, SystemMetricForDpi(SM_CXICON, dpi)));
    dpiSmallIcon_.Reset(LoadIconResource(IDI_GLIDEWING, SystemMetricForDpi(SM_CXSMICON, dpi)));
    SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(dpiIcon_.Get()));
    SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(dpiSmallIcon_.Get()));

    // The client area at the new density; where the system suggests a place (the window moved to
    // another monitor) the window goes there, else it keeps its centre.
    const RECT frame = WindowRectForClient(ScaleForDpi(kConfigClientWidth, dpi),
                                           ScaleForDpi(kConfigClientHeight, dpi), kStyle, kExStyle, dpi);
    RECT now = {};
    GetWindowRect(hwnd, &now);
    POINT at = {now.left - (frame.right - (now.right - now.left)) / 2,
                now.top - (frame.bottom - (now.bottom - now.top)) / 2};
    if (suggested) {
        at = {suggested->left, suggested->top};
    }
    SetWindowPos(hwnd, nullptr, at.x, at.y, frame.right, frame.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    // Where the frame is not the one the density asks for (a system that scales no frames), the
    // client area is put right by the difference.
    RECT client = {};
    GetClientRect(hwnd, &client);
    const int dx = ScaleForDpi(kConfigClientWidth, dpi) - client.right;
    const int dy = ScaleForDpi(kConfigClientHeight, dpi) - client.bottom;
    if (dx != 0 || dy != 0) {
        SetWindowPos(hwnd, nullptr, 0, 0, frame.right + dx, frame.bottom + dy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (visible) {
        SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    }
    if (focusInside) {
        configuration_->Focus(focused);
    }
}

bool MainWindow::HandleDialogKey(const MSG& message) {
    if (!configuration_ || (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN)) {
        return false;
    }
    DialogKeyPress press;
    press.key = static_cast<std::uint32_t>(message.wParam);
    press.control = GetKeyState(VK_CONTROL) < 0;
    press.shift = GetKeyState(VK_SHIFT) < 0;
    press.alt = message.message == WM_SYSKEYDOWN || GetKeyState(VK_MENU) < 0;
    press.onTabStrip = GetFocus() == configuration_->TabStrip();
    const DialogKeyAction action = ClassifyDialogKey(press);
    switch (action) {
    case DialogKeyAction::None:
        return false;
    case DialogKeyAction::Help:
        application_.Dispatch([this] { form_.HelpButton.Click(); });
        break;
    case DialogKeyAction::NextPage:
    case DialogKeyAction::PreviousPage:
        application_.Dispatch(
            [this, action] { form_.PageControl.SelectNextPage(action == DialogKeyAction::NextPage, true); });
        break;
    case DialogKeyAction::TabLeft:
    case DialogKeyAction::TabRight:
        application_.Dispatch(
            [this, action] { form_.PageControl.SelectNextPage(action == DialogKeyAction::TabRight, false); });
        break;
    case DialogKeyAction::NextControl:
    case DialogKeyAction::PreviousControl:
        configuration_->MoveFocus(action == DialogKeyAction::NextControl);
        // The keyboard is in use: focus frames show from now on, as the dialog manager has them.
        SendMessageA(window_.Hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
        return true;
    }
    if (configuration_) {
        configuration_->KeepFocusOnShownPage();
    }
    return true;
}

bool MainWindow::FilterMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_SHOWWINDOW && wParam) {
        lastFocus_ = nullptr; // opened: the focus starts on the first control
        return false;
    }
    if ((message == WM_ACTIVATE || message == WM_SETFOCUS) && configuration_) {
        // The window keeps its focus while the user works elsewhere, as a dialog does; opened
        // afresh it starts on its first control, the tab strip. The window itself never keeps the
        // focus (the system gives it to the window clicked, say): it goes on to that control.
        HWND hwnd = window_.Hwnd();
        if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            lastFocus_ = focus && IsChild(hwnd, focus) ? focus : nullptr;
        } else if (!IsIconic(hwnd)) {
            const auto usable = [hwnd](HWND control) {
                return control && IsWindow(control) && IsChild(hwnd, control) && IsWindowVisible(control) &&
                       IsWindowEnabled(control);
            };
            // The control the focus has just left, if it was one of ours, else the one it was on.
            const HWND left = message == WM_SETFOCUS ? reinterpret_cast<HWND>(wParam) : nullptr;
            SetFocus(usable(left) ? left : usable(lastFocus_) ? lastFocus_ : configuration_->TabStrip());
        }
        result = 0;
        return true;
    }
    if (message == kWM_DPICHANGED) {
        // Moved to a monitor of another density (or the user changed it): built again for it.
        LayOut(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        result = 0;
        return true;
    }
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
            application_.Dispatch([this] { form_.OkButton.Click(); });
            return true;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            application_.Dispatch([this] { form_.CancelButton.Click(); });
            return true;
        }
    }
    return RouteControlMessage(message, wParam, lParam, result);
}

} // namespace gw::win32
