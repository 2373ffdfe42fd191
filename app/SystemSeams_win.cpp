#include "app/SystemSeams_win.h"

#include "base/SystemFunction_win.h"
#include "base/WideString.h"
#include "shared/Handle_win.h"

#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <cstring>

namespace gw::win32 {

// --- The shared record's section

KernelHandle SharedSection::Create(const std::string& name, std::uint32_t size) {
    HANDLE section = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, name.c_str());
    return FromWin32<KernelHandle>(section);
}

HookShare* SharedSection::MapWritable(KernelHandle section) {
    return static_cast<HookShare*>(MapViewOfFile(ToWin32(section), FILE_MAP_WRITE, 0, 0, 0));
}

void SharedSection::Unmap(HookShare* view) {
    UnmapViewOfFile(view);
}

AsideShare* SharedSection::MapAsideWritable(KernelHandle section) {
    return static_cast<AsideShare*>(MapViewOfFile(ToWin32(section), FILE_MAP_WRITE, 0, 0, 0));
}

void SharedSection::UnmapAside(AsideShare* view) {
    UnmapViewOfFile(view);
}

void SharedSection::Close(KernelHandle section) {
    CloseHandle(ToWin32(section));
}

// --- System parameters

bool SystemParameters::Set(std::uint32_t action, std::uint32_t param, std::uint32_t winIni) {
    return SystemParametersInfoA(action, param, nullptr, winIni) != FALSE;
}

bool SystemParameters::ScreenSaveActive(bool& active) {
    BOOL value = FALSE;
    if (!SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &value, 0)) {
        return false;
    }
    active = value != FALSE;
    return true;
}

// --- Drives and their doors

std::uint32_t Drives::DriveType(const std::string& root) {
    return GetDriveTypeA(root.c_str());
}

namespace {

using MciSendStringFunction = MCIERROR(WINAPI*)(LPCSTR, LPSTR, UINT, HWND);
using MciSendCommandFunction = MCIERROR(WINAPI*)(MCIDEVICEID, UINT, DWORD_PTR, DWORD_PTR);

// The multimedia library is loaded when a drive door is first asked for, not at every start:
// loading it (and the audio compression library it pulls in) lengthens the way to the tray icon.
MciSendStringFunction SendStringFunction() {
    static const auto function = SystemFunction<MciSendStringFunction>("winmm.dll", "mciSendStringA");
    return function;
}

MciSendCommandFunction SendCommandFunction() {
    static const auto function = SystemFunction<MciSendCommandFunction>("winmm.dll", "mciSendCommandA");
    return function;
}

} // namespace

std::uint32_t Mci::SendString(const std::string& command) {
    const MciSendStringFunction send = SendStringFunction();
    return send ? send(command.c_str(), nullptr, 0, nullptr) : MCIERR_CANNOT_LOAD_DRIVER;
}

std::uint32_t Mci::Open(std::uint32_t flags, std::uint32_t deviceType, const std::string& element,
                        std::uint32_t& deviceId) {
    MCI_OPEN_PARMSA params;
    std::memset(&params, 0, sizeof params);
    // With MCI_OPEN_TYPE_ID the device type travels as a number in the name field.
    params.lpstrDeviceType = reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(deviceType));
    params.lpstrElementName = element.c_str();
    const MciSendCommandFunction send = SendCommandFunction();
    if (!send) {
        return MCIERR_CANNOT_LOAD_DRIVER;
    }
    const MCIERROR result = send(0, MCI_OPEN, flags, reinterpret_cast<DWORD_PTR>(&params));
    deviceId = params.wDeviceID;
    return result;
}

std::uint32_t Mci::Command(std::uint32_t deviceId, std::uint32_t command, std::uint32_t flags) {
    const MciSendCommandFunction send = SendCommandFunction();
    return send ? send(deviceId, command, flags, 0) : MCIERR_CANNOT_LOAD_DRIVER;
}

// --- Shell and desktop window

void Shell::Execute(WindowHandle owner, const std::string& verb, const std::string& file, int show) {
    ShellExecuteA(ToWin32(owner), verb.c_str(), file.c_str(), nullptr, nullptr, show);
}

// --- The program under the cursor

namespace {

using ImageFileName = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD);

// psapi, looked for once and only where kernel32 cannot name another process (Windows XP).
ImageFileName ImageFileNameFunction() {
    static const auto function = SystemFunction<ImageFileName>("psapi.dll", "GetProcessImageFileNameW");
    return function;
}

} // namespace

std::string ProgramAtCursor::ExecutableAtCursor() {
    POINT cursor;
    if (!GetCursorPos(&cursor)) {
        return {};
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(WindowFromPoint(cursor), &processId);
    if (processId == 0 || processId == GetCurrentProcessId()) {
        return {};
    }
    // Windows XP knows neither the limited right nor QueryFullProcessImageNameW; there psapi's
    // GetProcessImageFileNameW gives the path in device form, whose file name part is the same.
    constexpr DWORD kQueryLimitedInformation = 0x1000; // PROCESS_QUERY_LIMITED_INFORMATION
    HANDLE process = OpenProcess(kQueryLimitedInformation, FALSE, processId);
    if (!process) {
        process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
    }
    if (!process) {
        return {};
    }
    wchar_t path[MAX_PATH * 2] = {};
    constexpr DWORD kRoom = sizeof path / sizeof path[0];
    DWORD length = 0;
    using QueryFullName = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);
    if (const auto queryFullName = reinterpret_cast<QueryFullName>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "QueryFullProcessImageNameW")))) {
        length = kRoom;
        if (!queryFullName(process, 0, path, &length)) {
            length = 0;
        }
    } else if (const auto imageFileName = ImageFileNameFunction()) {
        length = imageFileName(process, path, kRoom);
    }
    CloseHandle(process);
    return length < kRoom ? FromWide(path, length) : std::string();
}

void DesktopWindow::Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    PostMessageA(GetDesktopWindow(), message, wParam, lParam);
}

} // namespace gw::win32
