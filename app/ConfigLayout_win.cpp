#include "app/ConfigLayout_win.h"

#include "resources/resource.h"
#include "resources/version.h"
#include "ui/Dpi.h"
#include "ui/Dpi_win.h"

#include <commctrl.h>

#include <cstring>
#include <utility>

namespace gw::win32 {

namespace {

constexpr int kScroll = 0;
constexpr int kTools = 1;
constexpr int kPopDesk = 2;
constexpr int kApps = 3;
constexpr int kAbout = 4;

using K = LayoutKind;

constexpr char kScrollNote[] = "    Classic: click activate key and drag the mouse to scroll.\r\n"
                               "    Toggle: click activate key but not need hold.\r\n"
                               "    Auto scroll: not need move mouse while scrolling.\r\n"
                               "    Move scroll: only scroll while moving the mouse.";
constexpr char kPopDeskNote[] =
    "  We always need to minimize all the windows to access the desktop.\r\n"
    "  Now you can set 'Active when mouse at left top corner of the screen', and wait 100 millisecs, move "
    "mouse "
    "to the left top corner and wait 100 millisecs, then will popup a menu which contains all the links or "
    "shortcuts on the desktop, so you can get network neighborhood or execute a program which on the desktop "
    "more "
    "quickly.";
constexpr char kAppsNote[] =
    "In the programs listed here Glidewing stands aside: they get every press of the activation button "
    "as if Glidewing were not running.";

// Where an item sits on its page (or on the form), in 96-dpi pixels.
struct Box {
    int x, y, width, height;
};

// One maker per layout kind, so that an item's kind and the type of its control always agree.
constexpr LayoutEntry Item(int page, K kind, Box b, BoundControl control = {}, const char* text = nullptr,
                           int picture = 0) {
    return {page, kind, b.x, b.y, b.width, b.height, control, text, picture};
}
constexpr LayoutEntry Tabs(Box b, TPageControl TMainForm::*pages) {
    return Item(kOnForm, K::Tabs, b, pages);
}
constexpr LayoutEntry Group(int page, Box b, const char* caption) {
    return Item(page, K::Group, b, {}, caption);
}
constexpr LayoutEntry Group(int page, Box b, TGroupBox TMainForm::*group) {
    return Item(page, K::BoundGroup, b, group);
}
constexpr LayoutEntry Label(int page, Box b, const char* text) {
    return Item(page, K::Label, b, {}, text);
}
constexpr LayoutEntry Note(int page, Box b, const char* text) {
    return Item(page, K::Note, b, {}, text);
}
constexpr LayoutEntry Picture(int page, Box b, int icon) {
    return Item(page, K::Picture, b, {}, nullptr, icon);
}
constexpr LayoutEntry Check(int page, Box b, TCheckBox TMainForm::*box, const char* tooltip = nullptr) {
    return Item(page, K::Check, b, box, tooltip);
}
constexpr LayoutEntry BoldCheck(int page, Box b, TCheckBox TMainForm::*box) {
    return Item(page, K::BoldCheck, b, box);
}
constexpr LayoutEntry List(int page, Box b, TComboBox TMainForm::*list) {
    return Item(page, K::List, b, list);
}
constexpr LayoutEntry ListBox(int page, Box b, TListBox TMainForm::*list) {
    return Item(page, K::ListBox, b, list);
}
constexpr LayoutEntry Slider(int page, Box b, TTrackBar TMainForm::*slider) {
    return Item(page, K::Slider, b, slider);
}
constexpr LayoutEntry Button(int page, Box b, TButton TMainForm::*button, int picture) {
    return Item(page, K::Button, b, button, nullptr, picture);
}
constexpr LayoutEntry DefaultButton(int page, Box b, TButton TMainForm::*button, int picture) {
    return Item(page, K::DefaultButton, b, button, nullptr, picture);
}
constexpr LayoutEntry WrapButton(int page, Box b, TButton TMainForm::*button) {
    return Item(page, K::WrapButton, b, button);
}

using F = TMainForm;

// Pages are 479 x 282 at 96 dpi; everything keeps 8 pixels from their edges.
constexpr LayoutEntry kLayout[] = {
    // The form: the page control and the button row, right-aligned under it.
    Tabs({8, 8, 487, 312}, &F::PageControl),

    // Scroll
    Group(kScroll, {8, 4, 463, 150}, " Scroll "),
    Picture(kScroll, {20, 26, 32, 32}, IDI_GROUP_SCROLL),
    Check(kScroll, {64, 22, 180, 18}, &F::ScrollEnabledBox),
    Label(kScroll, {64, 56, 84, 14}, "Activate Mode:"),
    List(kScroll, {150, 52, 110, 200}, &F::ActivationModeList),
    Label(kScroll, {64, 88, 84, 14}, "Scroll Mode:"),
    List(kScroll, {150, 84, 110, 200}, &F::ScrollModeList),
    Label(kScroll, {64, 120, 84, 14}, "Activate Key:"),
    List(kScroll, {150, 116, 110, 200}, &F::ActivateButtonList),
    Note(kScroll, {272, 22, 187, 122}, kScrollNote),
    Group(kScroll, {8, 160, 196, 114}, " Options of Move Scroll  "),
    Check(kScroll, {20, 182, 176, 18}, &F::MoveLockBox, "Lock mouse cursor while scrolling"),
    Check(kScroll, {20, 208, 176, 18}, &F::MoveBackBox, "Move cursor back when scroll ended"),
    Check(kScroll, {20, 234, 176, 18}, &F::InverseBox, "Inverse scroll direction"),
    Group(kScroll, {212, 160, 259, 114}, " Speed of Auto Scroll "),
    // The box first, on a row of its own: it shapes both speeds, not the horizontal one only.
    Check(kScroll, {224, 180, 240, 18}, &F::AutoFollowBox,
          "The further the cursor from where you pressed, the faster, and in any direction"),
    Label(kScroll, {224, 214, 62, 14}, "Horizontal:"),
    Slider(kScroll, {286, 206, 179, 28}, &F::SpeedXSlider),
    Label(kScroll, {224, 246, 62, 14}, "Vertical:"),
    Slider(kScroll, {286, 238, 179, 28}, &F::SpeedYSlider),

    // Tools
    Group(kTools, {8, 4, 463, 86}, " Swap Left/Right Button "),
    Picture(kTools, {20, 30, 32, 32}, IDI_GROUP_SWAP),
    Check(kTools, {64, 22, 300, 18}, &F::SwapButtonsBox),
    Note(kTools, {64, 46, 395, 34},
         "The swap button feature will help left-handed user to use the mouse more comfortably."),
    Group(kTools, {8, 96, 463, 86}, " Hide Cursor "),
    Picture(kTools, {20, 122, 32, 32}, IDI_GROUP_HIDE),
    Check(kTools, {64, 114, 300, 18}, &F::HideWhileTypingBox),
    Note(kTools, {64, 138, 395, 34},
         "Hide mouse cursor while typing, in case the cursor obstruct the text you are typing. "),
    Group(kTools, {8, 188, 463, 86}, " Directly Button "),
    Picture(kTools, {20, 214, 32, 32}, IDI_GROUP_DEFAULT),
    Check(kTools, {64, 206, 300, 18}, &F::JumpToDefaultBox),
    Note(kTools, {64, 230, 395, 34},
         "Move the mouse to default button directly when open a new dialog window."),

    // PopDesk
    Picture(kPopDesk, {16, 8, 32, 32}, IDI_GROUP_POPDESK),
    Note(kPopDesk, {60, 8, 411, 22}, "PopDesk gives you a more quick and easy way to access desktop links."),
    Note(kPopDesk, {60, 36, 411, 108}, kPopDeskNote),
    Check(kPopDesk, {16, 150, 300, 18}, &F::PopDeskBox),
    Group(kPopDesk, {8, 172, 463, 102}, &F::PopDeskOptionsGroup),
    Label(kPopDesk, {24, 196, 130, 14}, "Active when mouse is at:"),
    List(kPopDesk, {160, 192, 220, 200}, &F::PopDeskCornerList),
    Check(kPopDesk, {24, 220, 300, 18}, &F::EveryMonitorBox),
    Label(kPopDesk, {24, 250, 32, 14}, "Wait"),
    List(kPopDesk, {58, 246, 70, 200}, &F::PopDeskDelayList),
    Label(kPopDesk, {136, 250, 300, 14}, "milliseconds before showing popdesk menu."),

    // Applications
    Group(kApps, {8, 4, 463, 270}, " Programs where Glidewing stands aside "),
    Picture(kApps, {20, 26, 32, 32}, IDI_GROUP_APPS),
    Note(kApps, {64, 22, 395, 48}, kAppsNote),
    ListBox(kApps, {64, 78, 240, 152}, &F::ProgramList),
    Button(kApps, {314, 78, 145, 26}, &F::AddProgramButton, 0),
    Button(kApps, {314, 110, 145, 26}, &F::RemoveProgramButton, 0),
    WrapButton(kApps, {314, 142, 145, 42}, &F::PickProgramButton),
    Check(kApps, {64, 242, 395, 18}, &F::FullScreenAsideBox),

    // About: three panels painted by the page (picture, logo and title), with the controls on top.
    Button(kAbout, {184, 190, 136, 30}, &F::VisitButton, IDI_BUTTON_VISIT),
    Button(kAbout, {330, 190, 126, 30}, &F::MailButton, IDI_BUTTON_MAIL),
    BoldCheck(kAbout, {184, 238, 280, 18}, &F::AutoRunBox),

    // The button row.
    DefaultButton(kOnForm, {141, 328, 84, 26}, &F::OkButton, IDI_BUTTON_OK),
    Button(kOnForm, {231, 328, 84, 26}, &F::CancelButton, IDI_BUTTON_CANCEL),
    Button(kOnForm, {321, 328, 84, 26}, &F::ApplyButton, IDI_BUTTON_APPLY),
    Button(kOnForm, {411, 328, 84, 26}, &F::HelpButton, IDI_BUTTON_HELP),
};

// About page panels, in page coordinates: the tall picture, the logo and title, the buttons.
constexpr RECT kSidePanel = {8, 4, 158, 274};
constexpr RECT kTitlePanel = {166, 4, 471, 160};
constexpr RECT kButtonPanel = {166, 168, 471, 274};
constexpr POINT kLogoAt = {182, 40};
constexpr int kLogoSize = 83;
constexpr POINT kTitleAt = {278, 72};
constexpr int kTitleMargin = 8; // from the title to the panel's right edge
constexpr char kTitle[] = "Glidewing Version " GW_VERSION_TEXT;
constexpr POINT kTabPadding = {6, 3}; // the tab control's own default at 96 dpi

bool Inside(const LayoutEntry& inner, const LayoutEntry& outer) {
    return inner.page == outer.page && &inner != &outer && inner.x >= outer.x && inner.y >= outer.y &&
           inner.x + inner.width <= outer.x + outer.width && inner.y < outer.y + outer.height;
}

// The system's message font at the window's density.
UniqueFont MessageFont(int weight, int dpi) {
    NONCLIENTMETRICSW metrics = {};
    LOGFONTW font = {};
    if (NonClientMetricsForDpi(metrics, dpi)) {
        font = metrics.lfMessageFont;
    } else {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
        font.lfHeight = RescaleForDpi(font.lfHeight, SystemDpi(), dpi);
    }
    if (font.lfHeight == 0) {
        font.lfHeight = -MulDiv(8, dpi, 72);
    }
    font.lfWeight = weight;
    return UniqueFont(CreateFontIndirectW(&font));
}

} // namespace

std::span<const LayoutEntry> ConfigurationLayout() {
    return kLayout;
}

ConfigurationWindow::ConfigurationWindow(FormWindow& window, TMainForm& form, int dpi)
    : window_(window), form_(form), dpi_(dpi) {
    font_ = MessageFont(FW_NORMAL, dpi_);
    boldFont_ = MessageFont(FW_BOLD, dpi_);
    LOGFONTA title = {};
    title.lfHeight = -Scale(16);
    title.lfWeight = FW_BOLD;
    title.lfCharSet = ANSI_CHARSET;
    title.lfQuality = DEFAULT_QUALITY;
    std::strcpy(title.lfFaceName, "Times New Roman");
    titleFont_.Reset(CreateFontIndirectA(&title));
    // Run-length encoded (it is mostly bands of one colour), so a device bitmap: a DIB section
    // cannot hold a compressed picture.
    sidePicture_.Reset(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_ABOUT_SIDE), IMAGE_BITMAP, 0, 0, 0));
    logo_.Reset(LoadIconResource(IDI_ABOUT_LOGO, Scale(kLogoSize)));
    Build();
}

