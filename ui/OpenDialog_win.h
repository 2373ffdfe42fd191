#pragma once
// The file-open dialog of comdlg32 behind IOpenDialog.

#include "ui/OpenDialog.h"

namespace gw::win32 {

class OpenDialog final : public IOpenDialog {
public:
    std::string ChooseFile(WindowHandle owner, const std::string& title,
                           const std::vector<FileFilter>& filters) override;
};

} // namespace gw::win32
