#pragma once
// The GUI thread's menu calls (ui/MenuCalls.h) on Win32: EndMenu, and the close posted as the
// toolkit's own close message.

#include "ui/MenuCalls.h"

namespace gw::win32 {

// One GUI thread, one record of its menu calls.
MenuCalls& ThreadMenuCalls();

// Marks a call that runs a popup menu's modal loop, for its whole length.
class MenuCallScope {
public:
    MenuCallScope() { ThreadMenuCalls().Enter(); }
    ~MenuCallScope() { ThreadMenuCalls().Leave(); }
    MenuCallScope(const MenuCallScope&) = delete;
    MenuCallScope& operator=(const MenuCallScope&) = delete;

    // False when a close came in while the menu was being prepared: it is not shown at all.
    static bool MayShow() { return !ThreadMenuCalls().ClosePending(); }
};

} // namespace gw::win32
