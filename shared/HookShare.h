#pragma once
// The record through which Glidewing steers the hook procedures of GWHooks.dll, and the two
// messages by which the hooks report back. Both deliverables include this header; the layout
// below is the format, so it never changes shape between builds or bitnesses.

#include <cstddef>
#include <cstdint>

namespace gw {

struct HookShare {
    std::uint32_t MainWindow;    // the window the hooks post to (32 bits even on 64-bit Windows)
    std::uint8_t ActivateButton; // 1 left, 2 middle, 3 right; anything else: none
    std::uint8_t CursorShown;    // 1 while the system cursors are the normal ones
    std::uint8_t PassInput;      // 0: the mouse hook swallows every mouse message
    std::uint8_t HooksPaused;    // nonzero: the mouse hook neither examines nor reports
    std::uint8_t ReportKeys;     // nonzero: the keyboard hook posts WM_HOOKKEY
    std::uint8_t ScrollEnabled;  // nonzero: the mouse hook watches for activation clicks
    std::uint8_t Reserved[2];    // never written
};

static_assert(sizeof(HookShare) == 12);
static_assert(offsetof(HookShare, MainWindow) == 0);
static_assert(offsetof(HookShare, ActivateButton) == 4);
static_assert(offsetof(HookShare, CursorShown) == 5);
static_assert(offsetof(HookShare, PassInput) == 6);
static_assert(offsetof(HookShare, HooksPaused) == 7);
static_assert(offsetof(HookShare, ReportKeys) == 8);
static_assert(offsetof(HookShare, ScrollEnabled) == 9);
static_assert(offsetof(HookShare, Reserved) == 10);

// Name of the paging-file section that holds the record (no namespace prefix).
inline constexpr char kHookShareName[] = "PaneBridge1201";
inline constexpr std::uint32_t kHookShareSize = sizeof(HookShare);

// Posted by the keyboard hook: wParam the virtual-key code, lParam the keystroke flags unchanged.
inline constexpr std::uint32_t WM_HOOKKEY = 0x1409;
// Posted by the mouse hook: wParam the mouse message id in the low 16 bits, flag bits above;
// lParam the packed screen position (low 16 bits of x in the low word, low 16 bits of y in the
// high word).
inline constexpr std::uint32_t WM_HOOKMOUSE = 0x140A;

// The parts of a WM_HOOKMOUSE wParam. Every mouse message id fits in 16 bits, so the bits above
// are free for what the hook has to say about the message; each flag is one bit of its own.
inline constexpr std::uint32_t kHookReportMessageMask = 0x0000FFFF;
// The click rule swallowed the message: the target never saw this press (or release), and the
// hook holds the rest of the click back too. A message swallowed only because PassInput is 0
// does not carry it: the program asked for that itself, during a thumb drag.
inline constexpr std::uint32_t kHookReportSwallowed = 0x00010000;
// The hook stood aside for this press of the activation button (the process's program is on the
// stand-aside list, or a full-screen window is in front; shared/AsideShare.h): it passed the press
// on untouched and armed nothing, and the program starts no gesture with it.
inline constexpr std::uint32_t kHookReportStoodAside = 0x00020000;

// Packs a screen position the way WM_HOOKMOUSE carries it; negative coordinates keep their
// low 16 bits, so x = -1 travels as 0xFFFF.
constexpr std::uint32_t PackHookPosition(std::int32_t x, std::int32_t y) {
    return (static_cast<std::uint32_t>(x) & 0xFFFFu) | ((static_cast<std::uint32_t>(y) & 0xFFFFu) << 16);
}

// The receiving side reads both halves as signed 16-bit values: a monitor left of or above the
// primary one has negative positions, and 0xFFFF is the pixel just left of (or above) the
// primary's corner, not the far edge of the desktop.
constexpr std::int32_t HookPositionX(std::uint32_t packed) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(packed & 0xFFFFu));
}
constexpr std::int32_t HookPositionY(std::uint32_t packed) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(packed >> 16));
}

// Every mouse input Glidewing injects (a replayed click, the wheel of a window that takes only
// real input) carries this in its extra information (dwExtraInfo of mouse_event and SendInput).
// The hooks know it there, in the target's own thread, however late the target takes it off its
// queue: they pass it on without reporting it or applying the click rule, and a replayed press
// that the system turned into a double click goes back to being the press it stands for.
inline constexpr std::uint32_t kInjectedInputMark = 0x47575250; // "GWRP"

} // namespace gw
