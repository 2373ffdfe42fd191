#include "base/SystemCursors.h"

#include "shared/Win32Values.h"

namespace gw {

namespace {

// Replaced in this order; the no-entry and busy-in-background cursors are left alone so the
// user still sees when something refuses or loads.
constexpr std::array<std::uint32_t, 13> kReplacedSystemCursors = {
    win::kOCR_NORMAL,   win::kOCR_IBEAM,  win::kOCR_WAIT, win::kOCR_CROSS,    win::kOCR_UP,
    win::kOCR_SIZENWSE, win::kOCR_SIZE,   win::kOCR_ICON, win::kOCR_SIZENESW, win::kOCR_SIZEALL,
    win::kOCR_SIZEWE,   win::kOCR_SIZENS, win::kOCR_HAND,
};

bool InTable(int cursorId) {
    return cursorId >= kFirstCursorId && cursorId <= kLastCursorId;
}

} // namespace

void SystemCursors::RegisterAll() {
    for (int id = kFirstCursorId; id <= kLastCursorId; ++id) {
        table_[static_cast<std::size_t>(id)] =
            api_.LoadCursorResource(kCursorResourceNames[static_cast<std::size_t>(id - kFirstCursorId)]);
    }
}

CursorHandle SystemCursors::Registered(int cursorId) const {
    return InTable(cursorId) ? table_[static_cast<std::size_t>(cursorId)] : CursorHandle{};
}

void SystemCursors::SetAllSystemCursors(int cursorId) {
    for (std::uint32_t systemId : kReplacedSystemCursors) {
        ReplaceSystemCursor(cursorId, systemId);
    }
}

void SystemCursors::ReplaceSystemCursor(int cursorId, std::uint32_t systemId) {
    scratch_ = api_.CopyCursor(Registered(cursorId));
    api_.SetSystemCursor(scratch_, systemId);
}

void SystemCursors::RestoreSystemCursors() {
    api_.ReloadSystemCursors();
}

void SystemCursors::ShowOnOwnThread(int cursorId) {
    scratch_ = api_.CopyCursor(Registered(cursorId));
    api_.SetCursor(scratch_);
    // Shown first, then the old copy goes: the cursor on screen is never a destroyed one.
    *image_ = OwnedCursor(api_, scratch_);
}

} // namespace gw
