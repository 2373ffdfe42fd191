// gwmarker.exe: proof that something launched it. Writes "<its own path>.ran" with the line
// "ran" and ends. The PopDesk cases put a copy on the desktop and choose it from the menu; its
// path is read and written in wide characters, so a copy named in any script works too.

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    wchar_t path[MAX_PATH + 8] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return 1;
    }
    lstrcatW(path, L".ran");
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    DWORD written = 0;
    const BOOL ok = WriteFile(file, "ran\r\n", 5, &written, nullptr);
    CloseHandle(file);
    return ok && written == 5 ? 0 : 1;
}
