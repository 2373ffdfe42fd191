#pragma once
// A popup menu of ours runs its modal loop inside a call of ours (a tray click, a timer tick), and
// that loop delivers messages: the end of the session, or a WM_CLOSE from another program, can
// arrive in the middle of it. Destroying the window there would pull the bindings and the menu's
// owner out from under the call. So a close that comes during a menu call ends the menu and waits:
// once the last menu call has returned, the window is told to close again, from the message loop.

#include "shared/Handle.h"

#include <vector>

namespace gw {

class MenuCalls {
public:
    class Actions {
    public:
        virtual void EndMenu() = 0;                       // ends the thread's open menu
        virtual void CloseLater(WindowHandle window) = 0; // posts the window its close
    protected:
        ~Actions() = default;
    };

    explicit MenuCalls(Actions& actions) : actions_(actions) {}
    MenuCalls(const MenuCalls&) = delete;
    MenuCalls& operator=(const MenuCalls&) = delete;

    // Around each call that runs a menu's modal loop.
    void Enter() { ++depth_; }
    void Leave();

    // A request to close `window`: false when it may close now; true when it waits for the menu
    // call to return (the menu has been told to end).
    bool DeferClose(WindowHandle window);
    // The session is about to end: an open menu closes now; nothing else changes.
    void EndMenus();
    // A close is waiting: a menu about to open should not.
    bool ClosePending() const { return !waiting_.empty(); }

private:
    Actions& actions_;
    int depth_ = 0;
    std::vector<WindowHandle> waiting_;
};

} // namespace gw
