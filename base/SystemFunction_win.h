#pragma once
// A function of a system library that the program needs only now and then, looked up when it is
// first asked for instead of imported: the library (and what it brings along) then costs nothing
// at start-up. Once loaded, the library stays for the rest of the run.

#include <windows.h>

namespace gw::win32 {

// The function `name` of `library` (loaded if it is not yet), or null when either is missing.
// Callers keep the answer in a function-local static, so the lookup happens once.
template <class Function> Function SystemFunction(const char* library, const char* name) {
    HMODULE module = GetModuleHandleA(library);
    if (!module) {
        module = LoadLibraryA(library);
    }
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

} // namespace gw::win32
