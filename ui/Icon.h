#pragma once
// An image object that holds one icon or cursor handle; the Win32 side frees what it holds.

#include "shared/Handle.h"

namespace gw {

class TIcon {
public:
    TIcon() = default;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    IconHandle Handle;
};

} // namespace gw
