#pragma once
// Libraries bound at run time (GWHooks.dll, Tools.dll, the HTML Help control): LoadLibraryW,
// GetProcAddress, FreeLibrary, and calling an export that takes no arguments. Export addresses
// are opaque tokens here; only the Win32 side turns them into something callable.

#include "base/Owned.h"
#include "shared/Handle.h"

#include <string>

namespace gw {

using ProcAddress = Handle<struct ProcAddressTag>;

class ILibraryLoader {
public:
    virtual ~ILibraryLoader() = default;
    virtual ModuleHandle Load(const std::string& path) = 0; // LoadLibraryW of a UTF-8 path
    // A library of the system folder by its file name, loaded from there only (SystemLibrary.h).
    virtual ModuleHandle LoadSystem(const std::string& name) = 0;
    virtual ProcAddress Find(ModuleHandle module, const std::string& name) = 0; // GetProcAddress
    virtual void Free(ModuleHandle module) = 0;                                 // FreeLibrary
    // Calls an export without arguments; its result is not looked at. Never given a null address.
    virtual void CallNoArgs(ProcAddress entry) = 0;
};

// A loaded library, freed with FreeLibrary by Reset or, failing that, when the token goes.
using OwnedModule = Owned<ILibraryLoader, ModuleHandle, &ILibraryLoader::Free>;

} // namespace gw
