#pragma once
// PopDesk put together for the program: the trigger, the desktop links and the menu over their
// Win32 implementations. TMainForm owns one, and
//   - calls SetMainWindow once its window exists,
//   - runs Trigger().jia() from MainTimer's OnTimer,
//   - passes kWM_DESKMENU_EXITLOOP to HandleMessage (or calls Trigger().DesktopMenuClosed()),
//   - calls Trigger().chb_deskpopClick() from its chb_deskpopClick and Trigger().ResetCornerWait()
//     from ReadControls.

#include "popdesk/DesktopLinks.h"
#include "popdesk/DesktopMenu.h"
#include "popdesk/DesktopMenu_win.h"
#include "popdesk/DesktopShell_win.h"
#include "popdesk/PopDeskScreen_win.h"
#include "popdesk/PopDeskTrigger.h"

#include <windows.h>

namespace gw {

class PopDeskWin32 {
public:
    PopDeskWin32(const RuntimeSettings& settings, const TTimer& mainTimer,
                 PopDeskTrigger::AutoDirectionAccessor autoDirection, HINSTANCE instance)
        : view_(instance), links_(shell_, icons_, menu_),
          trigger_(settings, mainTimer, std::move(autoDirection), screen_, links_, menu_) {
        view_.SetImages(icons_.List());
        menu_.SetView(&view_);
    }
    PopDeskWin32(const PopDeskWin32&) = delete;
    PopDeskWin32& operator=(const PopDeskWin32&) = delete;

    void SetMainWindow(HWND window) {
        screen_.SetMainWindow(window);
        view_.SetMainWindow(window);
        links_.SetOwnerWindow(WindowHandle{reinterpret_cast<std::uintptr_t>(window)});
    }

    // The main window's share of the messages: the end of the menu's modal loop.
    bool HandleMessage(UINT message) {
        if (message == kWM_DESKMENU_EXITLOOP) {
            trigger_.DesktopMenuClosed();
            return true;
        }
        return false;
    }

    PopDeskTrigger& Trigger() { return trigger_; }
    DesktopLinks& Links() { return links_; }
    TDesktopMenu& Menu() { return menu_; }

private:
    Win32DesktopShell shell_;
    Win32DeskIcons icons_;
    Win32PopDeskScreen screen_;
    Win32DesktopMenuView view_;
    TDesktopMenu menu_;
    DesktopLinks links_;
    PopDeskTrigger trigger_;
};

} // namespace gw
