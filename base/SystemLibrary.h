#pragma once
// How a library of the system is loaded when the program first needs it (the multimedia and
// common-dialog libraries, the HTML Help control, psapi): from the system folder only. A bare name
// would be looked for in the program's own folder first, where anybody who may write there (the
// per-user install and the zip's folder are the user's own) could put a library of that name.

#include <cstdint>
#include <optional>
#include <string>

namespace gw {

inline constexpr std::uint32_t kLOAD_WITH_ALTERED_SEARCH_PATH = 0x00000008;
inline constexpr std::uint32_t kLOAD_LIBRARY_SEARCH_SYSTEM32 = 0x00000800;

// What LoadLibraryEx gets.
struct SystemLibraryLoad {
    std::string Path;
    std::uint32_t Flags = 0;
    friend bool operator==(const SystemLibraryLoad&, const SystemLibraryLoad&) = default;
};

// searchFlags: the system's loader knows LOAD_LIBRARY_SEARCH_SYSTEM32 (Windows 8 and later, and
// Windows Vista and 7 with the update that brought AddDllDirectory); then the system folder is the
// only place for the library and for what it imports. Otherwise the full path from the system
// folder, whose libraries are looked for beside it first (LOAD_WITH_ALTERED_SEARCH_PATH puts the
// library's own folder in place of the program's). Without a known system folder: nothing, since a
// bare name or "\name" would be found elsewhere.
inline std::optional<SystemLibraryLoad> ChooseSystemLibraryLoad(const std::string& name, bool searchFlags,
                                                                const std::string& systemFolder) {
    if (searchFlags) {
        return SystemLibraryLoad{name, kLOAD_LIBRARY_SEARCH_SYSTEM32};
    }
    if (systemFolder.empty()) {
        return std::nullopt;
    }
    const bool separated = systemFolder.back() == '\\' || systemFolder.back() == '/';
    return SystemLibraryLoad{systemFolder + (separated ? "" : "\\") + name, kLOAD_WITH_ALTERED_SEARCH_PATH};
}

} // namespace gw
