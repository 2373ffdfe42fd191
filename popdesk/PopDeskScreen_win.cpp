#include "popdesk/PopDeskScreen_win.h"

#include <climits>

namespace gw {

Point Win32PopDeskScreen::CursorPos() {
    POINT p;
    if (!GetCursorPos(&p)) {
        // No position (a secure desktop has the input): answer one that is on no corner, rather
        // than (0, 0), which is the top-left corner.
        return {INT_MIN, INT_MIN};
    }
    return {p.x, p.y};
}

} // namespace gw
