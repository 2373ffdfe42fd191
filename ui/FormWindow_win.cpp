#include "ui/FormWindow_win.h"

#include "shared/Handle_win.h"
#include "ui/MenuCalls_win.h"

#include <algorithm>

namespace gw::win32 {

FormWindow::FormWindow(TForm& form, TApplication& application, FormCreateParams params)
    : form_(form), application_(application), params_(std::move(params)) {}

FormWindow::~FormWindow() {
    if (hwnd_) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void FormWindow::RemoveFilter(MessageFilter& filter) {
    filters_.erase(std::remove(filters_.begin(), filters_.end(), &filter), filters_.end());
}

void FormWindow::Create() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = &FormWindow::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = params_.Icon;
    windowClass.hIconSm = params_.SmallIcon;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = params_.ClassName.c_str();
    RegisterClassExA(&windowClass);

    RECT frame = {0, 0, params_.ClientWidth, params_.ClientHeight};
    AdjustWindowRectEx(&frame, params_.Style, FALSE, params_.ExStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    if (params_.Centred) {
        RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        x = work.left + std::max(0L, (work.right - work.left - width) / 2);
        y = work.top + std::max(0L, (work.bottom - work.top - height) / 2);
    }
    // The window keeps its object in GWLP_USERDATA from WM_NCCREATE on.
    CreateWindowExA(params_.ExStyle, params_.ClassName.c_str(), form_.Caption().c_str(), params_.Style, x, y,
                    width, height, nullptr, nullptr, instance, this);
    created_ = hwnd_ != nullptr;
    if (created_ && OnCreated) {
        OnCreated(*this);
    }
}

WindowHandle FormWindow::HandleNeeded(TForm&) {
    if (!hwnd_ && !created_) {
        Create();
    }
    return FromWin32<WindowHandle>(hwnd_);
}

void FormWindow::FormChanged(TForm& form) {
    if (!hwnd_) {
        return; // picked up when the window is created
    }
    char current[256] = {};
    GetWindowTextA(hwnd_, current, sizeof current);
    if (form.Caption() != current) {
        SetWindowTextA(hwnd_, form.Caption().c_str());
    }
    if (form.Visible()) {
        if (IsIconic(hwnd_)) {
            ShowWindow(hwnd_, SW_RESTORE);
        }
        ShowWindow(hwnd_, SW_SHOW);
        SetForegroundWindow(hwnd_);
    } else {
        ShowWindow(hwnd_, SW_HIDE);
    }
}

void FormWindow::CloseRequested(TForm&) {
    // Posted, so that a handler running inside this window's procedure (a menu choice, say)
    // returns before the window goes away.
    if (hwnd_) {
        PostMessageA(hwnd_, kCloseFormMessage, 0, 0);
    }
}

LRESULT CALLBACK FormWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return self ? self->Handle(message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT FormWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    HWND window = hwnd_;
    // Filters may remove themselves while they run: walk a copy.
    const std::vector<MessageFilter*> filters = filters_;
    for (MessageFilter* filter : filters) {
        LRESULT result = 0;
        if (filter->FilterMessage(window, message, wParam, lParam, result)) {
            return result;
        }
    }
    // A close that comes while one of our menus runs its loop waits until the menu call is over.
    const auto closeNow = [window] { return !ThreadMenuCalls().DeferClose(FromWin32<WindowHandle>(window)); };
    switch (message) {
    case kCloseFormMessage:
    case WM_CLOSE:
        if (closeNow()) {
            DestroyWindow(window);
        }
        return 0;
    case WM_QUERYENDSESSION:
        ThreadMenuCalls().EndMenus(); // so that the end of the session finds no menu open
        return TRUE;
    case WM_ENDSESSION:
        if (wParam && closeNow()) {
            DestroyWindow(window); // the shutdown sequence puts the user's cursors back
        }
        return 0;
    case WM_DESTROY:
        if (OnDestroy) {
            OnDestroy();
        }
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace gw::win32
