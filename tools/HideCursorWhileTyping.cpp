#include "tools/HideCursorWhileTyping.h"

#include "shared/MouseMessageClass.h"
#include "shared/Win32Values.h"

namespace gw {

void HideCursorWhileTyping::HandleHookKey(std::uint32_t virtualKey) {
    if (!settings_.HideWhileTyping || !shown_ || !CountsAsTyping(virtualKey)) {
        return; // the key-up of the key that hid the cursor lands here too
    }
    // Each id gets its own copy: the system takes over (and later destroys) the cursor it is given.
    cursors_.ReplaceSystemCursor(BLANK, win::kOCR_NORMAL);
    cursors_.ReplaceSystemCursor(BLANK, win::kOCR_IBEAM);
    shown_ = false;
    share_.Set(&HookShare::CursorShown, false);
}

void HideCursorWhileTyping::SettingsApplied() {
    if (!settings_.HideWhileTyping && !shown_) {
        Restore();
    }
}

void HideCursorWhileTyping::RestoreIfReached(std::uint32_t messageId, Point at, Point lastPos) {
    // A synthetic move, a wheel turn, a release or a double click at the old spot is not the user
    // reaching for the mouse; only real movement or a press is.
    if (at == lastPos && ClassifyMouseMessage(messageId).kind != MouseMessageKind::Press) {
        return;
    }
    Restore();
}

void HideCursorWhileTyping::Restore() {
    cursors_.RestoreSystemCursors();
    shown_ = true;
    share_.Set(&HookShare::CursorShown, true);
}

} // namespace gw
