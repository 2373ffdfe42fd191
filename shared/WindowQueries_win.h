#pragma once
// The window facts of the scroll-bar walk, read from the real windows. Used by the hook library
// inside other processes and by the program's own probe, so it allocates nothing and keeps no
// state.

#include "shared/Handle_win.h"
#include "shared/ScrollBarWalk.h"
#include "shared/Win32Values.h"

#include <windows.h>

#include <cstdint>

namespace gw {

class WindowQueries final : public IWindowQueries {
public:
    int ClassName(WindowHandle window, char* buffer, int size) override {
        if (buffer == nullptr || size <= 0) {
            return 0;
        }
        buffer[0] = '\0';
        const int length = ::GetClassNameA(ToWin32(window), buffer, size);
        if (length <= 0) {
            buffer[0] = '\0';
            return 0;
        }
        return length;
    }

    bool ScrollBarState(WindowHandle window, std::int32_t objectId, std::uint32_t& state) override {
        static_assert(sizeof(SCROLLBARINFO) == win::kSCROLLBARINFO_SIZE);
        SCROLLBARINFO info{};
        info.cbSize = win::kSCROLLBARINFO_SIZE;
        if (!::GetScrollBarInfo(ToWin32(window), static_cast<LONG>(objectId), &info)) {
            return false;
        }
        state = info.rgstate[0];
        return true;
    }

    WindowHandle Parent(WindowHandle window) override {
        return FromWin32<WindowHandle>(::GetParent(ToWin32(window)));
    }

    WindowHandle Relative(WindowHandle window, std::uint32_t relation) override {
        return FromWin32<WindowHandle>(::GetWindow(ToWin32(window), relation));
    }

    std::uint32_t Style(WindowHandle window) override {
        return static_cast<std::uint32_t>(::GetWindowLongA(ToWin32(window), win::kGWL_STYLE));
    }
};

} // namespace gw
