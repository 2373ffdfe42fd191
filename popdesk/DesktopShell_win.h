#pragma once
// The real shell behind IDesktopShell and the real image list behind IDeskIcons.

#include "popdesk/DesktopShell.h"
#include "ui/Gdi_win.h"

#include <windows.h>
#include <commctrl.h>

namespace gw {

class Win32DesktopShell final : public IDesktopShell {
public:
    std::int32_t GetMalloc(ShellObject& allocator) override;
    std::int32_t GetDesktopFolder(ShellObject& folder) override;
    std::int32_t EnumObjects(ShellObject folder, WindowHandle owner, std::uint32_t flags,
                             ShellObject& enumerator) override;
    std::int32_t Next(ShellObject enumerator, ItemIdList& item) override;
    void Release(ShellObject object) override;
    void Free(ShellObject allocator, ItemIdList item) override;
    bool GetFileInfo(ItemIdList item, std::uint32_t flags, ShellFileInfo& info) override;
    void Execute(const ShellLaunch& launch) override;
    void ShowMessage(WindowHandle owner, const char* text, const char* caption, std::uint32_t type) override;
};

// deskimagelist: pictures with a mask, so icons keep their transparency, at the small-icon size of
// the monitor the menu opens on (16 x 16 at 96 dpi). The menu opens where the cursor rests when it
// is built, so each build (which begins with Clear) takes the size for the monitor under the cursor.
class Win32DeskIcons final : public IDeskIcons {
public:
    Win32DeskIcons();
    Win32DeskIcons(const Win32DeskIcons&) = delete;
    Win32DeskIcons& operator=(const Win32DeskIcons&) = delete;

    void Clear() override;
    std::int32_t AddIcon(IconHandle icon) override;
    void DestroyIcon(IconHandle icon) override;

    HIMAGELIST List() const { return list_.Get(); }
    int Size() const { return size_; }

private:
    void Create(int size);

    win32::UniqueImageList list_;
    int size_ = 0;
};

} // namespace gw
