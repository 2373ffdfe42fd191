#include "ui/Application_win.h"

#include "base/WideString.h"
#include "shared/Handle_win.h"

namespace gw::win32 {

// Texts are UTF-8 (a message may name a path in any folder): the wide box shows them whatever the
// ANSI code page is.
int SystemMessageBox::Show(WindowHandle owner, const std::string& text, const std::string& caption,
                           std::uint32_t flags) {
    return MessageBoxW(ToWin32(owner), ToWide<std::wstring>(text).c_str(),
                       ToWide<std::wstring>(caption).c_str(), flags);
}

namespace {

bool IsPushButton(HWND window) {
    return window &&
           (SendMessageA(window, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

// A mnemonic (Alt+A, say) presses its push button the way a click does, and the click takes the
// focus along; a button that disables itself (Apply) leaves no focus at all. The focus goes back
// where it was, as in every dialog, while the dialog is still the active window.
void KeepFocusAfterMnemonic(HWND dialog, HWND before) {
    const HWND now = GetFocus();
    if (now == before || !before || !IsWindow(before) || !IsChild(dialog, before) ||
        !IsWindowVisible(before) || !IsWindowEnabled(before) || !IsWindowVisible(dialog) ||
        GetActiveWindow() != dialog) {
        return;
    }
    if (!now || !IsWindowEnabled(now) || IsPushButton(now)) {
        SetFocus(before);
    }
}

} // namespace

void MessagePump::Deliver(MSG& message) {
    if (dialog_ && IsWindowVisible(dialog_) && (message.hwnd == dialog_ || IsChild(dialog_, message.hwnd))) {
        if (keys_ && keys_(message)) {
            return;
        }
        const HWND before = message.message == WM_SYSCHAR ? GetFocus() : nullptr;
        if (IsDialogMessageA(dialog_, &message)) {
            if (before) {
                KeepFocusAfterMnemonic(dialog_, before);
            }
            return;
        }
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

void MessagePump::ProcessMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Leave the quit for the main loop to see.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Deliver(message);
    }
}

int MessagePump::Run() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        Deliver(message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace gw::win32
