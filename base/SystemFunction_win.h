#pragma once
// A function of a system library that the program needs only now and then, looked up when it is
// first asked for instead of imported: the library (and what it brings along) then costs nothing
// at start-up. Once loaded, the library stays for the rest of the run.

#include <windows.h>

#include <string>

namespace gw::win32 {

// A library of the system folder, loaded from there only (base/SystemLibrary.h); null when it
// cannot be.
HMODULE LoadSystemLibrary(const std::string& name);

// The function `name` of the system library `library` (loaded if it is not yet), or null when
// either is missing. Callers keep the answer in a function-local static, so the lookup happens once.
template <class Function> Function SystemFunction(const char* library, const char* name) {
    HMODULE module = LoadSystemLibrary(library);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

} // namespace gw::win32
