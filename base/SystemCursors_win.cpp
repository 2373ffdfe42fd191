#include "base/SystemCursors_win.h"

namespace gw::win32 {

namespace {

HCURSOR ToCursor(CursorHandle cursor) {
    return reinterpret_cast<HCURSOR>(cursor.value);
}
CursorHandle FromCursor(HCURSOR cursor) {
    return CursorHandle(reinterpret_cast<std::uintptr_t>(cursor));
}

} // namespace

CursorHandle ModuleCursorApi::LoadCursorResource(const char* name) {
    return FromCursor(LoadCursorA(module_, name));
}

CursorHandle ModuleCursorApi::CopyCursor(CursorHandle cursor) {
    return FromCursor(reinterpret_cast<HCURSOR>(CopyIcon(reinterpret_cast<HICON>(ToCursor(cursor)))));
}

void ModuleCursorApi::SetSystemCursor(CursorHandle cursor, std::uint32_t systemId) {
    ::SetSystemCursor(ToCursor(cursor), systemId); // takes the copy over and destroys it later
}

void ModuleCursorApi::SetCursor(CursorHandle cursor) {
    ::SetCursor(ToCursor(cursor));
}

void ModuleCursorApi::DestroyCursor(CursorHandle copy) {
    DestroyIcon(reinterpret_cast<HICON>(ToCursor(copy))); // CopyIcon's copies go with DestroyIcon
}

void ModuleCursorApi::ReloadSystemCursors() {
    // SPIF_SENDCHANGE would announce the change with SendMessage to every top-level window, waiting
    // for each: a hung application (often the very window a gesture has just scrolled) would hold
    // the program up until it answers. The same announcement goes out without the wait.
    SystemParametersInfoA(SPI_SETCURSORS, 0, nullptr, 0);
    SendNotifyMessageA(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETCURSORS, 0);
}

} // namespace gw::win32
