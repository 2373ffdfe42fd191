#pragma once
// What the program asks about the system and its own files: the Windows version, the path of the
// executable, whether a file exists.

#include <cstdint>
#include <string>

namespace gw {

struct VersionInfo {
    std::uint32_t MajorVersion = 0;
    std::uint32_t MinorVersion = 0;
    std::uint32_t PlatformId = 0;
};

class IVersion {
public:
    virtual ~IVersion() = default;
    // GetVersionExA with an OSVERSIONINFOA whose size field is 148; false when the call fails.
    virtual bool GetVersionEx(VersionInfo& info) = 0;
};

// Paths are UTF-8, whatever the system's ANSI code page: the Win32 side uses the wide calls.
class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    virtual std::string ExecutablePath() = 0; // GetModuleFileNameW of the program
    virtual bool FileExists(const std::string& path) = 0;
};

} // namespace gw
