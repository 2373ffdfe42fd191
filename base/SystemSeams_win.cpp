#include "base/SystemSeams_win.h"

#include "base/SystemFunction_win.h"
#include "base/SystemLibrary.h"
#include "base/WideString.h"
#include "shared/Handle_win.h"

#include <windows.h>

#include <cstring>

// The seam uses the plain name; it is a macro in the Windows headers.
#undef GetVersionEx

namespace gw::win32 {

// --- Libraries

ModuleHandle LibraryLoader::Load(const std::string& path) {
    return FromWin32<ModuleHandle>(LoadLibraryW(ToWide<std::wstring>(path).c_str()));
}

ModuleHandle LibraryLoader::LoadSystem(const std::string& name) {
    return FromWin32<ModuleHandle>(LoadSystemLibrary(name));
}

ProcAddress LibraryLoader::Find(ModuleHandle module, const std::string& name) {
    return ProcAddress{reinterpret_cast<std::uintptr_t>(GetProcAddress(ToWin32(module), name.c_str()))};
}

void LibraryLoader::Free(ModuleHandle module) {
    FreeLibrary(ToWin32(module));
}

void LibraryLoader::CallNoArgs(ProcAddress entry) {
    // The exports we call this way (the four hook switches, LockTheComputer) take no arguments;
    // without arguments the stdcall and cdecl conventions agree, so one pointer type serves all.
    using NoArgs = void(WINAPI*)();
    reinterpret_cast<NoArgs>(entry.value)();
}

// --- Version and files

bool Version::GetVersionEx(VersionInfo& info) {
    OSVERSIONINFOA version;
    std::memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = sizeof version; // 148
    // Deprecated in newer SDKs, but exactly the question asked: "NT 5.0 or later?".
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#elif defined(_MSC_VER)
#pragma warning(push)
#pragma warning(disable : 4996)
#endif
    const BOOL ok = ::GetVersionExA(&version);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#elif defined(_MSC_VER)
#pragma warning(pop)
#endif
    if (!ok) {
        return false;
    }
    info.MajorVersion = version.dwMajorVersion;
    info.MinorVersion = version.dwMinorVersion;
    info.PlatformId = version.dwPlatformId;
    return true;
}

std::string FileSystem::ExecutablePath() {
    // Paths past MAX_PATH exist; the answer is cut short (and fills the buffer) when they do not fit.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            return FromWide(path.data(), length);
        }
        if (path.size() >= 32768) {
            return {};
        }
        path.resize(path.size() * 2);
    }
}

bool FileSystem::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(ToWide<std::wstring>(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// --- System libraries

HMODULE LoadSystemLibrary(const std::string& name) {
    // AddDllDirectory came with the loader's LOAD_LIBRARY_SEARCH_* flags.
    const bool searchFlags = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "AddDllDirectory") != nullptr;
    std::string systemFolder;
    if (!searchFlags) {
        wchar_t folder[MAX_PATH];
        const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
        if (length > 0 && length < MAX_PATH) {
            systemFolder = FromWide(folder, length);
        }
    }
    const auto load = ChooseSystemLibraryLoad(name, searchFlags, systemFolder);
    return load ? LoadLibraryExW(ToWide<std::wstring>(load->Path).c_str(), nullptr, load->Flags) : nullptr;
}

} // namespace gw::win32
