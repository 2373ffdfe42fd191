#pragma once
// Our handle tokens (shared/Handle.h) and the Win32 handles they stand for: the one conversion
// every Win32 binding uses, each way.

#include "shared/Handle.h"

#include <windows.h>

#include <cstdint>

namespace gw {

// The Win32 type of each kind of token; a binding adds its own kinds (a hook, a registry key).
template <class Tag> struct Win32HandleType;
template <> struct Win32HandleType<WindowTag> { using Type = HWND; };
template <> struct Win32HandleType<CursorTag> { using Type = HCURSOR; };
template <> struct Win32HandleType<IconTag> { using Type = HICON; };
template <> struct Win32HandleType<ModuleTag> { using Type = HMODULE; };
template <> struct Win32HandleType<KernelObjectTag> { using Type = HANDLE; };

template <class Tag> typename Win32HandleType<Tag>::Type ToWin32(Handle<Tag> handle) {
    return reinterpret_cast<typename Win32HandleType<Tag>::Type>(handle.value);
}

template <class Token, class Win32> Token FromWin32(Win32 handle) {
    return Token{reinterpret_cast<std::uintptr_t>(handle)};
}

} // namespace gw
