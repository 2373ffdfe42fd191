#pragma once
// The system's file-open dialog (GetOpenFileNameW; the path comes back in UTF-8), as a seam: the
// tests answer for the user.

#include "shared/Handle.h"

#include <string>
#include <vector>

namespace gw {

struct FileFilter {
    std::string Name;    // what the dialog's type list shows, e.g. "Programs (*.exe)"
    std::string Pattern; // e.g. "*.exe"
};

class IOpenDialog {
public:
    virtual ~IOpenDialog() = default;
    // Lets the user choose one existing file; its full path, or empty when the dialog was cancelled.
    virtual std::string ChooseFile(WindowHandle owner, const std::string& title,
                                   const std::vector<FileFilter>& filters) = 0;
};

} // namespace gw
