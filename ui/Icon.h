#pragma once
// An image object: holds one cursor copy of ours and destroys it when it takes the next one or
// goes (the copies handed to SetSystemCursor are the system's and never land here).

#include "base/SystemCursors.h"

namespace gw {

class TIcon {
public:
    TIcon() = default;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    OwnedCursor Image;
};

} // namespace gw
