#pragma once
// The real Win32 behind the base seams: libraries bound at run time, the Windows version, and the
// program's own files. Thin pass-throughs; the decisions live with the callers. Paths are UTF-8 on
// our side and go to the system's wide calls, so any folder works (base/WideString.h).

#include "base/LibraryLoader.h"
#include "base/SystemInfo.h"

// The seams use plain names that the Windows headers define as macros, whichever comes first.
#undef GetVersionEx

namespace gw::win32 {

class LibraryLoader final : public ILibraryLoader {
public:
    ModuleHandle Load(const std::string& path) override;
    ModuleHandle LoadSystem(const std::string& name) override;
    ProcAddress Find(ModuleHandle module, const std::string& name) override;
    void Free(ModuleHandle module) override;
    void CallNoArgs(ProcAddress entry) override;
};

class Version final : public IVersion {
public:
    bool GetVersionEx(VersionInfo& info) override;
};

class FileSystem final : public IFileSystem {
public:
    std::string ExecutablePath() override;
    bool FileExists(const std::string& path) override;
};

} // namespace gw::win32
