#pragma once
// The real Win32 behind the main window's own system seams (app/*.h): the shared section, system
// parameters, drives and MCI, the shell and the desktop window (libraries, version and files are in
// base/SystemSeams_win.h, the cursor calls in base/SystemCursors_win.h). Each is a thin
// pass-through; the decisions live in TMainForm.

#include "app/Drives.h"
#include "app/ProgramAtCursor.h"
#include "app/SharedSection.h"
#include "app/Shell.h"
#include "app/SystemParameters.h"

namespace gw::win32 {

class SharedSection final : public ISharedSection {
public:
    KernelHandle Create(const std::string& name, std::uint32_t size) override;
    HookShare* MapWritable(KernelHandle section) override;
    void Unmap(HookShare* view) override;
    AsideShare* MapAsideWritable(KernelHandle section) override;
    void UnmapAside(AsideShare* view) override;
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

class Shell final : public IShell {
public:
    void Execute(WindowHandle owner, const std::string& verb, const std::string& file, int show) override;
};

class ProgramAtCursor final : public IProgramAtCursor {
public:
    std::string ExecutableAtCursor() override;
};

class DesktopWindow final : public IDesktopWindow {
public:
    void Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
};

} // namespace gw::win32
