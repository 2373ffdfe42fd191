#pragma once
// desktopmenu on screen: an owner-drawn popup menu with the "Glidewing PopDesk" banner down its
// left side and one clean row per desktop item (small icon, name, a soft highlight under the
// cursor), laid out for the density of the monitor it opens on, with the names drawn as the
// shell gives them, in any script. It is tracked from a hidden window of its own, which receives the
// measuring, drawing and command messages; the end of its modal loop is reported to the main window as
// kWM_DESKMENU_EXITLOOP. An error raised while it handles a message (a launch, a drawing) goes to the
// application's error box like every other error; the program runs on.

#include "popdesk/DesktopMenu.h"
#include "popdesk/DesktopMenuLayout.h"
#include "ui/Application.h"
#include "ui/Gdi_win.h"

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

namespace gw {

class Win32DeskIcons;

class Win32DesktopMenuView final : public TDesktopMenu::View {
public:
    Win32DesktopMenuView(HINSTANCE instance, TApplication& application);
    ~Win32DesktopMenuView() override;
    Win32DesktopMenuView(const Win32DesktopMenuView&) = delete;
    Win32DesktopMenuView& operator=(const Win32DesktopMenuView&) = delete;

    // Where kWM_DESKMENU_EXITLOOP goes.
    void SetMainWindow(HWND window) { main_ = window; }
    // deskimagelist, drawn from; null draws no pictures.
    void SetImages(const Win32DeskIcons* images) { images_ = images; }

    void Popup(TDesktopMenu& menu, Point at) override;

private:
    struct Row {
        std::wstring text; // the entry's caption (UTF-8 in the portable menu)
        int image = -1;
        bool entry = true; // false for the "empty" line and the filler below the rows
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    // True when it handled the message, with its result.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // The fonts for the density of the monitor the menu opens on.
    void UseDpi(int dpi);
    void LayOut(const TDesktopMenu& menu);
    void PaintBanner(HDC dc) const;
    win32::UniqueMenu BuildPopup(HBRUSH background) const;
    void Track(HMENU popup, Point at);
    void Measure(MEASUREITEMSTRUCT& mis) const;
    void Draw(const DRAWITEMSTRUCT& dis) const;
    // The row's place in the whole menu (the banner's slice to copy).
    DesktopMenuRow RowPlace(std::size_t row) const;
    LRESULT JumpToLetter(wchar_t letter, HMENU menu) const;
    void EndOfLoop();
    // The system's menu font, or the stock GUI font where it could not be made (never freed).
    HFONT ItemFont() const;

    HINSTANCE instance_;
    TApplication& application_;
    win32::UniqueWindow owner_;
    HWND main_ = nullptr;
    const Win32DeskIcons* images_ = nullptr;
    int dpi_ = 0; // of the fonts below
    win32::UniqueFont bannerFont_;
    win32::UniqueFont itemFont_;

    TDesktopMenu* menu_ = nullptr; // while popped up
    std::vector<Row> rows_;        // the entries, or the "empty" line; then the filler if there is one
    DesktopMenuLayout layout_;
    std::optional<win32::MemoryBitmap> banner_; // while popped up; each row copies its slice
    bool exitReported_ = false;
};

} // namespace gw
