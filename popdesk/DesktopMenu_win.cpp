#include "popdesk/DesktopMenu_win.h"

#include "ui/MenuCalls_win.h"

#include <algorithm>

namespace gw {

namespace {

constexpr char kOwnerClass[] = "Glidewing_PopDeskMenuOwner";
constexpr char kBannerCaption[] = "Glidewing PopDesk";

// Geometry, in pixels.
constexpr int kBannerWidth = 26;
constexpr int kGutterWidth = 30; // the tinted strip behind the icons
constexpr int kIconSize = 16;
constexpr int kTextGap = 8; // between the gutter and the text
constexpr int kRightPadding = 24;
constexpr int kMinRowHeight = 24;
constexpr int kMaxRowHeight = 34;  // rows grow up to this to give a short menu room for the banner
constexpr int kMaxTextWidth = 360; // longer names end in an ellipsis
constexpr int kBannerMargin = 14;  // between the banner caption and the menu's ends

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

int Mix(int from, int to, int step, int steps) {
    return from + (to - from) * step / std::max(steps, 1);
}

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr); // a solid fill without a brush
}

void Frame(HDC dc, const RECT& r, COLORREF colour) {
    Fill(dc, {r.left, r.top, r.right, r.top + 1}, colour);
    Fill(dc, {r.left, r.bottom - 1, r.right, r.bottom}, colour);
    Fill(dc, {r.left, r.top, r.left + 1, r.bottom}, colour);
    Fill(dc, {r.right - 1, r.top, r.right, r.bottom}, colour);
}

} // namespace

