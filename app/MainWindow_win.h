#pragma once
// TMainForm on real windows: the configuration window (class "Glidewing_Brightloom_2002"), its
// controls, the tray icon and its menu, the two timers and the hook messages.

#include "app/ConfigLayout_win.h"
#include "app/MainForm.h"
#include "ui/Application_win.h"
#include "ui/FormWindow_win.h"
#include "ui/Gdi_win.h"
#include "ui/ImageList_win.h"
#include "ui/Menu_win.h"
#include "ui/Timer_win.h"
#include "ui/TrayIcon_win.h"

#include <functional>
#include <memory>

namespace gw::win32 {

class MainWindow final : public MessageFilter {
public:
    MainWindow(TMainForm& form, TApplication& application, MessagePump& pump);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow() override;

    // Runs once the window exists, with its handle (for the parts that post or draw to it).
    std::function<void(HWND)> OnCreated;

    // The hook messages, the end of the PopDesk menu, and the controls on the form itself.
    bool FilterMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Build(FormWindow& window);
    // Builds the configuration window's contents for a density (again, when it changed) and fits
    // the window to them, at the suggested place if there is one; the focus stays on its control.
    void LayOut(int dpi, const RECT* suggested);
    // F1, Ctrl+Tab and the arrows on the tab strip (ui/DialogKeys.h); true for a key it took.
    bool HandleDialogKey(const MSG& message);
    void Teardown();

    TMainForm& form_;
    TApplication& application_;
    MessagePump& pump_;
    UniqueIcon icon_;
    UniqueIcon smallIcon_;
    UniqueIcon dpiIcon_; // the window's own, for the density of its monitor; outlive the window
    UniqueIcon dpiSmallIcon_;
    FormWindow window_;
    std::unique_ptr<ImageListBinding> trayImages_;
    std::unique_ptr<ImageListBinding> menuImages_;
    std::unique_ptr<ConfigurationWindow> configuration_;
    std::unique_ptr<TrayIconBinding> tray_;
    std::unique_ptr<PopupMenuBinding> menu_;
    std::unique_ptr<TimerBinding> popDeskTimer_;
    std::unique_ptr<TimerBinding> scrollTimer_;
    std::unique_ptr<TimerBinding> pickTimer_;
    std::unique_ptr<TimerBinding> releaseGuardTimer_;
    HWND lastFocus_ = nullptr; // the control that had the focus when the window was last active
};

} // namespace gw::win32
