#include "ui/OpenDialog_win.h"

#include "base/SystemFunction_win.h"
#include "base/WideString.h"
#include "shared/Handle_win.h"

#include <windows.h>
#include <commdlg.h>

namespace gw::win32 {

namespace {

using GetOpenFileNameFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);

// The common dialog library is loaded the first time Add... asks for it, not at start-up: it and
// the libraries it brings along would cost every start for a dialog most runs never open.
GetOpenFileNameFunction OpenFileFunction() {
    static const auto function = SystemFunction<GetOpenFileNameFunction>("comdlg32.dll", "GetOpenFileNameW");
    return function;
}

} // namespace

std::string OpenDialog::ChooseFile(WindowHandle owner, const std::string& title,
                                   const std::vector<FileFilter>& filters) {
    // The filter is pairs of zero-terminated texts, the whole list ending in a second zero.
    std::string filter;
    for (const FileFilter& f : filters) {
        filter += f.Name + '\0' + f.Pattern + '\0';
    }
    filter += '\0';
    const std::wstring wideFilter = ToWide<std::wstring>(filter);
    const std::wstring wideTitle = ToWide<std::wstring>(title);
    // The wide dialog: the program chosen may lie in a folder of any name.
    wchar_t file[MAX_PATH * 2] = {};
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = ToWin32(owner);
    dialog.lpstrFilter = wideFilter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file / sizeof file[0];
    dialog.lpstrTitle = wideTitle.c_str();
    // The program's own folder stays its current one; nothing lands in the recent documents.
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   OFN_DONTADDTORECENT;
    const GetOpenFileNameFunction open = OpenFileFunction();
    if (!open || !open(&dialog)) {
        return {};
    }
    return FromWide(std::wstring(file));
}

} // namespace gw::win32
