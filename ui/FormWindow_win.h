#pragma once
// The Win32 side of a TForm: a top-level window whose class name, styles and client size come from
// its creation parameters. It is created on the first HandleNeeded, hides instead of painting
// anything itself, and hands every message first to the filters attached to it (controls, timers,
// the tray icon, menus, the program's own messages).

#include "ui/Application.h"
#include "ui/Form.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace gw::win32 {

struct FormCreateParams {
    std::string ClassName; // registered for this form; up to 63 characters
    DWORD Style = WS_OVERLAPPEDWINDOW;
    DWORD ExStyle = 0;
    int ClientWidth = 0; // real pixels
    int ClientHeight = 0;
    bool Centred = true;
    HICON Icon = nullptr;      // not owned
    HICON SmallIcon = nullptr; // not owned
};

// Sees the form's messages before the window does; answers true when it handled one.
class MessageFilter {
public:
    virtual ~MessageFilter() = default;
    virtual bool FilterMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
};

class FormWindow final : public TForm::View {
public:
    FormWindow(TForm& form, TApplication& application, FormCreateParams params);
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;
    ~FormWindow() override;

    HWND Hwnd() const { return hwnd_; }
    TApplication& Application() const { return application_; }

    void AddFilter(MessageFilter& filter) { filters_.push_back(&filter); }
    void RemoveFilter(MessageFilter& filter);

    // Runs once, right after the window exists (build the controls here).
    std::function<void(FormWindow&)> OnCreated;
    // Runs on WM_DESTROY, before the message loop is told to end.
    std::function<void()> OnDestroy;

    // TForm::View
    void FormChanged(TForm& form) override;
    WindowHandle HandleNeeded(TForm& form) override;
    void CloseRequested(TForm& form) override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void Create();

    TForm& form_;
    TApplication& application_;
    FormCreateParams params_;
    HWND hwnd_ = nullptr;
    bool created_ = false;
    std::vector<MessageFilter*> filters_;
};

// Private messages of the toolkit's windows.
inline constexpr UINT kCloseFormMessage = WM_APP + 0x40;
inline constexpr UINT kTrayCallbackMessage = WM_APP + 0x41;

} // namespace gw::win32
