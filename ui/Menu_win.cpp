#include "ui/Menu_win.h"

#include "ui/Gdi_win.h"
#include "ui/MenuCalls_win.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace gw::win32 {

namespace {

// A top-down 32-bit DIB of the picture size: the pixels come as 0xAARRGGBB, row after row.
BITMAPINFO PictureFormat(int size) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = size;
    format.bmiHeader.biHeight = -size;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    return format;
}

// One pixel of the greyed picture laid over the menu: the picture's brightness at half its
// opacity, so the greyed picture looks as faint as the greyed caption beside it.
std::uint32_t GreyedOver(std::uint32_t picture, std::uint32_t alpha, std::uint32_t ground) {
    const std::uint32_t grey =
        (((picture >> 16) & 0xFF) * 77 + ((picture >> 8) & 0xFF) * 150 + (picture & 0xFF) * 29) >> 8;
    const std::uint32_t cover = alpha / 2;
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t under = (ground >> shift) & 0xFF;
        out |= ((grey * cover + under * (255 - cover)) / 255) << shift;
    }
    return out;
}

// Windows greys the picture of a disabled menu item. The image list could do it with
// ILS_SATURATE, which Wine leaves out (ILD_BLEND50 only tints the picture with the highlight
// colour), so the greyed picture is made from the icon here and laid over what the menu has
// drawn under it. False when the icon cannot be read.
bool DrawGreyed(HDC dc, const ImageListBinding& images, int index, int x, int y) {
    const int size = images.Size();
    const UniqueIcon icon(images.IconAt(index, size));
    ICONINFO parts{};
    if (!icon || !GetIconInfo(icon.Get(), &parts)) {
        return false;
    }
    const UniqueBitmap color(parts.hbmColor);
    const UniqueBitmap mask(parts.hbmMask);
    const std::size_t count = static_cast<std::size_t>(size) * static_cast<std::size_t>(size);
    std::vector<std::uint32_t> picture(count);
    std::vector<std::uint32_t> alpha(count);
    BITMAPINFO format = PictureFormat(size);
    if (!color || GetDIBits(dc, color.Typed(), 0, static_cast<UINT>(size), picture.data(), &format,
                            DIB_RGB_COLORS) != size) {
        return false;
    }
    if (std::any_of(picture.begin(), picture.end(), [](std::uint32_t p) { return (p >> 24) != 0; })) {
        std::transform(picture.begin(), picture.end(), alpha.begin(),
                       [](std::uint32_t p) { return p >> 24; });
    } else {
        // An icon without an alpha channel: its mask is black where the picture is.
        format = PictureFormat(size);
        if (!mask || GetDIBits(dc, mask.Typed(), 0, static_cast<UINT>(size), alpha.data(), &format,
                               DIB_RGB_COLORS) != size) {
            return false;
        }
        std::transform(alpha.begin(), alpha.end(), alpha.begin(),
                       [](std::uint32_t m) { return (m & 0xFFFFFF) == 0 ? 255u : 0u; });
    }

    format = PictureFormat(size);
    void* bits = nullptr;
    const UniqueBitmap ground(CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    const UniqueMemoryDc memory(CreateCompatibleDC(dc));
    if (!ground || !memory || !bits) {
        return false;
    }
    const Selection selection(memory.Get(), ground.Get());
    BitBlt(memory.Get(), 0, 0, size, size, dc, x, y, SRCCOPY);
    GdiFlush(); // the copy is in the pixels before we read them
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (std::size_t i = 0; i < count; ++i) {
        pixels[i] = GreyedOver(picture[i], alpha[i], pixels[i]);
    }
    BitBlt(dc, x, y, size, size, memory.Get(), 0, 0, SRCCOPY);
    return true;
}

} // namespace

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
            submenu.Release(); // the menu destroys its submenus with itself
        }
    }
    return menu;
}

void PopupMenuBinding::Popup(TPopupMenu&, Point at) {
    HWND window = window_.Hwnd();
    if (!window) {
        return;
    }
    const MenuCallScope call; // a close meanwhile waits until this call has returned
    commands_.clear();
    UniqueMenu menu = Build(menu_.Items);
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(window);
    window_.Application().ProcessMessages();
    if (!MenuCallScope::MayShow()) {
        return;
    }
    open_ = true;
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(
        menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, window, nullptr));
    open_ = false;
    PostMessageA(window, WM_NULL, 0, 0);
    menu.Reset();
    if (chosen >= 1 && chosen <= commands_.size()) {
        TMenuItem* item = commands_[chosen - 1];
        commands_.clear();
        item->Click(); // we are inside the tray's dispatch: an error goes to the error box
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
        measure->itemWidth = static_cast<UINT>(images_->Size() + 4); // a little air before the caption
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
        const int left = x > 0 ? x : draw->rcItem.left;
        if (!(draw->itemState & ODS_GRAYED) ||
            !DrawGreyed(draw->hDC, *images_, item->ImageIndex(), left, y)) {
            ImageList_Draw(images_->Handle(), item->ImageIndex(), draw->hDC, left, y, ILD_TRANSPARENT);
        }
        result = TRUE;
        return true;
    }
    return false;
}

} // namespace gw::win32
