/* gwcosthooks.dll: the two yardsticks of gwhookcost.exe, global mouse hooks built like GWHooks.dll
 * (no C runtime, kernel32 and user32 only, -Os) so that only what the procedures do differs.
 *
 *   PassHookOn/PassHookOff         a hook that only calls the next one
 *   ChannelHookOn/ChannelHookOff   a hook that does, in plain C, exactly the per-call work the
 *                                  channel between GWHooks.dll and Glidewing requires for a move:
 *                                  open and map a 12-byte record read-only, read it, post the
 *                                  position to the window it names, unmap, close, call the next
 *                                  hook (or swallow while the record says so)
 *
 * The channel hook reads its own record, "GWCostBridge" (laid out like the real one), and posts
 * GW_COST_REPORT, so it never disturbs a Glidewing that may be running. */

#include <windows.h>

#define GW_COST_RECORD "GWCostBridge"
#define GW_COST_REPORT 0x140B

extern IMAGE_DOS_HEADER __ImageBase;

static HHOOK passHook;
static HHOOK channelHook;

static LRESULT CALLBACK PassHookProc(int code, WPARAM wParam, LPARAM lParam) {
    return CallNextHookEx(passHook, code, wParam, lParam);
}

static LRESULT CALLBACK ChannelHookProc(int code, WPARAM wParam, LPARAM lParam) {
    BOOL pass = TRUE;
    HANDLE section;
    const volatile BYTE* view;
    if (code < 0 || lParam == 0) {
        return CallNextHookEx(channelHook, code, wParam, lParam);
    }
    section = OpenFileMappingA(FILE_MAP_READ, FALSE, GW_COST_RECORD);
    if (section != NULL) {
        view = (const volatile BYTE*)MapViewOfFile(section, FILE_MAP_READ, 0, 0, 0);
        if (view != NULL) {
            const MOUSEHOOKSTRUCT* info = (const MOUSEHOOKSTRUCT*)lParam;
            DWORD window = *(const volatile DWORD*)view;            /* MainWindow */
            pass = view[6] != 0;                                    /* PassInput */
            if (view[7] == 0 && code == HC_ACTION && window != 0) { /* HooksPaused */
                LPARAM position =
                    (LPARAM)(((DWORD)info->pt.x & 0xFFFFu) | (((DWORD)info->pt.y & 0xFFFFu) << 16));
                PostMessageA((HWND)(INT_PTR)(LONG)window, GW_COST_REPORT, wParam, position);
            }
            UnmapViewOfFile((LPCVOID)view);
        }
        CloseHandle(section);
    }
    return pass ? CallNextHookEx(channelHook, code, wParam, lParam) : -1;
}

BOOL WINAPI GwCostEntry(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}

DWORD WINAPI PassHookOn(void) {
    passHook = SetWindowsHookExA(WH_MOUSE, PassHookProc, (HINSTANCE)&__ImageBase, 0);
    return passHook != NULL;
}

BOOL WINAPI PassHookOff(void) {
    return UnhookWindowsHookEx(passHook);
}

DWORD WINAPI ChannelHookOn(void) {
    channelHook = SetWindowsHookExA(WH_MOUSE, ChannelHookProc, (HINSTANCE)&__ImageBase, 0);
    return channelHook != NULL;
}

BOOL WINAPI ChannelHookOff(void) {
    return UnhookWindowsHookEx(channelHook);
}
