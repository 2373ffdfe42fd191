#pragma once
// The binding to the HTML Help control: HHCTRL.OCX from the system folder, loaded on the first
// help request and initialised once, then kept for the life of the process. Its wide entry
// HtmlHelpW takes the help file's path, which may lie in any folder.

#include "base/LibraryLoader.h"
#include "shared/Handle.h"

#include <cstdint>
#include <string>

namespace gw {

// Calls the control's HtmlHelpW export with a UTF-8 file text (a null file passes NULL).
class IHtmlHelpEntry {
public:
    virtual ~IHtmlHelpEntry() = default;
    virtual std::uintptr_t Call(ProcAddress entry, WindowHandle caller, const char* file,
                                std::uint32_t command, std::uintptr_t data) = 0;
};

class HTMLHelp_Decl {
public:
    HTMLHelp_Decl(ILibraryLoader& libraries, IHtmlHelpEntry& entry) : libraries_(libraries), entry_(entry) {}

    // Loads and initialises the control when that has not happened yet, then asks it to carry
    // out the command. Raises "HHCtrl.OCX not installed!\r HTMLHELP cannot displayed!" when the
    // control cannot be loaded (the next request tries again) and "Function HTMLHELP cannot
    // loaded!" when it lacks its export (the next request looks again; nothing is ever called
    // through a missing export).
    std::uintptr_t HtmlHelpCall(WindowHandle caller, const std::string& file, std::uint32_t command,
                                std::uintptr_t data);

    bool Loaded() const { return static_cast<bool>(htmlHelp_); }

private:
    ILibraryLoader& libraries_;
    IHtmlHelpEntry& entry_;
    ModuleHandle module_{};
    ProcAddress htmlHelp_{};
    // From HH_INITIALIZE; kept, never used again. Pointer-sized: the control stores a DWORD_PTR
    // through the address it is given.
    std::uintptr_t cookie_ = 0;
};

} // namespace gw
