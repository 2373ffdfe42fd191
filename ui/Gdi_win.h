#pragma once
// One owner per kind of Win32 handle that the toolkit creates: not copyable, movable, freed once.

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace gw::win32 {

template <class H, class Traits> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, H{})) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.handle_, H{}));
        }
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    H Get() const { return handle_; }
    explicit operator bool() const { return handle_ != H{}; }
    void Reset(H handle = H{}) {
        if (handle_ != H{}) {
            Traits::Free(handle_);
        }
        handle_ = handle;
    }

private:
    H handle_{};
};

struct IconTraits {
    static void Free(HICON icon) { DestroyIcon(icon); }
};
struct GdiObjectTraits {
    static void Free(HGDIOBJ object) { DeleteObject(object); }
};
struct ImageListTraits {
    static void Free(HIMAGELIST list) { ImageList_Destroy(list); }
};
struct MenuTraits {
    static void Free(HMENU menu) { DestroyMenu(menu); }
};

using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageListTraits>;
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;

// Fonts, bitmaps and brushes share DeleteObject; the typed getters save casts at the call sites.
template <class H> class UniqueGdi : public UniqueHandle<HGDIOBJ, GdiObjectTraits> {
public:
    UniqueGdi() = default;
    explicit UniqueGdi(H handle) : UniqueHandle<HGDIOBJ, GdiObjectTraits>(handle) {}
    H Typed() const { return static_cast<H>(Get()); }
};

using UniqueFont = UniqueGdi<HFONT>;
using UniqueBitmap = UniqueGdi<HBITMAP>;
using UniqueBrush = UniqueGdi<HBRUSH>;

// Loads an icon resource of the program at the given size (the best image of the group is scaled).
inline HICON LoadIconResource(int id, int size) {
    return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
}

} // namespace gw::win32