ConfigurationWindow::~ConfigurationWindow() {
    bindings_.clear(); // detach the views before the windows go
    // Everything this object put on the form goes with it (the pages take their controls along),
    // so the window can be built again, at another density, into the same form.
    for (HWND child : formChildren_) {
        if (IsWindow(child)) {
            DestroyWindow(child);
        }
    }
    if (tooltips_ && IsWindow(tooltips_)) {
        DestroyWindow(tooltips_);
    }
}

TControl* ConfigurationWindow::FocusedControl() const {
    const HWND focus = GetFocus();
    for (const auto& binding : bindings_) {
        if (focus && (binding->Hwnd() == focus || binding->Label() == focus)) {
            return &binding->Control();
        }
    }
    return nullptr;
}

void ConfigurationWindow::Focus(const TControl* control) const {
    HWND target = tabs_ ? tabs_->Hwnd() : nullptr;
    for (const auto& binding : bindings_) {
        if (control && &binding->Control() == control && IsWindowEnabled(binding->Hwnd())) {
            target = binding->Hwnd();
        }
    }
    if (target) {
        SetFocus(target);
    }
}

HWND ConfigurationWindow::TabStrip() const {
    return tabs_ ? tabs_->Hwnd() : nullptr;
}

void ConfigurationWindow::MoveFocus(bool forward) const {
    std::vector<HWND> stops;
    const HWND focus = GetFocus();
    int current = -1;
    for (const auto& binding : bindings_) {
        const HWND window = binding->Hwnd();
        const bool stop = window && IsWindowVisible(window) && IsWindowEnabled(window) &&
                          (GetWindowLongA(window, GWL_STYLE) & WS_TABSTOP) != 0;
        if (!stop) {
            continue;
        }
        if (focus && (window == focus || binding->Label() == focus || IsChild(window, focus))) {
            current = static_cast<int>(stops.size());
        }
        stops.push_back(window);
    }
    if (stops.empty()) {
        return;
    }
    const int count = static_cast<int>(stops.size());
    const int next = current < 0 ? (forward ? 0 : count - 1) : (current + (forward ? 1 : -1) + count) % count;
    SetFocus(stops[static_cast<std::size_t>(next)]);
}

