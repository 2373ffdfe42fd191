#pragma once
// The real Win32 behind the main window's system seams (app/*.h): libraries, the shared section,
// system parameters, drives and MCI, version and files, the shell and the desktop window (the cursor
// calls are the scroll engine's, scroll/ScrollOps_win.h). Each is a thin pass-through; the
// decisions live in TMainForm.

#include "app/Drives.h"
#include "app/LibraryLoader.h"
#include "app/SharedSection.h"
#include "app/Shell.h"
#include "app/SystemInfo.h"
#include "app/SystemParameters.h"

// The seams use plain names that the Windows headers define as macros, whichever comes first.
#undef GetVersionEx

namespace gw::win32 {

class LibraryLoader final : public ILibraryLoader {
public:
    ModuleHandle Load(const std::string& path) override;
    ProcAddress Find(ModuleHandle module, const std::string& name) override;
    void Free(ModuleHandle module) override;
    void CallNoArgs(ProcAddress entry) override;
};

class SharedSection final : public ISharedSection {
public:
    KernelHandle Create(const std::string& name, std::uint32_t size) override;
    HookShare* MapWritable(KernelHandle section) override;
    void Unmap(HookShare* view) override;
    void Close(KernelHandle section) override;
};

class SystemParameters final : public ISystemParameters {
public:
    bool Set(std::uint32_t action, std::uint32_t param, std::uint32_t winIni) override;
    bool ScreenSaveActive(bool& active) override;
};

class Drives final : public IDrives {
public:
    std::uint32_t DriveType(const std::string& root) override;
};

class Mci final : public IMci {
public:
    std::uint32_t SendString(const std::string& command) override;
    std::uint32_t Open(std::uint32_t flags, std::uint32_t deviceType, const std::string& element,
                       std::uint32_t& deviceId) override;
    std::uint32_t Command(std::uint32_t deviceId, std::uint32_t command, std::uint32_t flags) override;
};

class Version final : public IVersion {
public:
    bool GetVersionEx(VersionInfo& info) override;
};

class FileSystem final : public IFileSystem {
public:
    std::string ExecutablePath() override;
    std::string SystemDirectory() override;
    bool FileExists(const std::string& path) override;
};

class Shell final : public IShell {
public:
    void Execute(WindowHandle owner, const std::string& verb, const std::string& file, int show) override;
};

class DesktopWindow final : public IDesktopWindow {
public:
    void Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
};

} // namespace gw::win32
