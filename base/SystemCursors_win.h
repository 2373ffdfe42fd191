#pragma once
// The Win32 side of the cursor table's seam: the cursor resources of a module, copies of them,
// and the system-wide replacement and reload.

#include "base/SystemCursors.h"

#include <windows.h>
#undef CopyCursor // a macro over CopyIcon; the seam has a method of that name

namespace gw::win32 {

// Loads the cursor resources from the given module (the program's own by default).
class ModuleCursorApi final : public ICursorApi {
public:
    explicit ModuleCursorApi(HMODULE module = nullptr)
        : module_(module ? module : GetModuleHandleA(nullptr)) {}

    CursorHandle LoadCursorResource(const char* name) override;
    CursorHandle CopyCursor(CursorHandle cursor) override;
    void SetSystemCursor(CursorHandle cursor, std::uint32_t systemId) override;
    void SetCursor(CursorHandle cursor) override;
    void ReloadSystemCursors() override;
    void DestroyCursor(CursorHandle copy) override;

private:
    HMODULE module_;
};

} // namespace gw::win32
