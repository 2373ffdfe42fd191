#pragma once
// The paging-file sections that hold the shared records: CreateFileMappingA (INVALID_HANDLE_VALUE,
// no security attributes, PAGE_READWRITE, size 0:size, the name), MapViewOfFile with
// FILE_MAP_WRITE, UnmapViewOfFile, CloseHandle. The steering record and the stand-aside list each
// have a section of their own.

#include "base/Owned.h"
#include "shared/AsideShare.h"
#include "shared/Handle.h"
#include "shared/HookShare.h"

#include <cstdint>
#include <string>

namespace gw {

class ISharedSection {
public:
    virtual ~ISharedSection() = default;
    virtual KernelHandle Create(const std::string& name, std::uint32_t size) = 0; // null on failure
    virtual HookShare* MapWritable(KernelHandle section) = 0;                     // null on failure
    virtual void Unmap(HookShare* view) = 0;
    virtual AsideShare* MapAsideWritable(KernelHandle section) = 0; // null on failure
    virtual void UnmapAside(AsideShare* view) = 0;
    virtual void Close(KernelHandle section) = 0;
};

// The section (CloseHandle) and the program's view of it (UnmapViewOfFile); the view goes first.
using OwnedSection = Owned<ISharedSection, KernelHandle, &ISharedSection::Close>;
using OwnedView = Owned<ISharedSection, HookShare*, &ISharedSection::Unmap>;
using OwnedAsideView = Owned<ISharedSection, AsideShare*, &ISharedSection::UnmapAside>;

} // namespace gw
