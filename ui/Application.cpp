#include "ui/Application.h"

#include "base/Error.h"
#include "shared/Win32Values.h"

#include <exception>

namespace gw {

bool TApplication::Dispatch(HandlerRef handler) noexcept {
    try {
        handler();
        return true;
    } catch (const Error& error) {
        ShowError(error.what());
    } catch (const std::exception& error) {
        // Anything else that escapes a handler is shown the same way rather than ending the program.
        ShowError(error.what());
    }
    return false;
}

void TApplication::ShowError(const std::string& text) {
    messageBox_.Show(WindowHandle{}, text, title_, win::kMB_ICONERROR);
}

void TApplication::ShowMessage(const std::string& text) {
    messageBox_.Show(WindowHandle{}, text, title_, win::kMB_OK);
}

} // namespace gw
