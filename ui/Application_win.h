#pragma once
// The application object's Win32 side: MessageBoxW, the process-messages pump and the message loop.

#include "ui/Application.h"

#include <windows.h>

#include <functional>

namespace gw::win32 {

class SystemMessageBox final : public IMessageBox {
public:
    int Show(WindowHandle owner, const std::string& text, const std::string& caption,
             std::uint32_t flags) override;
};

class MessagePump final : public IMessagePump {
public:
    // Keyboard navigation (Tab, arrows, mnemonics) applies to this window while it is shown.
    void SetDialogWindow(HWND window) { dialog_ = window; }
    // Sees the keys meant for the dialog window first; answers true for a key it took.
    void SetDialogKeys(std::function<bool(const MSG&)> keys) { keys_ = std::move(keys); }
    void ProcessMessages() override;
    // Runs until WM_QUIT; answers its exit code.
    int Run();

private:
    void Deliver(MSG& message);
    HWND dialog_ = nullptr;
    std::function<bool(const MSG&)> keys_;
};

} // namespace gw::win32
