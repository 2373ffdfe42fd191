#pragma once
// The program that owns the window under the cursor: WindowFromPoint at the cursor, the window's
// process, that process's executable.

#include <string>

namespace gw {

class IProgramAtCursor {
public:
    virtual ~IProgramAtCursor() = default;
    // The full path of that program's executable; empty when there is no window under the cursor,
    // when it is one of Glidewing's own, or when its process does not tell (another user's, say).
    virtual std::string ExecutableAtCursor() = 0;
};

} // namespace gw
