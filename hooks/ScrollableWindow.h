#pragma once
// The hook library's own answer to "may a press of the activation button here start a scroll?".
// Runs inside whichever process owns the window, so it stays heap-free and exception-free.

#include "shared/Handle.h"
#include "shared/ScrollBarWalk.h"

namespace gw {

bool IsScrollableWindow(IWindowQueries& queries, WindowHandle window);

} // namespace gw
