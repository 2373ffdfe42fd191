// TMainForm: the Applications page, the programs where Glidewing stands aside. Its list and its
// check box take effect on OK and Apply like every other setting; Cancel and Configure... show the
// applied ones again.

#include "app/MainForm.h"

#include "base/Error.h"

namespace gw {

namespace {

constexpr int kPickSeconds = 3;

std::string PickCountdownCaption(int seconds) {
    return "Point at the program: " + std::to_string(seconds);
}

} // namespace

void TMainForm::SetUpApplicationsPage() {
    RemoveProgramButton.SetEnabled(false); // nothing is selected yet
    ProgramList.OnChange = [this] { ProgramListChange(); };
    AddProgramButton.OnClick = [this] { AddProgramClick(); };
    RemoveProgramButton.OnClick = [this] { RemoveProgramClick(); };
    PickProgramButton.OnClick = [this] { PickProgramClick(); };
    FullScreenAsideBox.OnClick = [this] { FullScreenAsideClick(); };
}

void TMainForm::ShowApplications(const ApplicationSettings& settings) {
    ProgramList.SetItems(settings.Excluded);
    RemoveProgramButton.SetEnabled(false);
    FullScreenAsideBox.SetChecked(settings.FullScreenAside);
}

ApplicationSettings TMainForm::PageApplications() const {
    return ApplicationSettings{ProgramList.Items(), FullScreenAsideBox.Checked()};
}

void TMainForm::ProgramListChange() {
    RemoveProgramButton.SetEnabled(ProgramList.ItemIndex() >= 0);
}

void TMainForm::FullScreenAsideClick() {
    EnableApply();
}

void TMainForm::AddProgramClick() {
    const std::string path = seams_.OpenDialog.ChooseFile(
        Handle(), "Add a program", {{"Programs (*.exe)", "*.exe"}, {"All files (*.*)", "*.*"}});
    if (!path.empty()) {
        AddProgramPath(path);
    }
}

// A program already listed is only selected; the list shows the new one selected.
void TMainForm::AddProgramPath(const std::string& path) {
    std::vector<std::string> list = ProgramList.Items();
    switch (AddProgram(list, path)) {
    case AddProgramResult::Added:
        ProgramList.SetItems(list);
        EnableApply();
        break;
    case AddProgramResult::AlreadyListed:
        break;
    case AddProgramResult::NotAName:
        throw Error("The file name of this program is too long for the list.");
    case AddProgramResult::ListFull:
        throw Error("The list holds no more than " + std::to_string(kAsideMaxPrograms) + " programs.");
    }
    const std::string name = FileNamePart(path.c_str());
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (SameProgramName(name.c_str(), list[i].c_str(), static_cast<std::uint32_t>(list[i].size() + 1))) {
            ProgramList.UserSelect(static_cast<int>(i));
        }
    }
}

void TMainForm::RemoveProgramClick() {
    const int index = ProgramList.ItemIndex();
    std::vector<std::string> list = ProgramList.Items();
    if (index < 0 || index >= static_cast<int>(list.size())) {
        return;
    }
    list.erase(list.begin() + index);
    ProgramList.SetItems(list);
    // The next entry moves up into the selection, so several can go one after the other.
    ProgramList.UserSelect(index < static_cast<int>(list.size()) ? index : index - 1);
    RemoveProgramButton.SetEnabled(ProgramList.ItemIndex() >= 0);
    EnableApply();
}

// A second press while the countdown runs calls it off.
void TMainForm::PickProgramClick() {
    if (PickTimer.Enabled()) {
        StopPicking();
        return;
    }
    PickCountdown = kPickSeconds;
    PickProgramButton.SetCaption(PickCountdownCaption(PickCountdown));
    PickTimer.SetEnabled(true);
}

void TMainForm::PickTimerTimer() {
    if (--PickCountdown > 0) {
        PickProgramButton.SetCaption(PickCountdownCaption(PickCountdown));
        return;
    }
    StopPicking();
    if (!Visible()) {
        return; // the window was closed meanwhile: nobody is pointing at anything for us
    }
    const std::string path = seams_.ProgramAtCursor.ExecutableAtCursor();
    if (path.empty()) {
        throw Error("No program was found under the cursor.");
    }
    AddProgramPath(path);
}

void TMainForm::StopPicking() {
    PickTimer.SetEnabled(false);
    PickCountdown = 0;
    PickProgramButton.SetCaption(kPickCaption);
}

} // namespace gw