Win32DesktopMenuView::Win32DesktopMenuView(HINSTANCE instance, TApplication& application)
    : instance_(instance), application_(application) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &WindowProc;
    wc.hInstance = instance_;
    wc.lpszClassName = kOwnerClass;
    RegisterClassExA(&wc); // already registered by an earlier view: fine
    owner_.Reset(CreateWindowExA(WS_EX_TOOLWINDOW, kOwnerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 instance_, this));

    LOGFONTA banner{};
    banner.lfHeight = -16;
    banner.lfWeight = FW_BOLD;
    banner.lfItalic = TRUE;
    banner.lfEscapement = 900; // reads bottom to top
    banner.lfOrientation = 900;
    banner.lfCharSet = ANSI_CHARSET;
    banner.lfQuality = ANTIALIASED_QUALITY;
    lstrcpynA(banner.lfFaceName, "Times New Roman", LF_FACESIZE);
    bannerFont_.Reset(CreateFontIndirectA(&banner));

    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof ncm;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) {
        itemFont_.Reset(CreateFontIndirectA(&ncm.lfMenuFont));
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
    LayOut(menu);
    banner_.emplace(kBannerWidth, totalHeight_);
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
    while (PeekMessageA(&msg, owner, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
        DispatchMessageA(&msg);
    }
}

void Win32DesktopMenuView::LayOut(const TDesktopMenu& menu) {
    rows_.clear();
    for (std::size_t i = 0; i < menu.Count(); ++i) {
        rows_.push_back({menu.Entry(i).Caption, menu.Entry(i).ImageIndex, 0, 0, true});
    }
    if (rows_.empty()) {
        rows_.push_back({"(The desktop is empty)", -1, 0, 0, false});
    }

    const win32::WindowDc dc(owner_.Get());
    TEXTMETRICA tm{};
    int textWidth = 80;
    {
        const win32::Selection font(dc.Get(), ItemFont());
        GetTextMetricsA(dc.Get(), &tm);
        for (const Row& row : rows_) {
            SIZE size{};
            GetTextExtentPoint32A(dc.Get(), row.text.c_str(), static_cast<int>(row.text.size()), &size);
            textWidth = std::max(textWidth, std::min<int>(size.cx, kMaxTextWidth));
        }
    }
    SIZE banner{};
    {
        const win32::Selection font(dc.Get(), bannerFont_.Get());
        GetTextExtentPoint32A(dc.Get(), kBannerCaption, static_cast<int>(sizeof kBannerCaption - 1), &banner);
    }

    // A short menu gets taller rows so the banner's caption fits; a very short one a filler below.
    const int count = static_cast<int>(rows_.size());
    const int needed = banner.cx + 2 * kBannerMargin;
    int rowHeight = std::max<int>(kMinRowHeight, tm.tmHeight + 10);
    rowHeight = std::max(rowHeight, std::min(kMaxRowHeight, (needed + count - 1) / count));
    int top = 0;
    for (Row& row : rows_) {
        row.top = top;
        row.height = rowHeight;
        top += rowHeight;
    }
    if (top < needed) {
        rows_.push_back({"", -1, top, needed - top, false});
        top = needed;
    }
    totalHeight_ = top;
    width_ = kBannerWidth + kGutterWidth + kTextGap + textWidth + kRightPadding;
}

void Win32DesktopMenuView::PaintBanner(HDC dc) const {
    // Blue at the top fading to black at the bottom, one line at a time.
    for (int y = 0; y < totalHeight_; ++y) {
        const COLORREF c = RGB(Mix(GetRValue(kBannerTop), GetRValue(kBannerBottom), y, totalHeight_ - 1),
                               Mix(GetGValue(kBannerTop), GetGValue(kBannerBottom), y, totalHeight_ - 1),
                               Mix(GetBValue(kBannerTop), GetBValue(kBannerBottom), y, totalHeight_ - 1));
        Fill(dc, {0, y, kBannerWidth, y + 1}, c);
    }

    // The caption reads upwards and ends near the top, where the blue is brightest; a dark copy
    // one pixel down and right behind the white one lifts it off the gradient.
    const win32::Selection font(dc, bannerFont_.Get());
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SetBkMode(dc, TRANSPARENT);
    const int x = (kBannerWidth - tm.tmHeight) / 2;
    SIZE caption{};
    GetTextExtentPoint32A(dc, kBannerCaption, static_cast<int>(sizeof kBannerCaption - 1), &caption);
    const int y = kBannerMargin + caption.cx;
    const int length = static_cast<int>(sizeof kBannerCaption - 1);
    SetTextColor(dc, kBannerShadow);
    TextOutA(dc, x + 1, y + 1, kBannerCaption, length);
    SetTextColor(dc, kBannerText);
    TextOutA(dc, x, y, kBannerCaption, length);
}

void Win32DesktopMenuView::Measure(MEASUREITEMSTRUCT& mis) const {
    const std::size_t i = mis.itemData;
    if (i >= rows_.size()) {
        return;
    }
    // The system adds room for a check mark to an owner-drawn item; MNS_NOCHECK takes most of it away.
    mis.itemWidth = static_cast<UINT>(width_ - GetSystemMetrics(SM_CXMENUCHECK) + 1);
    mis.itemHeight = static_cast<UINT>(rows_[i].height);
}

void Win32DesktopMenuView::Draw(const DRAWITEMSTRUCT& dis) const {
    const std::size_t i = dis.itemData;
    if (i >= rows_.size()) {
        return;
    }
    const Row& row = rows_[i];
    HDC dc = dis.hDC;
    const RECT& r = dis.rcItem;

    // Our slice of the banner, taken from where this row sits in the whole menu.
    if (banner_) {
        BitBlt(dc, r.left, r.top, kBannerWidth, r.bottom - r.top, banner_->Dc(), 0, row.top, SRCCOPY);
    }

    const int gutterLeft = r.left + kBannerWidth;
    Fill(dc, {gutterLeft, r.top, gutterLeft + kGutterWidth, r.bottom}, kGutter);
    Fill(dc, {gutterLeft + kGutterWidth, r.top, gutterLeft + kGutterWidth + 1, r.bottom}, kGutterLine);
    Fill(dc, {gutterLeft + kGutterWidth + 1, r.top, r.right, r.bottom}, kBackground);

    const bool selected = row.entry && (dis.itemState & ODS_SELECTED) != 0;
    if (selected) {
        const RECT h{gutterLeft + 2, r.top + 1, r.right - 2, r.bottom - 1};
        Fill(dc, h, kHighlight);
        Frame(dc, h, kHighlightEdge);
    }

    if (row.image >= 0 && images_) {
        const int iconX = gutterLeft + (kGutterWidth - kIconSize) / 2;
        const int iconY = r.top + (r.bottom - r.top - kIconSize) / 2;
        ImageList_Draw(images_, row.image, dc, iconX, iconY, ILD_TRANSPARENT);
    }

    if (!row.text.empty()) {
        const win32::Selection font(dc, ItemFont());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, row.entry ? kText : kGreyText);
        RECT t{gutterLeft + kGutterWidth + kTextGap, r.top, r.right - kRightPadding / 2, r.bottom};
        DrawTextA(dc, row.text.c_str(), static_cast<int>(row.text.size()), &t,
                  DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

LRESULT Win32DesktopMenuView::JumpToLetter(char letter, HMENU menu) const {
    const int count = static_cast<int>(rows_.size());
    int current = -1;
    for (int i = 0; i < count; ++i) {
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) {
            current = i;
            break;
        }
    }
    const auto lower = [](char c) {
        CharLowerBuffA(&c, 1); // the user's code page, not just ASCII
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
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32DesktopMenuView*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && self->menu_) {
        return self->Handle(message, wParam, lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT Win32DesktopMenuView::Handle(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    LRESULT result = 0;
    bool handled = false;
    application_.Dispatch([&] { handled = HandleMessage(message, wParam, lParam, result); });
    return handled ? result : DefWindowProcA(owner_.Get(), message, wParam, lParam);
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
        result = JumpToLetter(static_cast<char>(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam));
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
