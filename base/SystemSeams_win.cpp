#include "base/SystemSeams_win.h"

#include <windows.h>

#include <cstring>

// The seam uses the plain name; it is a macro in the Windows headers.
#undef GetVersionEx

namespace gw::win32 {

namespace {

HMODULE ToModule(ModuleHandle module) {
    return reinterpret_cast<HMODULE>(module.value);
}

} // namespace

// --- Libraries

ModuleHandle LibraryLoader::Load(const std::string& path) {
    return ModuleHandle{reinterpret_cast<std::uintptr_t>(LoadLibraryA(path.c_str()))};
}

ProcAddress LibraryLoader::Find(ModuleHandle module, const std::string& name) {
    return ProcAddress{reinterpret_cast<std::uintptr_t>(GetProcAddress(ToModule(module), name.c_str()))};
}

void LibraryLoader::Free(ModuleHandle module) {
    FreeLibrary(ToModule(module));
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
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

std::string FileSystem::SystemDirectory() {
    char path[256] = {};
    const UINT length = GetSystemDirectoryA(path, 255);
    return length < sizeof path ? std::string(path, length) : std::string();
}

bool FileSystem::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace gw::win32
