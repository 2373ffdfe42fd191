#include "settings/HTMLHelp_Decl.h"

#include "base/Error.h"
#include "shared/Win32Values.h"

namespace gw {

std::uintptr_t HTMLHelp_Decl::HtmlHelpCall(WindowHandle caller, const std::string& file,
                                           std::uint32_t command, std::uintptr_t data) {
    if (!htmlHelpA_) {
        if (!module_) {
            std::string path = files_.SystemDirectory();
            if (path.size() > 255) {
                path.resize(255);
            }
            if (!path.empty()) {
                module_ = libraries_.Load(path + "\\HHCTRL.OCX");
            }
            if (!module_) {
                throw Error("HHCtrl.OCX not installed!\r HTMLHELP cannot displayed!");
            }
        }
        // The control stays loaded; a later request looks for its export again.
        htmlHelpA_ = libraries_.Find(module_, "HtmlHelpA");
        if (!htmlHelpA_) {
            throw Error("Function HTMLHELP cannot loaded!");
        }
        entry_.Call(htmlHelpA_, WindowHandle{}, nullptr, win::kHH_INITIALIZE,
                    reinterpret_cast<std::uintptr_t>(&cookie_));
    }
    return entry_.Call(htmlHelpA_, caller, file.c_str(), command, data);
}

} // namespace gw
