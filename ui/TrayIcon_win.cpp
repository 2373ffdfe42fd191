#include "ui/TrayIcon_win.h"

#include <shellapi.h>

#include <cstring>

namespace gw::win32 {

namespace {

constexpr UINT kTrayIconId = 1;

std::uint32_t ShiftState() {
    // Shift, Alt, Ctrl as bits 0, 1, 2.
    std::uint32_t shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) {
        shift |= 1;
    }
    if (GetKeyState(VK_MENU) < 0) {
        shift |= 2;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        shift |= 4;
    }
    return shift;
}

} // namespace

TrayIconBinding::TrayIconBinding(FormWindow& window, TForm& owner, TTrayIcon& icon,
                                 const ImageListBinding& images)
    : window_(window), owner_(owner), icon_(icon), images_(images),
      taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {
    window_.AddFilter(*this);
    icon_.SetView(this);
}

TrayIconBinding::~TrayIconBinding() {
    icon_.SetView(nullptr);
    window_.RemoveFilter(*this);
    Remove();
}

bool TrayIconBinding::Notify(DWORD action) {
    if (!window_.Hwnd()) {
        return false;
    }
    if (shownIndex_ != icon_.IconIndex() || !shown_) {
        shown_.Reset(images_.IconAt(icon_.IconIndex(), GetSystemMetrics(SM_CXSMICON)));
        shownIndex_ = icon_.IconIndex();
    }
    NOTIFYICONDATAA data;
    std::memset(&data, 0, sizeof data);
    data.cbSize = sizeof data;
    data.hWnd = window_.Hwnd();
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = shown_.Get();
    std::strncpy(data.szTip, icon_.Hint().c_str(), sizeof data.szTip - 1);
    return Shell_NotifyIconA(action, &data) != FALSE;
}

void TrayIconBinding::Remove() {
    if (added_ && window_.Hwnd()) {
        NOTIFYICONDATAA data;
        std::memset(&data, 0, sizeof data);
        data.cbSize = sizeof data;
        data.hWnd = window_.Hwnd();
        data.uID = kTrayIconId;
        Shell_NotifyIconA(NIM_DELETE, &data);
    }
    added_ = false;
}

void TrayIconBinding::TrayIconChanged(TTrayIcon& icon) {
    if (!icon.Visible()) {
        Remove();
    } else if (added_) {
        Notify(NIM_MODIFY);
    } else {
        added_ = Notify(NIM_ADD);
    }
}

void TrayIconBinding::Pressed(TMouseButton button, bool doubleClick) {
    POINT cursor = {};
    GetCursorPos(&cursor);
    const Point at{cursor.x, cursor.y};
    const std::uint32_t shift = ShiftState();
    // The second press of a double click is a press too, then the double click itself.
    window_.Application().Dispatch([&] { icon_.MouseDown(button, shift, at); });
    if (doubleClick) {
        window_.Application().Dispatch([&] { icon_.DblClick(); });
    }
}

bool TrayIconBinding::FilterMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    LRESULT& result) {
    result = 0;
    if (message == kTrayCallbackMessage) {
        switch (LOWORD(lParam)) {
        case WM_LBUTTONDOWN:
            Pressed(TMouseButton::Left, false);
            break;
        case WM_LBUTTONDBLCLK:
            Pressed(TMouseButton::Left, true);
            break;
        case WM_RBUTTONDOWN:
            Pressed(TMouseButton::Right, false);
            break;
        case WM_MBUTTONDOWN:
            Pressed(TMouseButton::Middle, false);
            break;
        default:
            break;
        }
        return true;
    }
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        // A restarted shell has forgotten our icon: modify first in case it has not, else add.
        if (icon_.Visible()) {
            added_ = Notify(NIM_MODIFY) || Notify(NIM_ADD);
        }
        return true;
    }
    if (message == WM_SYSCOMMAND) {
        const WPARAM command = wParam & 0xFFF0;
        if (command == SC_CLOSE) {
            window_.Application().Dispatch([this] { owner_.Hide(); });
            return true;
        }
        if (command == SC_MINIMIZE) {
            result = DefWindowProcA(window, message, wParam, lParam);
            window_.Application().Dispatch([this] { owner_.Hide(); });
            return true;
        }
        return false;
    }
    if (message == WM_DESTROY) {
        Remove(); // and let the window go on with its own destruction
    }
    return false;
}

} // namespace gw::win32
