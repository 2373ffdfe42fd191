#include "ui/Controls_win.h"

#include "ui/Gdi_win.h"

#include <commctrl.h>

#include <memory>

namespace gw::win32 {

namespace {

ControlWindow* BindingOf(HWND window) {
    return window ? reinterpret_cast<ControlWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA)) : nullptr;
}

} // namespace

// --- ControlWindow

ControlWindow::~ControlWindow() {
    control_.SetView(nullptr);
    if (hwnd_ && IsWindow(hwnd_)) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    }
}

void ControlWindow::Create(HWND parent, const char* windowClass, DWORD style, DWORD exStyle,
                           const RECT& bounds, HFONT font) {
    hwnd_ = CreateWindowExA(exStyle, windowClass, control_.Caption().c_str(), WS_CHILD | WS_VISIBLE | style,
                            bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                            parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!hwnd_) {
        return;
    }
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    Prepare();
    Adopt(hwnd_);
    control_.SetView(this); // picks up the current state at once
}

void ControlWindow::Adopt(HWND window) {
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void ControlWindow::RefreshEnabled() {
    if (hwnd_) {
        EnableWindow(hwnd_, control_.Enabled() && (!container_ || container_->Enabled()));
    }
}

void ControlWindow::ControlChanged(TControl& control) {
    if (!hwnd_) {
        return;
    }
    if (showCaption_) {
        char current[512] = {};
        GetWindowTextA(hwnd_, current, sizeof current);
        if (control.Caption() != current) {
            SetWindowTextA(hwnd_, control.Caption().c_str());
        }
    }
    RefreshEnabled();
    Sync();
}

// --- Check boxes

constexpr UINT_PTR kBoxSubclass = 1;

CheckBoxWindow::~CheckBoxWindow() {
    if (label_ && hwnd_ && IsWindow(hwnd_)) {
        RemoveWindowSubclass(hwnd_, &BoxProc, kBoxSubclass);
    }
}

void CheckBoxWindow::AttachLabel(HWND label, COLORREF colour) {
    label_ = label;
    colour_ = colour;
    showCaption_ = false;
    SetWindowTextA(hwnd_, "");
    Adopt(label);
    // The label shows the box's focus: it is drawn again whenever the box gains or loses it.
    SetWindowSubclass(hwnd_, &BoxProc, kBoxSubclass, reinterpret_cast<DWORD_PTR>(this));
    ControlChanged(control_);
}

LRESULT CALLBACK CheckBoxWindow::BoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR self) {
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS || message == WM_UPDATEUISTATE) {
        if (HWND label = reinterpret_cast<CheckBoxWindow*>(self)->label_) {
            InvalidateRect(label, nullptr, TRUE);
        }
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void CheckBoxWindow::Sync() {
    SendMessageA(hwnd_, BM_SETCHECK, box_.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    if (label_) {
        SetWindowTextA(label_, box_.Caption().c_str());
        EnableWindow(label_, IsWindowEnabled(hwnd_));
        InvalidateRect(label_, nullptr, TRUE);
    }
}

void CheckBoxWindow::OnCommand(HWND from, WORD code) {
    if (code != BN_CLICKED) { // STN_CLICKED of the label is the same number
        return;
    }
    if (from == label_) {
        Run([this] { box_.SetChecked(!box_.Checked()); });
        SetFocus(hwnd_);
    } else {
        const bool checked = SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
        Run([this, checked] { box_.SetChecked(checked); });
    }
}

bool CheckBoxWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (!label_ || item.hwndItem != label_) {
        return false;
    }
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    const Selection font(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(label_, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(label_) ? colour_ : GetSysColor(COLOR_GRAYTEXT));
    const std::string& text = box_.Caption();
    RECT textArea = area;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textArea,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textArea,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    // The frame around the caption, as a check box with its own caption draws it; hidden while
    // the window hides focus frames (until the keyboard is used).
    const bool hidden = (SendMessageA(hwnd_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
    if (GetFocus() == hwnd_ && !hidden) {
        RECT frame = textArea;
        InflateRect(&frame, 1, 1);
        IntersectRect(&frame, &frame, &area);
        DrawFocusRect(dc, &frame);
    }
    return true;
}

// --- Drop-down lists and list boxes

const ItemListWindow::Messages ItemListWindow::kComboBox = {CB_RESETCONTENT, CB_ADDSTRING, CB_SETCURSEL,
                                                            CB_GETCURSEL, CBN_SELCHANGE};
const ItemListWindow::Messages ItemListWindow::kListBox = {LB_RESETCONTENT, LB_ADDSTRING, LB_SETCURSEL,
                                                           LB_GETCURSEL, LBN_SELCHANGE};

void ItemListWindow::Sync() {
    if (!filled_ || shownItems_ != list_.Items()) {
        SendMessageA(hwnd_, messages_.reset, 0, 0);
        for (const std::string& item : list_.Items()) {
            SendMessageA(hwnd_, messages_.add, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
        shownItems_ = list_.Items();
        filled_ = true;
    }
    SendMessageA(hwnd_, messages_.select, static_cast<WPARAM>(list_.ItemIndex()), 0);
}

void ItemListWindow::OnCommand(HWND, WORD code) {
    if (code == messages_.changed) {
        const int index = static_cast<int>(SendMessageA(hwnd_, messages_.current, 0, 0));
        Run([this, index] { list_.UserSelect(index); });
    }
}

// --- Sliders

void TrackBarWindow::Sync() {
    if (!ranged_) {
        SendMessageA(hwnd_, TBM_SETRANGE, FALSE, MAKELPARAM(slider_.Min(), slider_.Max()));
        SendMessageA(hwnd_, TBM_SETTICFREQ, 1, 0); // a tick per step
        SendMessageA(hwnd_, TBM_SETPAGESIZE, 0, 5);
        ranged_ = true;
    }
    SendMessageA(hwnd_, TBM_SETPOS, TRUE, slider_.Position());
}

void TrackBarWindow::OnScroll() {
    const int position = static_cast<int>(SendMessageA(hwnd_, TBM_GETPOS, 0, 0));
    Run([this, position] { slider_.SetPosition(position); });
}

// --- Buttons

void ButtonWindow::SetPicture(HICON icon) {
    SendMessageA(hwnd_, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

void ButtonWindow::OnCommand(HWND, WORD code) {
    if (code == BN_CLICKED) {
        Run([this] { button_.Click(); });
    }
}

// --- Group boxes

void GroupBoxWindow::AddMember(ControlWindow& control) {
    controls_.push_back(&control);
    control.SetContainer(this);
    control.RefreshEnabled();
}

void GroupBoxWindow::Sync() {
    for (HWND member : members_) {
        EnableWindow(member, Enabled());
    }
    for (ControlWindow* control : controls_) {
        control->RefreshEnabled();
        if (HWND label = control->Label()) {
            EnableWindow(label, IsWindowEnabled(control->Hwnd()));
        }
    }
}

// --- Page control

void PageControlWindow::SetPageWindows(std::vector<HWND> windows) {
    pageWindows_ = std::move(windows);
    Sync();
}

void PageControlWindow::Prepare() {
    if (padding_.x > 0 || padding_.y > 0) {
        SendMessageA(hwnd_, TCM_SETPADDING, 0, MAKELPARAM(padding_.x, padding_.y));
    }
}

RECT PageControlWindow::PageArea() const {
    RECT area = {};
    GetWindowRect(hwnd_, &area);
    MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&area), 2);
    SendMessageA(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    return area;
}

void PageControlWindow::Sync() {
    if (!filled_) {
        int index = 0;
        for (const std::string& page : pages_.Pages()) {
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char*>(page.c_str());
            SendMessageA(hwnd_, TCM_INSERTITEMA, static_cast<WPARAM>(index++),
                         reinterpret_cast<LPARAM>(&item));
        }
        filled_ = true;
    }
    const int active = pages_.ActivePageIndex();
    SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(active), 0);
    for (std::size_t i = 0; i < pageWindows_.size(); ++i) {
        ShowWindow(pageWindows_[i], static_cast<int>(i) == active ? SW_SHOW : SW_HIDE);
    }
}

bool PageControlWindow::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.code != static_cast<UINT>(TCN_SELCHANGE)) {
        return false;
    }
    const int index = static_cast<int>(SendMessageA(hwnd_, TCM_GETCURSEL, 0, 0));
    Run([this, index] { pages_.SetActivePageIndex(index); });
    result = 0;
    return true;
}

// --- Routing

bool RouteControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND: {
        HWND from = reinterpret_cast<HWND>(lParam);
        if (ControlWindow* binding = BindingOf(from)) {
            binding->OnCommand(from, HIWORD(wParam));
            result = 0;
            return true;
        }
        return false;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (ControlWindow* binding = BindingOf(reinterpret_cast<HWND>(lParam))) {
            binding->OnScroll();
            result = 0;
            return true;
        }
        return false;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (ControlWindow* binding = BindingOf(header->hwndFrom)) {
            return binding->OnNotify(*header, result);
        }
        return false;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (ControlWindow* binding = BindingOf(item->hwndItem)) {
            if (binding->OnDrawItem(*item)) {
                result = TRUE;
                return true;
            }
        }
        return false;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (ControlWindow* binding = BindingOf(reinterpret_cast<HWND>(lParam))) {
            if (HBRUSH brush = binding->OnColor(reinterpret_cast<HDC>(wParam))) {
                result = reinterpret_cast<LRESULT>(brush);
                return true;
            }
        }
        return false;
    default:
        return false;
    }
}

// --- Page windows

namespace {

constexpr char kPageClass[] = "GlidewingPage";

struct PageData {
    std::function<void(HDC, const RECT&)> paint;
};

LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* data = reinterpret_cast<PageData*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    LRESULT result = 0;
    if (RouteControlMessage(message, wParam, lParam, result)) {
        return result;
    }
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrA(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        break;
    case WM_PAINT: {
        const PaintDc dc(window);
        RECT client;
        GetClientRect(window, &client);
        if (data && data->paint) {
            data->paint(dc.Get(), client);
        }
        return 0;
    }
    case WM_NCDESTROY:
        delete data;
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

HWND CreatePageWindow(HWND parent, const RECT& bounds, std::function<void(HDC, const RECT&)> paint) {
    static const ATOM registered = [] {
        WNDCLASSEXA windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &PageProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = kPageClass;
        return RegisterClassExA(&windowClass);
    }();
    (void)registered;
    auto data = std::make_unique<PageData>();
    data->paint = std::move(paint);
    HWND page = CreateWindowExA(WS_EX_CONTROLPARENT, kPageClass, "", WS_CHILD | WS_CLIPSIBLINGS, bounds.left,
                                bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                                nullptr, GetModuleHandleA(nullptr), data.get());
    if (page) {
        data.release(); // the window owns it now and frees it on WM_NCDESTROY
    }
    return page;
}

} // namespace gw::win32
