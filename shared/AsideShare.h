#pragma once
// The second record Glidewing shares with the hooks: the programs in which the mouse hook stands
// aside (their executables' file names) and whether it also stands aside while a full-screen window
// is in front. It lives in its own paging-file section next to "PaneBridge1201", which keeps its 12
// bytes and their meaning; the mouse hook opens this one only for a press of the activation button.
//
// Layout (little-endian, the same for 32-bit and 64-bit builds; no pointers):
//
//   offset  width         field            meaning
//   0       4 unsigned    Generation       even while the list is whole, odd while the program
//                                           rewrites it; it changes whenever the list changes
//   4       1             FullScreenAside  nonzero: stand aside while the foreground window covers
//                                           its whole monitor
//   5       1 unsigned    Count            names in use, 0..32 (a larger value reads as 32)
//   6       2             Reserved         0
//   8       32 x 64       Names            executable file names ("mspaint.exe") in UTF-8, each
//                                           zero-terminated and zero-padded; compared without
//                                           regard to the case of A-Z
//   2056                                    size of the section
//
// A hook names the program in UTF-8 from the system's wide calls, whatever the process's ANSI code
// page. It keeps, per process, its verdict about its own executable together with the Generation it
// read, and looks at the names again only when Generation has changed; a verdict about another
// process's window (a hook of the other bitness runs on the program's thread) is never kept. A reader that
// finds Generation odd, or changed between its first and its last read, uses what it read for this one press
// and keeps nothing. The program starts Generation from an even number of its own (not 0), so a process that
// still holds a verdict from an earlier run of the program does not trust it.
//
// Everything here is used inside the hook library as well: no heap, no C runtime.

#include <cstddef>
#include <cstdint>

namespace gw {

inline constexpr std::uint32_t kAsideMaxPrograms = 32;
inline constexpr std::uint32_t kAsideNameSize = 64; // 63 characters and the terminating zero
inline constexpr std::uint32_t kAsideNameMaxLength = kAsideNameSize - 1;

struct AsideShare {
    std::uint32_t Generation;
    std::uint8_t FullScreenAside;
    std::uint8_t Count;
    std::uint8_t Reserved[2];
    char Names[kAsideMaxPrograms][kAsideNameSize];
};

static_assert(sizeof(AsideShare) == 2056);
static_assert(offsetof(AsideShare, Generation) == 0);
static_assert(offsetof(AsideShare, FullScreenAside) == 4);
static_assert(offsetof(AsideShare, Count) == 5);
static_assert(offsetof(AsideShare, Reserved) == 6);
static_assert(offsetof(AsideShare, Names) == 8);

// Name of the paging-file section that holds the record (no namespace prefix).
inline constexpr char kAsideShareName[] = "PaneBridge1201Aside";
inline constexpr std::uint32_t kAsideShareSize = sizeof(AsideShare);

// The file name part of a path: what follows the last '\', '/' or ':'.
constexpr const char* FileNamePart(const char* path) {
    const char* name = path;
    for (const char* at = path; *at != '\0'; ++at) {
        if (*at == '\\' || *at == '/' || *at == ':') {
            name = at + 1;
        }
    }
    return name;
}

constexpr char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether a zero-terminated name equals an entry of the list, A-Z compared without regard to case.
// The entry is read no further than its slot, terminated or not.
constexpr bool SameProgramName(const char* name, const char* entry,
                               std::uint32_t entrySize = kAsideNameSize) {
    for (std::uint32_t i = 0; i < entrySize; ++i) {
        if (FoldCase(name[i]) != FoldCase(entry[i])) {
            return false;
        }
        if (name[i] == '\0') {
            return true;
        }
    }
    return false; // the name goes on where the slot ends
}

} // namespace gw
