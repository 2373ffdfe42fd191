#include "ui/Application_win.h"

#include "base/WideString.h"

namespace gw::win32 {

// Texts are UTF-8 (a message may name a path in any folder): the wide box shows them whatever the
// ANSI code page is.
int SystemMessageBox::Show(WindowHandle owner, const std::string& text, const std::string& caption,
                           std::uint32_t flags) {
    return MessageBoxW(reinterpret_cast<HWND>(owner.value), ToWide<std::wstring>(text).c_str(),
                       ToWide<std::wstring>(caption).c_str(), flags);
}

void MessagePump::Deliver(MSG& message) {
    if (dialog_ && IsWindowVisible(dialog_) && IsDialogMessageA(dialog_, &message)) {
        return;
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
