#pragma once
// Hide cursor while typing: a reported keystroke blanks the arrow and the I-beam for the whole
// desktop, and the next real mouse move or button press brings the user's cursors back.
//
// Both halves run on the GUI thread. TMainForm calls HandleHookKey for every WM_HOOKKEY and
// RestoreAfterTyping as the very first step of every WM_HOOKMOUSE, before the scroll engine sees
// the message and before it updates LastPos.

#include "base/SystemCursors.h"
#include "settings/RuntimeSettings.h"
#include "shared/Handle.h"
#include "shared/HookShareWriter.h"

#include <cstdint>

namespace gw {

class HideCursorWhileTyping {
public:
    HideCursorWhileTyping(const RuntimeSettings& settings, HookShareWriter& share, SystemCursors& cursors)
        : settings_(settings), share_(share), cursors_(cursors) {}
    HideCursorWhileTyping(const HideCursorWhileTyping&) = delete;
    HideCursorWhileTyping& operator=(const HideCursorWhileTyping&) = delete;

    // Space and everything above it up to 0xFF is typing; Enter, Tab, Backspace, Esc and the
    // modifier keys are not. The wrap-around of the unsigned subtraction also rejects every
    // code below 0x20 in the same comparison.
    static constexpr bool CountsAsTyping(std::uint32_t virtualKey) { return virtualKey - 0x20u < 0xE0u; }

    // WM_HOOKKEY: blanks the arrow and the I-beam on the first counted keystroke.
    void HandleHookKey(std::uint32_t virtualKey);

    // First step of WM_HOOKMOUSE: brings the cursors back on a move to a new position or on a
    // button press. `at` is the position as the message carries it, `lastPos` the one of the
    // previous message.
    // Inline up to the first test: every mouse message of the desktop passes here, nearly always
    // with the cursors shown.
    void RestoreAfterTyping(std::uint32_t messageId, Point at, Point lastPos) {
        if (settings_.HideWhileTyping && !shown_) {
            RestoreIfReached(messageId, at, lastPos);
        }
    }

    // After an apply: with the option off, cursors still hidden by typing come back at once (no
    // mouse message would bring them back while the option is off).
    void SettingsApplied();

    // True while the system's arrow and I-beam are the user's own.
    bool SystemCursorsShown() const { return shown_; }

private:
    void Restore();
    void RestoreIfReached(std::uint32_t messageId, Point at, Point lastPos);

    const RuntimeSettings& settings_;
    HookShareWriter& share_;
    SystemCursors& cursors_;
    bool shown_ = true;
};

} // namespace gw
