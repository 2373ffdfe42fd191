#include "app/ProgramStart.h"

namespace gw {

int StartMainForm(TMainForm& form, TApplication& application) {
    application.Dispatch([&] { form.FormCreate(); });
    // Asked even when start-up stopped early: the window (and with it the tray icon) is made here
    // then.
    if (form.Handle()) {
        return 0;
    }
    application.Dispatch([&] { form.FormDestroy(); });
    application.ShowError(kNoMainWindowMessage);
    return kNoMainWindowExitCode;
}

} // namespace gw
