#pragma once
// The running Glidewing as a /exit start sees it: the window of the program's class and the
// process behind it, whose end is what frees the program's files.

#include "app/StartCommand.h"
#include "ui/Gdi_win.h"

#include <windows.h>

namespace gw::win32 {

struct KernelHandleTraits {
    static void Free(HANDLE handle) { CloseHandle(handle); }
};

class RunningInstance final : public IRunningInstance {
public:
    bool Find() override;
    void AskToClose() override;
    bool Ended() override;
    void Sleep(unsigned milliseconds) override;

private:
    HWND window_ = nullptr;
    UniqueHandle<HANDLE, KernelHandleTraits> process_;
};

} // namespace gw::win32
