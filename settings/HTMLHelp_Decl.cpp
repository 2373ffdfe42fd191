#include "settings/HTMLHelp_Decl.h"

#include "base/Error.h"
#include "shared/Win32Values.h"

namespace gw {

std::uintptr_t HTMLHelp_Decl::HtmlHelpCall(WindowHandle caller, const std::string& file,
                                           std::uint32_t command, std::uintptr_t data) {
    if (!htmlHelp_) {
        if (!module_) {
            module_ = libraries_.LoadSystem("HHCTRL.OCX");
            if (!module_) {
                throw Error("HHCtrl.OCX not installed!\r HTMLHELP cannot displayed!");
            }
        }
        // The control stays loaded; a later request looks for its export again.
        htmlHelp_ = libraries_.Find(module_, "HtmlHelpW");
        if (!htmlHelp_) {
            throw Error("Function HTMLHELP cannot loaded!");
        }
        entry_.Call(htmlHelp_, WindowHandle{}, nullptr, win::kHH_INITIALIZE,
                    reinterpret_cast<std::uintptr_t>(&cookie_));
    }
    return entry_.Call(htmlHelp_, caller, file.c_str(), command, data);
}

} // namespace gw
