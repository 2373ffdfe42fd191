#pragma once
// The binding to the HTML Help control: HHCTRL.OCX from the system directory, loaded on the first
// help request and initialised once, then kept for the life of the process.

#include "base/LibraryLoader.h"
#include "base/SystemInfo.h"
#include "shared/Handle.h"

#include <cstdint>
#include <string>

namespace gw {

// Calls the control's HtmlHelpA export (a null file passes NULL).
class IHtmlHelpEntry {
public:
    virtual ~IHtmlHelpEntry() = default;
    virtual std::uintptr_t Call(ProcAddress entry, WindowHandle caller, const char* file,
                                std::uint32_t command, std::uintptr_t data) = 0;
};

class HTMLHelp_Decl {
public:
    HTMLHelp_Decl(ILibraryLoader& libraries, IHtmlHelpEntry& entry, IFileSystem& files)
        : libraries_(libraries), entry_(entry), files_(files) {}

    // Loads and initialises the control when that has not happened yet, then asks it to carry
    // out the command. Raises "HHCtrl.OCX not installed!\r HTMLHELP cannot displayed!" when the
    // control cannot be loaded (the next request tries again) and "Function HTMLHELP cannot
    // loaded!" when it lacks its export (the next request looks again; nothing is ever called
    // through a missing export). Without a known system directory nothing is loaded: a bare
    // "\HHCTRL.OCX" would be whatever lies at the root of the current drive.
    std::uintptr_t HtmlHelpCall(WindowHandle caller, const std::string& file, std::uint32_t command,
                                std::uintptr_t data);

    bool Loaded() const { return static_cast<bool>(htmlHelpA_); }

private:
    ILibraryLoader& libraries_;
    IHtmlHelpEntry& entry_;
    IFileSystem& files_;
    ModuleHandle module_{};
    ProcAddress htmlHelpA_{};
    // From HH_INITIALIZE; kept, never used again. Pointer-sized: the control stores a DWORD_PTR
    // through the address it is given.
    std::uintptr_t cookie_ = 0;
};

} // namespace gw
