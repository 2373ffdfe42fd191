#include "ui/Application_win.h"

namespace gw::win32 {

int SystemMessageBox::Show(WindowHandle owner, const std::string& text, const std::string& caption,
                           std::uint32_t flags) {
    return MessageBoxA(reinterpret_cast<HWND>(owner.value), text.c_str(), caption.c_str(), flags);
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
