#include "ui/DialogKeys.h"

#include "shared/Win32Values.h"

namespace gw {

DialogKeyAction ClassifyDialogKey(const DialogKeyPress& press) {
    if (press.alt) {
        return DialogKeyAction::None; // Alt with a letter is the controls' mnemonic
    }
    switch (press.key) {
    case win::kVK_F1:
        return press.control || press.shift ? DialogKeyAction::None : DialogKeyAction::Help;
    case win::kVK_TAB:
        if (!press.control) {
            return press.shift ? DialogKeyAction::PreviousControl : DialogKeyAction::NextControl;
        }
        return press.shift ? DialogKeyAction::PreviousPage : DialogKeyAction::NextPage;
    case win::kVK_NEXT:
        return press.control && !press.shift ? DialogKeyAction::NextPage : DialogKeyAction::None;
    case win::kVK_PRIOR:
        return press.control && !press.shift ? DialogKeyAction::PreviousPage : DialogKeyAction::None;
    case win::kVK_LEFT:
        return press.onTabStrip && !press.control && !press.shift ? DialogKeyAction::TabLeft
                                                                  : DialogKeyAction::None;
    case win::kVK_RIGHT:
        return press.onTabStrip && !press.control && !press.shift ? DialogKeyAction::TabRight
                                                                  : DialogKeyAction::None;
    default:
        return DialogKeyAction::None;
    }
}

} // namespace gw
