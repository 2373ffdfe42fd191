// TMainForm: the Run value, the Help button and the About page's buttons.

#include "app/MainForm.h"

#include "settings/Autorun.h"
#include "shared/Win32Values.h"

namespace gw {

void TMainForm::UpdateAutorun() {
    UpdateRunValue(seams_.Registry, Runtime.AutoRun, seams_.Files.ExecutablePath());
}

void TMainForm::HelpClick() {
    const std::string path = ExeFolder + "glidewing.chm";
    if (!seams_.Files.FileExists(path)) {
        application_.ShowMessage("Help File Not Found! ");
        return;
    }
    HtmlHelp.HtmlHelpCall(Handle(), path + "::/introduction.htm", win::kHH_DISPLAY_TOPIC, 0);
}

void TMainForm::VisitClick() {
    seams_.Shell.Execute(WindowHandle{}, "open", kHomePageAddress, win::kSW_SHOWMAXIMIZED);
}

void TMainForm::MailClick() {
    seams_.Shell.Execute(WindowHandle{}, "open", kContactAddress, win::kSW_SHOWMAXIMIZED);
}

} // namespace gw
