// Before <windows.h>, whose CopyCursor macro would rename a method of the program's headers.
#include "app/MainForm.h"

#include "app/RunningInstance_win.h"

namespace gw::win32 {

bool RunningInstance::Find() {
    window_ = FindWindowA(kMainWindowClassName, nullptr);
    if (!window_) {
        return false;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(window_, &processId);
    // Without the process (another user's, say) the window alone tells when it has gone.
    process_.Reset(processId ? OpenProcess(SYNCHRONIZE, FALSE, processId) : nullptr);
    return true;
}

// The same close that ends it from outside at any time: the main window is destroyed and the
// shutdown sequence runs on the instance's own thread.
void RunningInstance::AskToClose() {
    PostMessageA(window_, WM_CLOSE, 0, 0);
}

bool RunningInstance::Ended() {
    if (process_) {
        return WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0;
    }
    return !IsWindow(window_);
}

void RunningInstance::Sleep(unsigned milliseconds) {
    ::Sleep(milliseconds);
}

} // namespace gw::win32
