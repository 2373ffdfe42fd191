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
    ItemIdList Pidl;    // relative to the desktop, which makes it absolute too
    ShellFileInfo Info; // zeroed when the shell could tell nothing about the item
};

class DesktopLinks {
public:
    // Entries are named this prefix plus their index; the index is the only link back to DeskItems.
    static constexpr char kEntryPrefix[] = "DesktopMenu_";

    DesktopLinks(IDesktopShell& shell, IDeskIcons& icons, TDesktopMenu& menu);
    // Whatever a build still holds goes back to the shell: the identifier lists, then the
    // enumerator and the allocator.
    ~DesktopLinks();
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
    ShellObject ShellAllocator() const { return shellAllocator_.Get(); }
    ShellObject DesktopEnum() const { return desktopEnum_.Get(); }

    // SHGFI_SMALLICON | SHGFI_PIDL | SHGFI_ICON | SHGFI_DISPLAYNAME | SHGFI_TYPENAME | SHGFI_ATTRIBUTES
    std::uint32_t FileInfoFlags = 0x0F09;
    // SHCONTF_FOLDERS | SHCONTF_NONFOLDERS: hidden items stay out of the menu
    std::uint32_t EnumFlags = 0x60;

private:
    // Enumerates the desktop folder into DesktopEnum; false (with the message shown) when it
    // gives no enumerator to use.
    bool EnumerateDesktop(ShellObject desktopFolder);
    void ListItems();
    void FreeItemIdLists();

    IDesktopShell& shell_;
    IDeskIcons& icons_;
    TDesktopMenu& menu_;
    WindowHandle owner_{};

    // DesktopFolder is held by the build alone, so it is a local of BuildDesktopMenu.
    OwnedShellObject shellAllocator_; // from a build to the teardown
    OwnedShellObject desktopEnum_;    // from one build to the next
    std::vector<DeskItem> deskItems_;
    bool deskMenuBuilt_ = false;
};

} // namespace gw
