#include "popdesk/DesktopMenu_win.h"

#include "popdesk/DesktopShell_win.h"
#include "ui/Dpi.h"
#include "ui/Dpi_win.h"
#include "ui/MenuCalls_win.h"

#include <algorithm>

namespace gw {

namespace {

constexpr wchar_t kOwnerClass[] = L"Glidewing_PopDeskMenuOwner";
constexpr wchar_t kBannerCaption[] = L"Glidewing PopDesk";
constexpr int kBannerCaptionLength = static_cast<int>(std::size(kBannerCaption) - 1);
constexpr wchar_t kEmptyDesktop[] = L"(The desktop is empty)";
constexpr int kBannerFontHeight = 16; // at 96 dpi

// Colours.
constexpr COLORREF kBannerTop = RGB(24, 86, 214);
constexpr COLORREF kBannerBottom = RGB(0, 0, 0);
constexpr COLORREF kBannerText = RGB(255, 255, 255);
constexpr COLORREF kBannerShadow = RGB(0, 0, 40);
constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kGutter = RGB(241, 244, 250);
constexpr COLORREF kGutterLine = RGB(222, 227, 236);
constexpr COLORREF kText = RGB(28, 28, 32);
constexpr COLORREF kGreyText = RGB(140, 140, 150);
constexpr COLORREF kHighlight = RGB(214, 232, 252);
constexpr COLORREF kHighlightEdge = RGB(120, 170, 232);

constexpr UINT kFirstCommand = 1; // entry n has command kFirstCommand + n

// The menu's captions are UTF-8; the system draws UTF-16.
std::wstring Wide(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

int Mix(int from, int to, int step, int steps) {
    return from + (to - from) * step / std::max(steps, 1);
}

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr); // a solid fill without a brush
}

void Frame(HDC dc, const RECT& r, COLORREF colour, int line) {
    Fill(dc, {r.left, r.top, r.right, r.top + line}, colour);
    Fill(dc, {r.left, r.bottom - line, r.right, r.bottom}, colour);
    Fill(dc, {r.left, r.top, r.left + line, r.bottom}, colour);
    Fill(dc, {r.right - line, r.top, r.right, r.bottom}, colour);
}

} // namespace

Win32DesktopMenuView::Win32DesktopMenuView(HINSTANCE instance, TApplication& application)
    : instance_(instance), application_(application) {
    // A window of the wide kind, so that the letters typed into the menu come as UTF-16 too.
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &WindowProc;
    wc.hInstance = instance_;
    wc.lpszClassName = kOwnerClass;
    RegisterClassExW(&wc); // already registered by an earlier view: fine
    owner_.Reset(CreateWindowExW(WS_EX_TOOLWINDOW, kOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 instance_, this));
}

void Win32DesktopMenuView::UseDpi(int dpi) {
    if (dpi == dpi_ && bannerFont_) {
        return;
    }
    dpi_ = dpi;
    LOGFONTW banner{};
    banner.lfHeight = -ScaleForDpi(kBannerFontHeight, dpi);
    banner.lfWeight = FW_BOLD;
    banner.lfItalic = TRUE;
    banner.lfEscapement = 900; // reads bottom to top
    banner.lfOrientation = 900;
    banner.lfCharSet = ANSI_CHARSET;
    banner.lfQuality = ANTIALIASED_QUALITY;
    lstrcpynW(banner.lfFaceName, L"Times New Roman", LF_FACESIZE);
    bannerFont_.Reset(CreateFontIndirectW(&banner));

    NONCLIENTMETRICSW ncm{};
    itemFont_.Reset();
    if (win32::NonClientMetricsForDpi(ncm, dpi)) {
        itemFont_.Reset(CreateFontIndirectW(&ncm.lfMenuFont));
    }
}

Win32DesktopMenuView::~Win32DesktopMenuView() {
    owner_.Reset(); // first, while everything its procedure might look at is still there
}

HFONT Win32DesktopMenuView::ItemFont() const {
    return itemFont_ ? itemFont_.Typed() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void Win32DesktopMenuView::Popup(TDesktopMenu& menu, Point at) {
    const win32::MenuCallScope call; // a close meanwhile waits until this call has returned
    menu_ = &menu;
    exitReported_ = false;
    UseDpi(win32::PointDpi(POINT{at.x, at.y}));
    LayOut(menu);
    banner_.emplace(layout_.bannerWidth, layout_.height);
    PaintBanner(banner_->Dc());
    {
        // The menu goes before the brush it paints its background with.
        win32::UniqueBrush background(CreateSolidBrush(kBackground));
        win32::UniqueMenu popup = BuildPopup(background.Typed());
        menu.NotifyPopup();
        Track(popup.Get(), at);
    }
    banner_.reset();
    menu_ = nullptr;
}

win32::UniqueMenu Win32DesktopMenuView::BuildPopup(HBRUSH background) const {
    win32::UniqueMenu popup(CreatePopupMenu());
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_STYLE | MIM_BACKGROUND;
    info.dwStyle = MNS_NOCHECK;
    info.hbrBack = background;
    SetMenuInfo(popup.Get(), &info);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const Row& row = rows_[i];
        const UINT flags = MF_OWNERDRAW | (row.entry ? 0u : MF_DISABLED);
        const UINT_PTR id = row.entry ? kFirstCommand + i : 0;
        AppendMenuA(popup.Get(), flags, id, reinterpret_cast<LPCSTR>(i)); // item data: the row
    }
    return popup;
}

