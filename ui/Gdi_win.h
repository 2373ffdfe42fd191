#pragma once
// One owner per kind of Win32 handle that the bindings take: not copyable, movable, freed once.
// Besides the handles that are freed, the DCs that are only borrowed (GetDC, BeginPaint) and the
// objects selected into a DC for a while have guards of their own.

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
    // Gives the handle up to a new owner (a parent menu takes its submenus, say).
    H Release() { return std::exchange(handle_, H{}); }
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
struct MemoryDcTraits {
    static void Free(HDC dc) { DeleteDC(dc); }
};
struct WindowTraits {
    static void Free(HWND window) { DestroyWindow(window); }
};

using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageListTraits>;
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcTraits>; // from CreateCompatibleDC
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;    // a window of our own that no parent destroys

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

// A window's DC (the screen's for a null window), borrowed with GetDC and given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// The DC of a WM_PAINT, from BeginPaint to EndPaint.
class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDc() { EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;

    HDC Get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object into a DC for the length of a scope and puts back what it replaced. It never
// deletes anything: the object stays its owner's to free, and a stock object nobody's.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() {
        if (previous_ && previous_ != HGDI_ERROR) {
            SelectObject(dc_, previous_);
        }
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A bitmap compatible with the screen, selected into a memory DC of its own for as long as it
// lives: draw into Dc(), copy out of it with BitBlt. It leaves the DC before either is freed.
class MemoryBitmap {
public:
    MemoryBitmap(int width, int height) : MemoryBitmap(WindowDc(nullptr), width, height) {}

    HDC Dc() const { return dc_.Get(); }

private:
    MemoryBitmap(const WindowDc& screen, int width, int height)
        : bitmap_(CreateCompatibleBitmap(screen.Get(), width, height)), dc_(CreateCompatibleDC(screen.Get())),
          selection_(dc_.Get(), bitmap_.Get()) {}

    UniqueBitmap bitmap_;
    UniqueMemoryDc dc_;
    Selection selection_; // declared last: undone first
};

// Loads an icon resource of the program at the given size (the best image of the group is scaled).
inline HICON LoadIconResource(int id, int size) {
    return static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
}

} // namespace gw::win32
