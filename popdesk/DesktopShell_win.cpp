#include "popdesk/DesktopShell_win.h"

#include "shared/Handle_win.h"
#include "ui/Dpi_win.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <cwchar>
#include <iterator>

namespace gw {

namespace {

template <class T> T* As(ShellObject object) {
    return reinterpret_cast<T*>(object.value);
}
LPITEMIDLIST AsPidl(ItemIdList item) {
    return reinterpret_cast<LPITEMIDLIST>(item.value);
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
    const HRESULT hr = As<IShellFolder>(folder)->EnumObjects(ToWin32(owner), flags, &list);
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

// Names in any script: the shell's wide text as UTF-8, which fits, since a character of UTF-16
// takes at most three bytes of UTF-8 (a pair of two takes four).
template <std::size_t N, std::size_t M> void CopyAsUtf8(const WCHAR (&from)[N], std::array<char, M>& to) {
    static_assert(M >= 3 * N + 1);
    to.fill('\0');
    const int length = static_cast<int>(std::wcslen(from) < N ? std::wcslen(from) : N);
    WideCharToMultiByte(CP_UTF8, 0, from, length, to.data(), static_cast<int>(M) - 1, nullptr, nullptr);
}

bool Win32DesktopShell::GetFileInfo(ItemIdList item, std::uint32_t flags, ShellFileInfo& info) {
    SHFILEINFOW sfi;
    std::memset(&sfi, 0, sizeof sfi);
    const DWORD_PTR ok = SHGetFileInfoW(reinterpret_cast<LPCWSTR>(AsPidl(item)), 0, &sfi, sizeof sfi,
                                        static_cast<UINT>(flags));
    if (!ok) {
        if (sfi.hIcon) {
            ::DestroyIcon(sfi.hIcon);
        }
        return false;
    }
    info.hIcon = FromWin32<IconHandle>(sfi.hIcon);
    info.iIcon = sfi.iIcon;
    info.dwAttributes = sfi.dwAttributes;
    // The shell may fill a field to its end without a terminator.
    sfi.szDisplayName[std::size(sfi.szDisplayName) - 1] = L'\0';
    sfi.szTypeName[std::size(sfi.szTypeName) - 1] = L'\0';
    CopyAsUtf8(sfi.szDisplayName, info.szDisplayName);
    CopyAsUtf8(sfi.szTypeName, info.szTypeName);
    return true;
}

void Win32DesktopShell::Execute(const ShellLaunch& launch) {
    SHELLEXECUTEINFOA sei;
    std::memset(&sei, 0, sizeof sei);
    sei.cbSize = sizeof sei;
    sei.fMask = launch.fMask;
    sei.hwnd = ToWin32(launch.hwnd);
    sei.nShow = launch.nShow;
    sei.lpIDList = AsPidl(launch.lpIDList);
    ShellExecuteExA(&sei); // SEE_MASK_FLAG_NO_UI: a failure stays silent
}

void Win32DesktopShell::ShowMessage(WindowHandle owner, const char* text, const char* caption,
                                    std::uint32_t type) {
    MessageBoxA(ToWin32(owner), text, caption, type);
}

Win32DeskIcons::Win32DeskIcons() {
    Create(16);
}

void Win32DeskIcons::Create(int size) {
    list_.Reset(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 16, 16));
    size_ = size;
}

void Win32DeskIcons::Clear() {
    POINT cursor = {};
    GetCursorPos(&cursor);
    const int size = win32::SystemMetricForDpi(SM_CXSMICON, win32::PointDpi(cursor));
    if (size > 0 && size != size_) {
        Create(size); // the icons added are drawn into the list at its size
    } else if (list_) {
        ImageList_RemoveAll(list_.Get());
    }
}

std::int32_t Win32DeskIcons::AddIcon(IconHandle icon) {
    return list_ ? ImageList_AddIcon(list_.Get(), ToWin32(icon)) : -1;
}

void Win32DeskIcons::DestroyIcon(IconHandle icon) {
    ::DestroyIcon(ToWin32(icon));
}

} // namespace gw