void Win32DesktopMenuView::Track(HMENU popup, Point at) {
    HWND owner = owner_.Get();
    // A popup menu closes on a click elsewhere only when its owner is in the foreground.
    SetForegroundWindow(owner);
    if (win32::MenuCallScope::MayShow()) {
        TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, at.x, at.y, 0, owner, nullptr);
    }
    PostMessageA(owner, WM_NULL, 0, 0);
    if (!exitReported_) {
        EndOfLoop(); // the menu never showed: the main window must still learn that it is closed
    }

    // The choice arrives as a posted WM_COMMAND: handle it now, while everything is still held.
    MSG msg;
    while (PeekMessageW(&msg, owner, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
        DispatchMessageW(&msg);
    }
}

void Win32DesktopMenuView::LayOut(const TDesktopMenu& menu) {
    rows_.clear();
    for (std::size_t i = 0; i < menu.Count(); ++i) {
        rows_.push_back({Wide(menu.Entry(i).Caption), menu.Entry(i).ImageIndex, true});
    }
    if (rows_.empty()) {
        rows_.push_back({kEmptyDesktop, -1, false});
    }

    DesktopMenuMeasures measures;
    measures.dpi = dpi_;
    const win32::WindowDc dc(owner_.Get());
    {
        const win32::Selection font(dc.Get(), ItemFont());
        TEXTMETRICW tm{};
        GetTextMetricsW(dc.Get(), &tm);
        measures.textHeight = tm.tmHeight;
        for (const Row& row : rows_) {
            SIZE size{};
            GetTextExtentPoint32W(dc.Get(), row.text.c_str(), static_cast<int>(row.text.size()), &size);
            measures.textWidths.push_back(size.cx);
        }
    }
    {
        const win32::Selection font(dc.Get(), bannerFont_.Get());
        SIZE banner{};
        GetTextExtentPoint32W(dc.Get(), kBannerCaption, kBannerCaptionLength, &banner);
        measures.bannerCaptionLength = banner.cx;
    }
    layout_ = LayOutDesktopMenu(measures);
    if (layout_.filler.height > 0) {
        rows_.push_back({L"", -1, false});
    }
}

DesktopMenuRow Win32DesktopMenuView::RowPlace(std::size_t row) const {
    return row < layout_.rows.size() ? layout_.rows[row] : layout_.filler;
}

void Win32DesktopMenuView::PaintBanner(HDC dc) const {
    // Blue at the top fading to black at the bottom, one line at a time.
    const int height = layout_.height;
    for (int y = 0; y < height; ++y) {
        const COLORREF c = RGB(Mix(GetRValue(kBannerTop), GetRValue(kBannerBottom), y, height - 1),
                               Mix(GetGValue(kBannerTop), GetGValue(kBannerBottom), y, height - 1),
                               Mix(GetBValue(kBannerTop), GetBValue(kBannerBottom), y, height - 1));
        Fill(dc, {0, y, layout_.bannerWidth, y + 1}, c);
    }

    // The caption reads upwards and ends near the top, where the blue is brightest; a dark copy
    // a line's width down and right behind the white one lifts it off the gradient.
    const win32::Selection font(dc, bannerFont_.Get());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SetBkMode(dc, TRANSPARENT);
    const int x = (layout_.bannerWidth - tm.tmHeight) / 2;
    SIZE caption{};
    GetTextExtentPoint32W(dc, kBannerCaption, kBannerCaptionLength, &caption);
    const int y = layout_.bannerMargin + caption.cx;
    SetTextColor(dc, kBannerShadow);
    TextOutW(dc, x + layout_.line, y + layout_.line, kBannerCaption, kBannerCaptionLength);
    SetTextColor(dc, kBannerText);
    TextOutW(dc, x, y, kBannerCaption, kBannerCaptionLength);
}

void Win32DesktopMenuView::Measure(MEASUREITEMSTRUCT& mis) const {
    const std::size_t i = mis.itemData;
    if (i >= rows_.size()) {
        return;
    }
    // The system adds room for a check mark to an owner-drawn item; MNS_NOCHECK takes most of it away.
    mis.itemWidth = static_cast<UINT>(layout_.width - win32::SystemMetricForDpi(SM_CXMENUCHECK, dpi_) + 1);
    mis.itemHeight = static_cast<UINT>(RowPlace(i).height);
}

