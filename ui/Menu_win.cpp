#include "ui/Menu_win.h"

#include "ui/Gdi_win.h"

namespace gw::win32 {

PopupMenuBinding::PopupMenuBinding(FormWindow& window, TPopupMenu& menu, const ImageListBinding* images)
    : window_(window), menu_(menu), images_(images) {
    window_.AddFilter(*this);
    menu_.SetView(this);
}

PopupMenuBinding::~PopupMenuBinding() {
    menu_.SetView(nullptr);
    window_.RemoveFilter(*this);
}

UniqueMenu PopupMenuBinding::Build(TMenuItem& parent) {
    UniqueMenu menu(CreatePopupMenu());
    for (std::size_t i = 0; i < parent.Count(); ++i) {
        TMenuItem& item = parent.Item(i);
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        if (item.IsSeparator()) {
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_SEPARATOR;
            InsertMenuItemA(menu.Get(), static_cast<UINT>(i), TRUE, &info);
            continue;
        }
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_DATA;
        info.fType = item.RadioItem() ? MFT_RADIOCHECK : 0;
        info.fState = (item.Checked() ? MFS_CHECKED : 0) | (item.Enabled() ? 0 : MFS_GRAYED) |
                      (item.Default() ? MFS_DEFAULT : 0);
        info.dwTypeData = const_cast<char*>(item.Caption().c_str());
        info.dwItemData = reinterpret_cast<ULONG_PTR>(&item);
        UniqueMenu submenu;
        if (item.Count() > 0) {
            submenu = Build(item);
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = submenu.Get();
        } else {
            commands_.push_back(&item);
            info.fMask |= MIIM_ID;
            info.wID = static_cast<UINT>(commands_.size());
        }
        if (images_ && item.ImageIndex() >= 0) {
            // Drawn by us on WM_DRAWITEM, so the picture keeps its alpha on every system.
            info.fMask |= MIIM_BITMAP;
            info.hbmpItem = HBMMENU_CALLBACK;
        }
        if (InsertMenuItemA(menu.Get(), static_cast<UINT>(i), TRUE, &info)) {
            submenu.Release();  // the menu destroys its submenus with itself
        }
    }
    return menu;
}

void PopupMenuBinding::Popup(TPopupMenu&, Point at) {
    HWND window = window_.Hwnd();
    if (!window) {
        return;
    }
    commands_.clear();
    UniqueMenu menu = Build(menu_.Items);
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(window);
    window_.Application().ProcessMessages();
    open_ = true;
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                         at.x, at.y, 0, window, nullptr));
    open_ = false;
    PostMessageA(window, WM_NULL, 0, 0);
    menu.Reset();
    if (chosen >= 1 && chosen <= commands_.size()) {
        TMenuItem* item = commands_[chosen - 1];
        commands_.clear();
        item->Click();  // we are inside the tray's dispatch: an error goes to the error box
    }
    commands_.clear();
}

bool PopupMenuBinding::FilterMessage(HWND, UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (!images_ || !open_) {
        return false;
    }
    if (message == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlType != ODT_MENU) {
            return false;
        }
        measure->itemWidth = static_cast<UINT>(images_->Size() + 4);  // a little air before the caption
        measure->itemHeight = static_cast<UINT>(images_->Size());
        result = TRUE;
        return true;
    }
    if (message == WM_DRAWITEM) {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (draw->CtlType != ODT_MENU) {
            return false;
        }
        auto* item = reinterpret_cast<TMenuItem*>(draw->itemData);
        if (!item || item->ImageIndex() < 0) {
            return false;
        }
        const int size = images_->Size();
        const int x = draw->rcItem.left + ((draw->rcItem.right - draw->rcItem.left) - size) / 2;
        const int y = draw->rcItem.top + ((draw->rcItem.bottom - draw->rcItem.top) - size) / 2;
        const UINT style = (draw->itemState & ODS_GRAYED) ? ILD_BLEND50 : ILD_TRANSPARENT;
        ImageList_Draw(images_->Handle(), item->ImageIndex(), draw->hDC, x > 0 ? x : draw->rcItem.left, y, style);
        result = TRUE;
        return true;
    }
    return false;
}

} // namespace gw::win32
