// gwtray.exe: the least a Win32 program with a tray icon does, as the yardstick of Glidewing's
// start-up time (gwstartcost.exe): a hidden window, one icon in the notification area, a message
// loop. WM_CLOSE removes the icon and ends it.

#include <windows.h>

#include <shellapi.h> // after windows.h, which it needs

namespace {

constexpr UINT kTrayCallback = WM_APP + 1;

NOTIFYICONDATAA Icon(HWND window) {
    NOTIFYICONDATAA icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = window;
    icon.uID = 1;
    return icon;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE: {
        NOTIFYICONDATAA icon = Icon(window);
        Shell_NotifyIconA(NIM_DELETE, &icon);
        DestroyWindow(window);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "GWTray";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "GWTray", "GWTray", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                  nullptr, instance, nullptr);
    if (!window) {
        return 1;
    }
    NOTIFYICONDATAA icon = Icon(window);
    icon.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    icon.uCallbackMessage = kTrayCallback;
    icon.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    lstrcpynA(icon.szTip, "GWTray", sizeof icon.szTip);
    Shell_NotifyIconA(NIM_ADD, &icon);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    return 0;
}