void ConfigurationWindow::KeepFocusOnShownPage() const {
    const HWND focus = GetFocus();
    if (!focus || IsWindowVisible(focus)) {
        return;
    }
    const int active = form_.PageControl.ActivePageIndex();
    HWND target = TabStrip();
    if (active >= 0 && active < static_cast<int>(pages_.size())) {
        const HWND page = pages_[static_cast<std::size_t>(active)];
        const HWND first = GetNextDlgTabItem(page, nullptr, FALSE);
        if (first && IsChild(page, first)) {
            target = first;
        }
    }
    if (target) {
        SetFocus(target);
    }
}

RECT ConfigurationWindow::Bounds(const LayoutEntry& entry) const {
    return RECT{Scale(entry.x), Scale(entry.y), Scale(entry.x + entry.width), Scale(entry.y + entry.height)};
}

HWND ConfigurationWindow::CreateStatic(HWND parent, const char* windowClass, const char* text, DWORD style,
                                       DWORD exStyle, const RECT& bounds) {
    HWND control =
        CreateWindowExA(exStyle, windowClass, text ? text : "", WS_CHILD | WS_VISIBLE | style, bounds.left,
                        bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                        GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Typed()), FALSE);
    return control;
}

void ConfigurationWindow::AddTooltip(HWND parent, HWND control, const char* text) {
    if (!tooltips_) {
        tooltips_ =
            CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_.Hwnd(),
                            nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = parent;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(text);
    SendMessageA(tooltips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void ConfigurationWindow::Build() {
    const std::vector<RECT> bounds = MeasuredBounds();
    std::vector<Placed> placed;
    for (std::size_t i = 0; i < std::size(kLayout); ++i) {
        placed.push_back(Place(kLayout[i], bounds[i]));
    }
    FitNotes(placed);
    ConnectGroups(placed);
    if (tabs_) {
        tabs_->SetPageWindows(pages_);
    }
    for (HWND child = GetWindow(window_.Hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        formChildren_.push_back(child);
    }
}

// The table is drawn for the fonts of Windows; where the system's font is wider (Wine's stand-ins,
// say) a label keeps its whole text and whatever sits to its right on its row moves along.
std::vector<RECT> ConfigurationWindow::MeasuredBounds() const {
    std::vector<RECT> bounds;
    for (const LayoutEntry& entry : kLayout) {
        bounds.push_back(Bounds(entry));
    }
    const WindowDc screen(nullptr);
    const Selection font(screen.Get(), font_.Get());
    for (std::size_t i = 0; i < bounds.size(); ++i) {
        const LayoutEntry& label = kLayout[i];
        if (label.kind != K::Label) {
            continue;
        }
        SIZE extent = {};
        GetTextExtentPoint32A(screen.Get(), label.text, static_cast<int>(std::strlen(label.text)), &extent);
        const RECT before = bounds[i];
        const LONG overflow = before.left + extent.cx + 1 - before.right;
        if (overflow <= 0) {
            continue;
        }
        for (std::size_t j = 0; j < bounds.size(); ++j) {
            RECT& other = bounds[j];
            const bool besideOnTheRow = kLayout[j].page == label.page && other.left >= before.right &&
                                        other.top < before.bottom && before.top < other.bottom;
            if (besideOnTheRow) {
                OffsetRect(&other, overflow, 0);
            }
        }
        bounds[i].right += overflow;
    }
    return bounds;
}

// An edit control knows how many lines its text took: a note that needs more height takes it from
// the top of the note right below it, whose bottom edge stays where it is.
void ConfigurationWindow::FitNotes(const std::vector<Placed>& placed) const {
    const WindowDc screen(nullptr);
    const Selection font(screen.Get(), font_.Get());
    TEXTMETRICA metrics = {};
    GetTextMetricsA(screen.Get(), &metrics);
    for (const Placed& note : placed) {
        if (note.entry->kind != K::Note || !note.window) {
            continue;
        }
        const HWND parent = GetParent(note.window);
        RECT outer = {};
        RECT client = {};
        RECT text = {};
        GetWindowRect(note.window, &outer);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&outer), 2);
        GetClientRect(note.window, &client);
        SendMessageA(note.window, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
        const LONG lines = static_cast<LONG>(SendMessageA(note.window, EM_GETLINECOUNT, 0, 0));
        const LONG frame = (outer.bottom - outer.top) - (client.bottom - client.top);
        const LONG needed = frame + 2 * text.top + lines * metrics.tmHeight;
        const LONG grow = needed - (outer.bottom - outer.top);
        if (grow <= 0) {
            continue;
        }
        for (const Placed& below : placed) {
            if (below.entry->kind != K::Note || !below.window || below.entry->page != note.entry->page ||
                below.entry->x != note.entry->x || below.entry->width != note.entry->width ||
                below.entry->y <= note.entry->y) {
                continue;
            }
            RECT lower = {};
            GetWindowRect(below.window, &lower);
            MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&lower), 2);
            SetWindowPos(note.window, nullptr, 0, 0, outer.right - outer.left, needed,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            SetWindowPos(below.window, nullptr, lower.left, lower.top + grow, lower.right - lower.left,
                         lower.bottom - lower.top - grow, SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
    }
}

ConfigurationWindow::Placed ConfigurationWindow::Place(const LayoutEntry& entry, const RECT& bounds) {
    HWND parent = entry.page == kOnForm ? window_.Hwnd() : pages_.at(static_cast<std::size_t>(entry.page));
    switch (entry.kind) {
    case K::Tabs:
        return Keep(entry, CreateTabs(parent, bounds, Control<TPageControl>(entry)));
    case K::Group:
        return {&entry, CreateStatic(parent, "BUTTON", entry.text, BS_GROUPBOX, 0, bounds)};
    case K::BoundGroup: {
        auto group = CreateBoundGroup(parent, bounds, Control<TGroupBox>(entry));
        GroupBoxWindow* governing = group.get();
        Placed placed = Keep(entry, std::move(group));
        placed.group = governing;
        return placed;
    }
    case K::Label:
        return {&entry, CreateStatic(parent, "STATIC", entry.text, SS_LEFT | SS_NOPREFIX, 0, bounds)};
    case K::Note:
        return {&entry, CreateNote(parent, bounds, entry.text)};
    case K::Picture:
        return {&entry, CreatePicture(parent, bounds, entry.picture)};
    case K::Check:
        return Keep(entry, CreateCheck(parent, bounds, Control<TCheckBox>(entry), entry.text));
    case K::BoldCheck:
        return Keep(entry, CreateBoldCheck(parent, bounds, Control<TCheckBox>(entry)));
    case K::List:
        return Keep(entry, CreateList(parent, bounds, Control<TComboBox>(entry)));
    case K::ListBox:
        return Keep(entry, CreateListBox(parent, bounds, Control<TListBox>(entry)));
    case K::Slider:
        return Keep(entry, CreateSlider(parent, bounds, Control<TTrackBar>(entry)));
    case K::Button:
        return Keep(entry,
                    CreateButton(parent, bounds, Control<TButton>(entry), entry.picture, BS_PUSHBUTTON));
    case K::DefaultButton:
        return Keep(entry,
                    CreateButton(parent, bounds, Control<TButton>(entry), entry.picture, BS_DEFPUSHBUTTON));
    case K::WrapButton:
        return Keep(entry, CreateButton(parent, bounds, Control<TButton>(entry), entry.picture,
                                        BS_PUSHBUTTON | BS_MULTILINE));
    }
    return {&entry};
}

ConfigurationWindow::Placed ConfigurationWindow::Keep(const LayoutEntry& entry,
                                                      std::unique_ptr<ControlWindow> binding) {
    Placed placed{&entry, nullptr, binding.get()};
    bindings_.push_back(std::move(binding));
    return placed;
}

// A bound group governs everything that lies inside it.
void ConfigurationWindow::ConnectGroups(const std::vector<Placed>& placed) const {
    for (const Placed& outer : placed) {
        if (!outer.group) {
            continue;
        }
        for (const Placed& inner : placed) {
            if (!Inside(*inner.entry, *outer.entry)) {
                continue;
            }
            if (inner.binding) {
                outer.group->AddMember(*inner.binding);
            } else {
                outer.group->AddMember(inner.window);
            }
        }
        outer.group->ControlChanged(outer.group->Control());
    }
}

std::unique_ptr<ControlWindow> ConfigurationWindow::CreateTabs(HWND parent, const RECT& bounds,
                                                               TPageControl& pages) {
    auto tabs = std::make_unique<PageControlWindow>(window_.Application(), pages);
    // The tabs' room around their captions, which the control keeps at its 96-dpi size otherwise:
    // set before the tabs are measured, so the focus frame clears the caption at any density.
    tabs->SetPadding(Scale(kTabPadding.x), Scale(kTabPadding.y));
    tabs->Create(parent, WC_TABCONTROLA, WS_CLIPSIBLINGS | WS_TABSTOP, 0, bounds, font_.Typed());
    const RECT area = tabs->PageArea();
    for (std::size_t i = 0; i < pages.Pages().size(); ++i) {
        std::function<void(HDC, const RECT&)> paint;
        if (static_cast<int>(i) == kAbout) {
            paint = [this](HDC dc, const RECT& client) { PaintAbout(dc, client); };
        }
        HWND page = CreatePageWindow(parent, area, std::move(paint));
        SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        pages_.push_back(page);
    }
    tabs_ = tabs.get();
    return tabs;
}

std::unique_ptr<GroupBoxWindow> ConfigurationWindow::CreateBoundGroup(HWND parent, const RECT& bounds,
                                                                      TGroupBox& group) {
    auto box = std::make_unique<GroupBoxWindow>(window_.Application(), group);
    box->Create(parent, "BUTTON", BS_GROUPBOX, 0, bounds, font_.Typed());
    return box;
}

HWND ConfigurationWindow::CreateNote(HWND parent, const RECT& bounds, const char* text) {
    HWND note = CreateStatic(parent, "EDIT", text, ES_MULTILINE | ES_READONLY, WS_EX_STATICEDGE, bounds);
    SendMessageA(note, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(Scale(3), Scale(3)));
    return note;
}

HWND ConfigurationWindow::CreatePicture(HWND parent, const RECT& bounds, int icon) {
    HWND picture = CreateStatic(parent, "STATIC", nullptr, SS_ICON | SS_REALSIZECONTROL, 0, bounds);
    icons_.emplace_back(LoadIconResource(icon, Scale(32)));
    SendMessageA(picture, STM_SETICON, reinterpret_cast<WPARAM>(icons_.back().Get()), 0);
    return picture;
}

std::unique_ptr<ControlWindow> ConfigurationWindow::CreateCheck(HWND parent, const RECT& bounds,
                                                                TCheckBox& box, const char* tooltip) {
    auto check = std::make_unique<CheckBoxWindow>(window_.Application(), box);
    check->Create(parent, "BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, bounds, font_.Typed());
    if (tooltip) {
        AddTooltip(parent, check->Hwnd(), tooltip);
    }
    return check;
}

std::unique_ptr<ControlWindow> ConfigurationWindow::CreateBoldCheck(HWND parent, const RECT& bounds,
                                                                    TCheckBox& box) {
    auto check = std::make_unique<CheckBoxWindow>(window_.Application(), box);
    const int boxWidth = Scale(18);
    RECT boxBounds = bounds;
    boxBounds.right = boxBounds.left + boxWidth;
    check->Create(parent, "BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, boxBounds, font_.Typed());
    RECT labelBounds = bounds;
    labelBounds.left += boxWidth;
    labelBounds.top += Scale(1);
    HWND label =
        CreateStatic(parent, "STATIC", box.Caption().c_str(), SS_OWNERDRAW | SS_NOTIFY, 0, labelBounds);
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.Typed()), FALSE);
    check->AttachLabel(label, RGB(0, 0, 255));
    return check;
}

std::unique_ptr<ControlWindow> ConfigurationWindow::CreateList(HWND parent, const RECT& bounds,
                                                               TComboBox& list) {
    auto combo = std::make_unique<ItemListWindow>(window_.Application(), list, ItemListWindow::kComboBox);
    combo->Create(parent, "COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, bounds, font_.Typed());
    return combo;
}

std::unique_ptr<ControlWindow> ConfigurationWindow::CreateListBox(HWND parent, const RECT& bounds,
                                                                  TListBox& list) {
    auto box = std::make_unique<ItemListWindow>(window_.Application(), list, ItemListWindow::kListBox);
    box->Create(parent, "LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                WS_EX_CLIENTEDGE, bounds, font_.Typed());
    return box;
}

std::unique_ptr<ControlWindow> ConfigurationWindow::CreateSlider(HWND parent, const RECT& bounds,
                                                                 TTrackBar& slider) {
    auto bar = std::make_unique<TrackBarWindow>(window_.Application(), slider);
    bar->Create(parent, TRACKBAR_CLASSA, TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM | WS_TABSTOP, 0, bounds,
                font_.Typed());
    return bar;
}

std::unique_ptr<ControlWindow> ConfigurationWindow::CreateButton(HWND parent, const RECT& bounds,
                                                                 TButton& button, int picture, DWORD style) {
    auto push = std::make_unique<ButtonWindow>(window_.Application(), button);
    push->Create(parent, "BUTTON", style | WS_TABSTOP, 0, bounds, font_.Typed());
    if (picture) {
        icons_.emplace_back(LoadIconResource(picture, Scale(16)));
        push->SetPicture(icons_.back().Get());
    }
    return push;
}

void ConfigurationWindow::PaintAbout(HDC dc, const RECT& client) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));

    RECT side = Scale(kSidePanel);
    if (sidePicture_) {
        StretchSidePicture(dc, side);
    }
    DrawEdge(dc, &side, BDR_SUNKENOUTER, BF_RECT);

    RECT title = Scale(kTitlePanel);
    DrawEdge(dc, &title, EDGE_ETCHED, BF_RECT);
    RECT buttons = Scale(kButtonPanel);
    DrawEdge(dc, &buttons, EDGE_ETCHED, BF_RECT);

    if (logo_) {
        DrawIconEx(dc, Scale(kLogoAt.x), Scale(kLogoAt.y), logo_.Get(), Scale(kLogoSize), Scale(kLogoSize), 0,
                   nullptr, DI_NORMAL);
    }
    DrawTitle(dc);
}

void ConfigurationWindow::StretchSidePicture(HDC dc, const RECT& side) const {
    BITMAP info = {};
    GetObjectA(sidePicture_.Get(), sizeof info, &info);
    const UniqueMemoryDc memory(CreateCompatibleDC(dc));
    const Selection picture(memory.Get(), sidePicture_.Get());
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, side.left, side.top, side.right - side.left, side.bottom - side.top, memory.Get(), 0, 0,
               info.bmWidth, info.bmHeight, SRCCOPY);
}

// The title in black over a white copy one pixel right and down: an engraved look. Where the
// face that stands in for Times New Roman is too wide for one line beside the logo, the title
// breaks between its words, centred on where the one line would sit.
void ConfigurationWindow::DrawTitle(HDC dc) const {
    const Selection font(dc, titleFont_.Get());
    SetBkMode(dc, TRANSPARENT);
    const int length = static_cast<int>(std::strlen(kTitle));
    RECT area = {Scale(kTitleAt.x), Scale(kTitleAt.y), Scale(kTitlePanel.right - kTitleMargin), 0};
    SIZE line = {};
    GetTextExtentPoint32A(dc, kTitle, length, &line);
    UINT format = DT_LEFT | DT_TOP | DT_NOPREFIX | DT_SINGLELINE;
    area.bottom = area.top + line.cy;
    if (line.cx > area.right - area.left) {
        format = DT_LEFT | DT_TOP | DT_NOPREFIX | DT_WORDBREAK;
        RECT wrapped = area;
        DrawTextA(dc, kTitle, length, &wrapped, format | DT_CALCRECT);
        const LONG height = wrapped.bottom - wrapped.top;
        area.top += (line.cy - height) / 2;
        area.bottom = area.top + height;
    }
    RECT shadow = area;
    OffsetRect(&shadow, 1, 1);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextA(dc, kTitle, length, &shadow, format);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextA(dc, kTitle, length, &area, format);
}

} // namespace gw::win32
