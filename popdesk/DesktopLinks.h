#pragma once
// The desktop links menu: fills desktopmenu with every item of the shell's desktop folder, in the
// shell's order, launches the chosen one, and frees everything again after the menu has closed.
// Everything that touches the shell goes through IDesktopShell, the pictures through IDeskIcons.

#include "popdesk/DesktopMenu.h"
#include "popdesk/DesktopShell.h"
#include "shared/Win32Values.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gw {

struct DeskItem {
    ItemIdList Pidl;      // relative to the desktop, which makes it absolute too
    ShellFileInfo Info;   // zeroed when the shell could tell nothing about the item
};

class DesktopLinks {
public:
    // Entries are named this prefix plus their index; the index is the only link back to DeskItems.
    static constexpr char kEntryPrefix[] = "DesktopMenu_";

    DesktopLinks(IDesktopShell& shell, IDeskIcons& icons, TDesktopMenu& menu);
    DesktopLinks(const DesktopLinks&) = delete;
    DesktopLinks& operator=(const DesktopLinks&) = delete;

    // The application's top-level window: owner of the enumeration, the launches and the messages.
    void SetOwnerWindow(WindowHandle owner) { owner_ = owner; }

    void BuildDesktopMenu();
    void DesktopMenuItemClick(const std::string& senderName);
    void ClearDesktopMenu();
    void TearDownDesktopMenu();

    bool DeskMenuBuilt() const { return deskMenuBuilt_; }
    void SetDeskMenuBuilt() { deskMenuBuilt_ = true; }

    const std::vector<DeskItem>& DeskItems() const { return deskItems_; }
    ShellObject ShellAllocator() const { return shellAllocator_; }
    ShellObject DesktopEnum() const { return desktopEnum_; }

    // SHGFI_SMALLICON | SHGFI_PIDL | SHGFI_ICON | SHGFI_DISPLAYNAME | SHGFI_TYPENAME | SHGFI_ATTRIBUTES
    std::uint32_t FileInfoFlags = 0x0F09;
    // SHCONTF_FOLDERS | SHCONTF_NONFOLDERS: hidden items stay out of the menu
    std::uint32_t EnumFlags = 0x60;

private:
    void ListItems();
    void ReleaseAllocator();

    IDesktopShell& shell_;
    IDeskIcons& icons_;
    TDesktopMenu& menu_;
    WindowHandle owner_{};

    ShellObject shellAllocator_{};
    ShellObject desktopFolder_{};
    ShellObject desktopEnum_{};
    std::vector<DeskItem> deskItems_;
    bool deskMenuBuilt_ = false;
};

} // namespace gw
