#include "base/SystemCursors_win.h"

#include "shared/Handle_win.h"

namespace gw::win32 {

CursorHandle ModuleCursorApi::LoadCursorResource(const char* name) {
    return FromWin32<CursorHandle>(LoadCursorA(module_, name));
}

CursorHandle ModuleCursorApi::CopyCursor(CursorHandle cursor) {
    return FromWin32<CursorHandle>(
        reinterpret_cast<HCURSOR>(CopyIcon(reinterpret_cast<HICON>(ToWin32(cursor)))));
}

void ModuleCursorApi::SetSystemCursor(CursorHandle cursor, std::uint32_t systemId) {
    ::SetSystemCursor(ToWin32(cursor), systemId); // takes the copy over and destroys it later
}

void ModuleCursorApi::SetCursor(CursorHandle cursor) {
    ::SetCursor(ToWin32(cursor));
}

void ModuleCursorApi::DestroyCursor(CursorHandle copy) {
    DestroyIcon(reinterpret_cast<HICON>(ToWin32(copy))); // CopyIcon's copies go with DestroyIcon
}

void ModuleCursorApi::ReloadSystemCursors() {
    // SPIF_SENDCHANGE would announce the change with SendMessage to every top-level window, waiting
    // for each: a hung application (often the very window a gesture has just scrolled) would hold
    // the program up until it answers. The same announcement goes out without the wait.
    SystemParametersInfoA(SPI_SETCURSORS, 0, nullptr, 0);
    SendNotifyMessageA(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETCURSORS, 0);
}

} // namespace gw::win32
