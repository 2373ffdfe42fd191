#pragma once
// The notification-area icon of a TTrayIcon: Shell_NotifyIconA add, modify and delete, the
// callback message turned into MouseDown/DblClick, the icon put back when the shell restarts
// ("TaskbarCreated"), and the owner window hidden instead of closed or left minimised.

#include "ui/FormWindow_win.h"
#include "ui/Gdi_win.h"
#include "ui/ImageList_win.h"
#include "ui/TrayIcon.h"

namespace gw::win32 {

class TrayIconBinding final : public TTrayIcon::View, public MessageFilter {
public:
    TrayIconBinding(FormWindow& window, TForm& owner, TTrayIcon& icon, const ImageListBinding& images);
    TrayIconBinding(const TrayIconBinding&) = delete;
    TrayIconBinding& operator=(const TrayIconBinding&) = delete;
    ~TrayIconBinding() override;

    void TrayIconChanged(TTrayIcon& icon) override;
    bool FilterMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool Notify(DWORD action);
    void Remove();
    void Pressed(TMouseButton button, bool doubleClick);

    FormWindow& window_;
    TForm& owner_;
    TTrayIcon& icon_;
    const ImageListBinding& images_;
    UINT taskbarCreated_;
    UniqueIcon shown_;
    int shownIndex_ = -1;
    bool added_ = false;
};

} // namespace gw::win32
