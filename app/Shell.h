#pragma once
// Shell and window-message calls of the tray and About handlers: ShellExecuteA, and posting a
// message to the desktop window (GetDesktopWindow, PostMessageA).

#include "shared/Handle.h"

#include <cstdint>
#include <string>

namespace gw {

class IShell {
public:
    virtual ~IShell() = default;
    // ShellExecuteA with no parameters and no directory.
    virtual void Execute(WindowHandle owner, const std::string& verb, const std::string& file, int show) = 0;
};

class IDesktopWindow {
public:
    virtual ~IDesktopWindow() = default;
    // PostMessageA(GetDesktopWindow(), message, wParam, lParam).
    virtual void Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

} // namespace gw
