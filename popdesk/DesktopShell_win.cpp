#include "popdesk/DesktopShell_win.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

namespace gw {

namespace {

template <class T> T* As(ShellObject object) {
    return reinterpret_cast<T*>(object.value);
}
LPITEMIDLIST AsPidl(ItemIdList item) {
    return reinterpret_cast<LPITEMIDLIST>(item.value);
}
HWND AsWindow(WindowHandle window) {
    return reinterpret_cast<HWND>(window.value);
}
template <class T> std::uintptr_t Token(T* pointer) {
    return reinterpret_cast<std::uintptr_t>(pointer);
}

} // namespace

std::int32_t Win32DesktopShell::GetMalloc(ShellObject& allocator) {
    IMalloc* malloc = nullptr;
    const HRESULT hr = SHGetMalloc(&malloc);
    allocator = ShellObject{Token(malloc)};
    return hr;
}

std::int32_t Win32DesktopShell::GetDesktopFolder(ShellObject& folder) {
    IShellFolder* desktop = nullptr;
    const HRESULT hr = SHGetDesktopFolder(&desktop);
    folder = ShellObject{Token(desktop)};
    return hr;
}

std::int32_t Win32DesktopShell::EnumObjects(ShellObject folder, WindowHandle owner, std::uint32_t flags,
                                            ShellObject& enumerator) {
    IEnumIDList* list = nullptr;
    const HRESULT hr = As<IShellFolder>(folder)->EnumObjects(AsWindow(owner), flags, &list);
    enumerator = ShellObject{Token(list)};
    return hr;
}

std::int32_t Win32DesktopShell::Next(ShellObject enumerator, ItemIdList& item) {
    LPITEMIDLIST pidl = nullptr;
    ULONG fetched = 0;
    const HRESULT hr = As<IEnumIDList>(enumerator)->Next(1, &pidl, &fetched);
    item = ItemIdList{fetched == 1 ? Token(pidl) : 0};
    return hr;
}

void Win32DesktopShell::Release(ShellObject object) {
    As<IUnknown>(object)->Release();
}

void Win32DesktopShell::Free(ShellObject allocator, ItemIdList item) {
    As<IMalloc>(allocator)->Free(AsPidl(item));
}

bool Win32DesktopShell::GetFileInfo(ItemIdList item, std::uint32_t flags, ShellFileInfo& info) {
    SHFILEINFOA sfi;
    std::memset(&sfi, 0, sizeof sfi);
    const DWORD_PTR ok =
        SHGetFileInfoA(reinterpret_cast<LPCSTR>(AsPidl(item)), 0, &sfi, sizeof sfi, static_cast<UINT>(flags));
    if (!ok) {
        if (sfi.hIcon) {
            ::DestroyIcon(sfi.hIcon);
        }
        return false;
    }
    info.hIcon = IconHandle{reinterpret_cast<std::uintptr_t>(sfi.hIcon)};
    info.iIcon = sfi.iIcon;
    info.dwAttributes = sfi.dwAttributes;
    static_assert(sizeof sfi.szDisplayName == sizeof info.szDisplayName);
    static_assert(sizeof sfi.szTypeName == sizeof info.szTypeName);
    std::memcpy(info.szDisplayName.data(), sfi.szDisplayName, sizeof sfi.szDisplayName);
    std::memcpy(info.szTypeName.data(), sfi.szTypeName, sizeof sfi.szTypeName);
    return true;
}

void Win32DesktopShell::Execute(const ShellLaunch& launch) {
    SHELLEXECUTEINFOA sei;
    std::memset(&sei, 0, sizeof sei);
    sei.cbSize = sizeof sei;
    sei.fMask = launch.fMask;
    sei.hwnd = AsWindow(launch.hwnd);
    sei.nShow = launch.nShow;
    sei.lpIDList = AsPidl(launch.lpIDList);
    ShellExecuteExA(&sei); // SEE_MASK_FLAG_NO_UI: a failure stays silent
}

void Win32DesktopShell::ShowMessage(WindowHandle owner, const char* text, const char* caption,
                                    std::uint32_t type) {
    MessageBoxA(AsWindow(owner), text, caption, type);
}

Win32DeskIcons::Win32DeskIcons() : list_(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 16, 16)) {}

void Win32DeskIcons::Clear() {
    if (list_) {
        ImageList_RemoveAll(list_.Get());
    }
}

std::int32_t Win32DeskIcons::AddIcon(IconHandle icon) {
    return list_ ? ImageList_AddIcon(list_.Get(), reinterpret_cast<HICON>(icon.value)) : -1;
}

void Win32DeskIcons::DestroyIcon(IconHandle icon) {
    ::DestroyIcon(reinterpret_cast<HICON>(icon.value));
}

} // namespace gw
