#pragma once
// Popup menus of the toolkit: the real menu is built from the TPopupMenu tree each time it opens
// (check marks, radio checks, greyed items, a bold default item, submenus, pictures drawn from the
// menu's image list, greyed with their item), tracked, destroyed, and the chosen item's Click() runs.

#include "ui/Application.h"
#include "ui/FormWindow_win.h"
#include "ui/ImageList_win.h"
#include "ui/Menu.h"

#include <vector>

namespace gw::win32 {

class PopupMenuBinding final : public TPopupMenu::View, public MessageFilter {
public:
    // images: the real list behind menu.Images, or null for a menu without pictures.
    PopupMenuBinding(FormWindow& window, TPopupMenu& menu, const ImageListBinding* images);
    PopupMenuBinding(const PopupMenuBinding&) = delete;
    PopupMenuBinding& operator=(const PopupMenuBinding&) = delete;
    ~PopupMenuBinding() override;

    void Popup(TPopupMenu& menu, Point at) override;
    bool FilterMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    UniqueMenu Build(TMenuItem& parent);

    FormWindow& window_;
    TPopupMenu& menu_;
    const ImageListBinding* images_;
    std::vector<TMenuItem*> commands_; // command id - 1 → item, while the menu is open
    bool open_ = false;                // other menus of the window (PopDesk's) draw their own items
};

} // namespace gw::win32
