#pragma once
// Win32 handles as the portable core sees them: opaque tokens over an integer. The Win32 binding
// converts to and from the real handle types; the test fakes mint them from a counter.

#include <cstdint>

namespace gw {

template <class Tag> struct Handle {
    std::uintptr_t value = 0;

    constexpr Handle() = default;
    constexpr explicit Handle(std::uintptr_t v) : value(v) {}
    constexpr explicit operator bool() const { return value != 0; }
    friend constexpr bool operator==(Handle, Handle) = default;
};

using WindowHandle = Handle<struct WindowTag>;
using CursorHandle = Handle<struct CursorTag>;
using IconHandle = Handle<struct IconTag>;
using ModuleHandle = Handle<struct ModuleTag>;
using KernelHandle = Handle<struct KernelObjectTag>;

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend constexpr bool operator==(Point, Point) = default;
};

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend constexpr bool operator==(Rect, Rect) = default;
};

} // namespace gw
