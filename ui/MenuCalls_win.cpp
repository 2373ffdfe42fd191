#include "ui/MenuCalls_win.h"

#include "shared/Handle_win.h"
#include "ui/FormWindow_win.h"

#include <windows.h>

namespace gw::win32 {

namespace {

class Win32MenuActions final : public MenuCalls::Actions {
public:
    void EndMenu() override { ::EndMenu(); }
    void CloseLater(WindowHandle window) override { PostMessageA(ToWin32(window), kCloseFormMessage, 0, 0); }
};

} // namespace

MenuCalls& ThreadMenuCalls() {
    static Win32MenuActions actions;
    static MenuCalls calls(actions);
    return calls;
}

} // namespace gw::win32