void Win32DesktopMenuView::Draw(const DRAWITEMSTRUCT& dis) const {
    const std::size_t i = dis.itemData;
    if (i >= rows_.size()) {
        return;
    }
    const Row& row = rows_[i];
    const DesktopMenuLayout& l = layout_;
    HDC dc = dis.hDC;
    const RECT& r = dis.rcItem;

    // Our slice of the banner, taken from where this row sits in the whole menu.
    if (banner_) {
        BitBlt(dc, r.left, r.top, l.bannerWidth, r.bottom - r.top, banner_->Dc(), 0, RowPlace(i).top,
               SRCCOPY);
    }

    const int gutterLeft = r.left + l.bannerWidth;
    const int gutterRight = gutterLeft + l.gutterWidth;
    Fill(dc, {gutterLeft, r.top, gutterRight, r.bottom}, kGutter);
    Fill(dc, {gutterRight, r.top, gutterRight + l.line, r.bottom}, kGutterLine);
    Fill(dc, {gutterRight + l.line, r.top, r.right, r.bottom}, kBackground);

    const bool selected = row.entry && (dis.itemState & ODS_SELECTED) != 0;
    if (selected) {
        const RECT h{gutterLeft + 2 * l.line, r.top + l.line, r.right - 2 * l.line, r.bottom - l.line};
        Fill(dc, h, kHighlight);
        Frame(dc, h, kHighlightEdge, l.line);
    }

    if (row.image >= 0 && images_ && images_->List()) {
        const int size = images_->Size();
        const int iconX = gutterLeft + (l.gutterWidth - size) / 2;
        const int iconY = r.top + (r.bottom - r.top - size) / 2;
        ImageList_Draw(images_->List(), row.image, dc, iconX, iconY, ILD_TRANSPARENT);
    }

    if (!row.text.empty()) {
        const win32::Selection font(dc, ItemFont());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, row.entry ? kText : kGreyText);
        RECT t{gutterRight + l.textGap, r.top, r.right - l.rightPadding / 2, r.bottom};
        DrawTextW(dc, row.text.c_str(), static_cast<int>(row.text.size()), &t,
                  DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

LRESULT Win32DesktopMenuView::JumpToLetter(wchar_t letter, HMENU menu) const {
    const int count = static_cast<int>(rows_.size());
    int current = -1;
    for (int i = 0; i < count; ++i) {
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) {
            current = i;
            break;
        }
    }
    const auto lower = [](wchar_t c) {
        CharLowerBuffW(&c, 1); // any script, not just ASCII
        return c;
    };
    for (int step = 1; step <= count; ++step) {
        const int i = (current + step + count) % count;
        const Row& row = rows_[static_cast<std::size_t>(i)];
        if (row.entry && !row.text.empty() && lower(row.text[0]) == lower(letter)) {
            return MAKELRESULT(i, MNC_SELECT);
        }
    }
    return MAKELRESULT(0, MNC_IGNORE);
}

void Win32DesktopMenuView::EndOfLoop() {
    exitReported_ = true;
    if (main_) {
        SendMessageA(main_, kWM_DESKMENU_EXITLOOP, 0, 0);
    }
}

LRESULT CALLBACK Win32DesktopMenuView::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32DesktopMenuView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && self->menu_) {
        return self->Handle(message, wParam, lParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Win32DesktopMenuView::Handle(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    LRESULT result = 0;
    bool handled = false;
    application_.Dispatch([&] { handled = HandleMessage(message, wParam, lParam, result); });
    return handled ? result : DefWindowProcW(owner_.Get(), message, wParam, lParam);
}

bool Win32DesktopMenuView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_MEASUREITEM: {
        auto& mis = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (mis.CtlType == ODT_MENU) {
            Measure(mis);
            result = TRUE;
            return true;
        }
        break;
    }
    case WM_DRAWITEM: {
        const auto& dis = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (dis.CtlType == ODT_MENU) {
            Draw(dis);
            result = TRUE;
            return true;
        }
        break;
    }
    case WM_MENUCHAR:
        // Typing a letter moves to the next entry whose name starts with it; Return opens it.
        result = JumpToLetter(static_cast<wchar_t>(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam));
        return true;
    case WM_EXITMENULOOP:
        EndOfLoop();
        return true;
    case WM_COMMAND: {
        const UINT id = LOWORD(wParam);
        if (HIWORD(wParam) == 0 && id >= kFirstCommand) {
            menu_->Click(id - kFirstCommand); // an index the menu does not have does nothing
            return true;
        }
        break;
    }
    default:
        break;
    }
    return false;
}

} // namespace gw
