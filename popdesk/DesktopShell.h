#pragma once
// The seams of the desktop links menu: the shell and COM calls that list and launch the desktop's
// items, and the small icon list the menu draws from. Interfaces and identifier lists are opaque
// tokens here; the Win32 side (DesktopShell_win.cpp) turns them back into pointers.

#include "base/Owned.h"
#include "shared/Handle.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace gw {

using ShellObject = Handle<struct ShellObjectTag>; // an IMalloc, IShellFolder or IEnumIDList
using ItemIdList = Handle<struct ItemIdListTag>;   // an item identifier list from the shell

// An item's shell information, as SHGetFileInfo fills SHFILEINFO, with the names in UTF-8 (the
// shell's wide names, whatever their script; three bytes a character at most). Zeroed means
// "nothing known": no icon, no attributes, an empty name.
struct ShellFileInfo {
    IconHandle hIcon{};
    std::int32_t iIcon = 0;
    std::uint32_t dwAttributes = 0;
    std::array<char, 3 * 260 + 1> szDisplayName{};
    std::array<char, 3 * 80 + 1> szTypeName{};

    // The caption, also when the shell filled all 260 characters without a terminator.
    std::string_view DisplayName() const {
        std::string_view all(szDisplayName.data(), szDisplayName.size());
        return all.substr(0, all.find('\0'));
    }
};

// What ShellExecuteExA gets; everything not here (verb, file, parameters, directory) is null.
struct ShellLaunch {
    std::uint32_t fMask = 0;
    WindowHandle hwnd{};
    std::int32_t nShow = 0;
    ItemIdList lpIDList{};
};

class IDesktopShell {
public:
    virtual ~IDesktopShell() = default;

    virtual std::int32_t GetMalloc(ShellObject& allocator) = 0;     // SHGetMalloc
    virtual std::int32_t GetDesktopFolder(ShellObject& folder) = 0; // SHGetDesktopFolder
    virtual std::int32_t EnumObjects(ShellObject folder, WindowHandle owner, std::uint32_t flags,
                                     ShellObject& enumerator) = 0;           // IShellFolder::EnumObjects
    virtual std::int32_t Next(ShellObject enumerator, ItemIdList& item) = 0; // IEnumIDList::Next, one item
    virtual void Release(ShellObject object) = 0;                            // IUnknown::Release
    virtual void Free(ShellObject allocator, ItemIdList item) = 0;           // IMalloc::Free
    // SHGetFileInfo(SHGFI_PIDL) with file attributes 0; false when the shell answered 0.
    virtual bool GetFileInfo(ItemIdList item, std::uint32_t flags, ShellFileInfo& info) = 0;
    virtual void Execute(const ShellLaunch& launch) = 0; // ShellExecuteExA, result ignored
    virtual void ShowMessage(WindowHandle owner, const char* text, const char* caption,
                             std::uint32_t type) = 0; // MessageBoxA
};

// An IMalloc, IShellFolder or IEnumIDList reference, released by Reset or when the token goes.
using OwnedShellObject = Owned<IDesktopShell, ShellObject, &IDesktopShell::Release>;

// deskimagelist: the menu's 16 x 16 pictures, plus disposal of the icons the shell hands out.
class IDeskIcons {
public:
    virtual ~IDeskIcons() = default;
    virtual void Clear() = 0;                          // empties the image list
    virtual std::int32_t AddIcon(IconHandle icon) = 0; // the list keeps its own copy; -1 on failure
    virtual void DestroyIcon(IconHandle icon) = 0;
};

} // namespace gw
