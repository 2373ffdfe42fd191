#pragma once
// The keys a dialog window takes for itself before its controls see them, as every Windows dialog
// does: F1 opens the help wherever the focus is, Ctrl+Tab and Ctrl+Shift+Tab (and Ctrl+Page Down,
// Ctrl+Page Up) switch pages, the Left and Right keys on the tab strip choose the tab beside the
// selected one, and Tab and Shift+Tab go round the controls in the order of a property sheet: the
// tab strip, the controls of the page shown, the buttons below. The pages are switched through the
// page control, the same way as by a click, so the tab strip and the pages never disagree about
// the page shown.

#include <cstdint>

namespace gw {

enum class DialogKeyAction {
    None,            // the key goes on to the window that has the focus
    Help,            // as the Help button
    NextPage,        // wrapping from the last page to the first
    PreviousPage,    // wrapping from the first page to the last
    TabLeft,         // the tab before the selected one, none before the first
    TabRight,        // the tab after the selected one, none after the last
    NextControl,     // Tab
    PreviousControl, // Shift+Tab
};

struct DialogKeyPress {
    std::uint32_t key = 0; // the virtual-key code of a key going down
    bool control = false;
    bool shift = false;
    bool alt = false;
    bool onTabStrip = false; // the tab strip has the focus
};

DialogKeyAction ClassifyDialogKey(const DialogKeyPress& press);

} // namespace gw
