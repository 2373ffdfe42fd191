#pragma once
// The program's cursor table and the two system-wide cursor operations. The fourteen cursor
// resources are registered under CursorIds 2..15 at start-up; SetAllSystemCursors and
// RestoreSystemCursors are the only ways the program changes the desktop's cursors.

#include "base/Owned.h"
#include "shared/Handle.h"

#include <array>
#include <cstdint>

namespace gw {

// Seam over the Win32 cursor calls.
class ICursorApi {
public:
    virtual ~ICursorApi() = default;
    virtual CursorHandle LoadCursorResource(const char* name) = 0; // LoadCursorA
    virtual CursorHandle CopyCursor(CursorHandle cursor) = 0;      // CopyIcon
    virtual void SetSystemCursor(CursorHandle cursor, std::uint32_t systemId) = 0;
    virtual void SetCursor(CursorHandle cursor) = 0;
    // SystemParametersInfoA(SPI_SETCURSORS), announced to the top-level windows without waiting for them
    virtual void ReloadSystemCursors() = 0;
    // DestroyIcon, for a copy of ours; never for one handed to SetSystemCursor, which the system owns.
    virtual void DestroyCursor(CursorHandle copy) = 0;
};

// A cursor copy that stays ours (the one SetCursor shows), destroyed when its holder takes the
// next one or goes.
using OwnedCursor = Owned<ICursorApi, CursorHandle, &ICursorApi::DestroyCursor>;

inline constexpr int kFirstCursorId = 2;
inline constexpr int kLastCursorId = 15;

// CursorIds of the table.
enum CursorId : int {
    LEFTBLACK = 2,
    RIGHTBLACK = 3,
    UPBLACK = 4,
    DOWNBLACK = 5,
    LUBLACK = 6,
    LDBLACK = 7,
    RUBLACK = 8,
    RDBLACK = 9,
    BLANK = 10,
    HAND = 11,
    HANDBIZ = 12,
    HANDVERT = 13,
    HANDHORZ = 14,
    AUTOCUR = 15,
};

// Resource names in CursorId order (2..15).
inline constexpr std::array<const char*, 14> kCursorResourceNames = {
    "LEFTBLACK", "RIGHTBLACK", "UPBLACK", "DOWNBLACK", "LUBLACK",  "LDBLACK",  "RUBLACK",
    "RDBLACK",   "BLANK",      "HAND",    "HANDBIZ",   "HANDVERT", "HANDHORZ", "AUTOCUR",
};

class SystemCursors {
public:
    explicit SystemCursors(ICursorApi& api) : api_(api) {}

    // Loads the fourteen resources into the table, in CursorId order.
    void RegisterAll();
    CursorHandle Registered(int cursorId) const;

    // Every replaceable system cursor looks like the registered cursor, each from a fresh copy
    // (the system takes over, and destroys, the cursor it is given).
    void SetAllSystemCursors(int cursorId);
    // One system cursor from a fresh copy of a registered one.
    void ReplaceSystemCursor(int cursorId, std::uint32_t systemId);
    // Windows reloads the user's scheme, undoing every replacement at once.
    void RestoreSystemCursors();

    // The last copy handed out, to the system or to SetCursor.
    CursorHandle Scratch() const { return scratch_; }
    // BeginThumbDrag: SetCursor with a fresh copy, kept in the scratch image, where it replaces
    // (and destroys) the copy of the drag before.
    void ShowOnOwnThread(int cursorId);
    // The main window's scratch image holds that copy while it exists; null hands the job back to
    // this object.
    void UseScratchImage(OwnedCursor* image) { image_ = image ? image : &ownImage_; }

private:
    ICursorApi& api_;
    std::array<CursorHandle, kLastCursorId + 1> table_{};
    CursorHandle scratch_{};
    OwnedCursor ownImage_;
    OwnedCursor* image_ = &ownImage_;
};

} // namespace gw
