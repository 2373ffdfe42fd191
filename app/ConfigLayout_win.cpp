#include "app/ConfigLayout_win.h"

#include "resources/resource.h"
#include "resources/version.h"

#include <commctrl.h>

#include <array>
#include <cstring>
#include <utility>

namespace gw::win32 {

namespace {

constexpr int kScroll = 0;
constexpr int kTools = 1;
constexpr int kPopDesk = 2;
constexpr int kAbout = 3;

using K = LayoutKind;

constexpr char kScrollNote[] =
    "    Classic: click activate key and drag the mouse to scroll.\r\n"
    "    Toggle: click activate key but not need hold.\r\n"
    "    Auto scroll: not need move mouse while scrolling.\r\n"
    "    Move scroll: only scroll while moving the mouse.";
constexpr char kPopDeskNote[] =
    "  We always need to minimize all the windows to access the desktop.\r\n"
    "  Now you can set 'Active when mouse at left top corner of the screen', and wait 100 millisecs, move mouse "
    "to the left top corner and wait 100 millisecs, then will popup a menu which contains all the links or "
    "shortcuts on the desktop, so you can get network neighborhood or execute a program which on the desktop more "
    "quickly.";

// Pages are 479 x 282 at 96 dpi; everything keeps 8 pixels from their edges.
constexpr LayoutEntry kLayout[] = {
    // The form: the page control and the button row, right-aligned under it.
    {kOnForm, K::Tabs, 8, 8, 487, 312, "PageControl", nullptr, 0},

    // Scroll
    {kScroll, K::Group, 8, 4, 463, 150, nullptr, " Scroll ", 0},
    {kScroll, K::Picture, 20, 26, 32, 32, nullptr, nullptr, IDI_GROUP_SCROLL},
    {kScroll, K::Check, 64, 22, 180, 18, "CheckBox_GP", nullptr, 0},
    {kScroll, K::Label, 64, 56, 84, 14, nullptr, "Activate Mode:", 0},
    {kScroll, K::List, 150, 52, 110, 200, "Combo_KZFS", nullptr, 0},
    {kScroll, K::Label, 64, 88, 84, 14, nullptr, "Scroll Mode:", 0},
    {kScroll, K::List, 150, 84, 110, 200, "Combo_GPFS", nullptr, 0},
    {kScroll, K::Label, 64, 120, 84, 14, nullptr, "Activate Key:", 0},
    {kScroll, K::List, 150, 116, 110, 200, "ComboBox_aj", nullptr, 0},
    {kScroll, K::Note, 272, 22, 187, 122, nullptr, kScrollNote, 0},
    {kScroll, K::Group, 8, 160, 196, 114, nullptr, " Options of Move Scroll  ", 0},
    {kScroll, K::Check, 20, 182, 176, 18, "CheckBox_lock", "Lock mouse cursor while scrolling", 0},
    {kScroll, K::Check, 20, 208, 176, 18, "CheckBox_back", "Move cursor back when scroll ended", 0},
    {kScroll, K::Check, 20, 234, 176, 18, "CheckBox_Inverse", "Inverse scroll direction", 0},
    {kScroll, K::Group, 212, 160, 259, 114, nullptr, " Speed of Auto Scroll ", 0},
    {kScroll, K::Label, 224, 180, 120, 14, nullptr, "Horizontal:", 0},
    {kScroll, K::Slider, 218, 194, 247, 28, "TrackBar_hx", nullptr, 0},
    {kScroll, K::Label, 224, 226, 120, 14, nullptr, "Vertical:", 0},
    {kScroll, K::Slider, 218, 240, 247, 28, "TrackBar_zx", nullptr, 0},

    // Tools
    {kTools, K::Group, 8, 4, 463, 86, nullptr, " Swap Left/Right Button ", 0},
    {kTools, K::Picture, 20, 30, 32, 32, nullptr, nullptr, IDI_GROUP_SWAP},
    {kTools, K::Check, 64, 22, 300, 18, "Check_zhlrj", nullptr, 0},
    {kTools, K::Note, 64, 46, 395, 34, nullptr,
     "The swap button feature will help left-handed user to use the mouse more comfortably.", 0},
    {kTools, K::Group, 8, 96, 463, 86, nullptr, " Hide Cursor ", 0},
    {kTools, K::Picture, 20, 122, 32, 32, nullptr, nullptr, IDI_GROUP_HIDE},
    {kTools, K::Check, 64, 114, 300, 18, "Check_ctype", nullptr, 0},
    {kTools, K::Note, 64, 138, 395, 34, nullptr,
     "Hide mouse cursor while typing, in case the cursor obstruct the text you are typing. ", 0},
    {kTools, K::Group, 8, 188, 463, 86, nullptr, " Directly Button ", 0},
    {kTools, K::Picture, 20, 214, 32, 32, nullptr, nullptr, IDI_GROUP_DEFAULT},
    {kTools, K::Check, 64, 206, 300, 18, "Check_dwan", nullptr, 0},
    {kTools, K::Note, 64, 230, 395, 34, nullptr,
     "Move the mouse to default button directly when open a new dialog window.", 0},

    // PopDesk
    {kPopDesk, K::Picture, 16, 8, 32, 32, nullptr, nullptr, IDI_GROUP_POPDESK},
    {kPopDesk, K::Note, 60, 8, 411, 22, nullptr,
     "PopDesk gives you a more quick and easy way to access desktop links.", 0},
    {kPopDesk, K::Note, 60, 36, 411, 108, nullptr, kPopDeskNote, 0},
    {kPopDesk, K::Check, 16, 154, 300, 18, "chb_deskpop", nullptr, 0},
    {kPopDesk, K::Group, 8, 180, 463, 94, "GroupBox4", nullptr, 0},
    {kPopDesk, K::Label, 24, 208, 130, 14, nullptr, "Active when mouse is at:", 0},
    {kPopDesk, K::List, 160, 204, 220, 200, "cb_deskactive", nullptr, 0},
    {kPopDesk, K::Label, 24, 242, 32, 14, nullptr, "Wait", 0},
    {kPopDesk, K::List, 58, 238, 70, 200, "cb_desktoptime", nullptr, 0},
    {kPopDesk, K::Label, 136, 242, 300, 14, nullptr, "milliseconds before showing popdesk menu.", 0},

    // About: three panels painted by the page (picture, logo and title), with the controls on top.
    {kAbout, K::Button, 184, 190, 136, 30, "Btn_Visit", nullptr, IDI_BUTTON_VISIT},
    {kAbout, K::Button, 330, 190, 126, 30, "Btn_mail", nullptr, IDI_BUTTON_MAIL},
    {kAbout, K::BoldCheck, 184, 238, 280, 18, "Check_autorun", nullptr, 0},

    // The button row.
    {kOnForm, K::Button, 141, 328, 84, 26, "BitBtn_ok", nullptr, IDI_BUTTON_OK},
    {kOnForm, K::Button, 231, 328, 84, 26, "BitBtn_Cancel", nullptr, IDI_BUTTON_CANCEL},
    {kOnForm, K::Button, 321, 328, 84, 26, "BitBtn_Apply", nullptr, IDI_BUTTON_APPLY},
    {kOnForm, K::Button, 411, 328, 84, 26, "Btn_help", nullptr, IDI_BUTTON_HELP},
};

// About page panels, in page coordinates: the tall picture, the logo and title, the buttons.
constexpr RECT kSidePanel = {8, 4, 158, 274};
constexpr RECT kTitlePanel = {166, 4, 471, 160};
constexpr RECT kButtonPanel = {166, 168, 471, 274};
constexpr POINT kLogoAt = {182, 40};
constexpr int kLogoSize = 83;
constexpr POINT kTitleAt = {278, 72};
constexpr char kTitle[] = "Glidewing Version " GW_VERSION_TEXT;

TControl* ControlNamed(TMainForm& form, const char* name) {
    const std::pair<const char*, TControl*> controls[] = {
        {"PageControl", &form.PageControl},     {"CheckBox_GP", &form.CheckBox_GP},
        {"Combo_KZFS", &form.Combo_KZFS},       {"Combo_GPFS", &form.Combo_GPFS},
        {"ComboBox_aj", &form.ComboBox_aj},     {"CheckBox_lock", &form.CheckBox_lock},
        {"CheckBox_back", &form.CheckBox_back}, {"CheckBox_Inverse", &form.CheckBox_Inverse},
        {"TrackBar_hx", &form.TrackBar_hx},     {"TrackBar_zx", &form.TrackBar_zx},
        {"Check_zhlrj", &form.Check_zhlrj},     {"Check_ctype", &form.Check_ctype},
        {"Check_dwan", &form.Check_dwan},       {"chb_deskpop", &form.chb_deskpop},
        {"GroupBox4", &form.GroupBox4},         {"cb_deskactive", &form.cb_deskactive},
        {"cb_desktoptime", &form.cb_desktoptime}, {"Check_autorun", &form.Check_autorun},
        {"BitBtn_ok", &form.BitBtn_ok},         {"BitBtn_Cancel", &form.BitBtn_Cancel},
        {"BitBtn_Apply", &form.BitBtn_Apply},   {"Btn_help", &form.Btn_help},
        {"Btn_Visit", &form.Btn_Visit},         {"Btn_mail", &form.Btn_mail},
    };
    for (const auto& [controlName, control] : controls) {
        if (std::strcmp(controlName, name) == 0) {
            return control;
        }
    }
    return nullptr;
}

bool Inside(const LayoutEntry& inner, const LayoutEntry& outer) {
    return inner.page == outer.page && &inner != &outer && inner.x >= outer.x && inner.y >= outer.y &&
           inner.x + inner.width <= outer.x + outer.width && inner.y < outer.y + outer.height;
}

UniqueFont MessageFont(int weight, int dpi) {
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    LOGFONTA font = {};
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        font = metrics.lfMessageFont;
    } else {
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    }
    if (font.lfHeight == 0) {
        font.lfHeight = -MulDiv(8, dpi, 72);
    }
    font.lfWeight = weight;
    return UniqueFont(CreateFontIndirectA(&font));
}

} // namespace

std::span<const LayoutEntry> ConfigurationLayout() { return kLayout; }

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
    sidePicture_.Reset(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_ABOUT_SIDE), IMAGE_BITMAP, 0, 0,
                                  LR_CREATEDIBSECTION));
    logo_.Reset(LoadIconResource(IDI_ABOUT_LOGO, Scale(kLogoSize)));
    Build();
}

ConfigurationWindow::~ConfigurationWindow() {
    bindings_.clear();  // detach the views before the windows go
}

RECT ConfigurationWindow::Bounds(const LayoutEntry& entry) const {
    return RECT{Scale(entry.x), Scale(entry.y), Scale(entry.x + entry.width), Scale(entry.y + entry.height)};
}

HWND ConfigurationWindow::CreateStatic(HWND parent, const char* windowClass, const char* text, DWORD style,
                                       DWORD exStyle, const RECT& bounds) {
    HWND control = CreateWindowExA(exStyle, windowClass, text ? text : "", WS_CHILD | WS_VISIBLE | style, bounds.left,
                                   bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Typed()), FALSE);
    return control;
}

void ConfigurationWindow::AddTooltip(HWND parent, HWND control, const char* text) {
    if (!tooltips_) {
        tooltips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_.Hwnd(), nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
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
    HWND form = window_.Hwnd();
    std::vector<std::pair<const LayoutEntry*, HWND>> created;           // static windows
    std::vector<std::pair<const LayoutEntry*, ControlWindow*>> bound;  // bound controls
    PageControlWindow* tabs = nullptr;

    for (const LayoutEntry& entry : kLayout) {
        HWND parent = entry.page == kOnForm ? form : pages_.at(static_cast<std::size_t>(entry.page));
        const RECT bounds = Bounds(entry);
        TControl* control = entry.control ? ControlNamed(form_, entry.control) : nullptr;
        std::unique_ptr<ControlWindow> binding;

        switch (entry.kind) {
        case K::Tabs: {
            auto pageControl = std::make_unique<PageControlWindow>(window_.Application(), form_.PageControl);
            pageControl->Create(parent, WC_TABCONTROLA, WS_CLIPSIBLINGS | WS_TABSTOP, 0, bounds, font_.Typed());
            const RECT area = pageControl->PageArea();
            for (std::size_t i = 0; i < form_.PageControl.Pages().size(); ++i) {
                std::function<void(HDC, const RECT&)> paint;
                if (static_cast<int>(i) == kAbout) {
                    paint = [this](HDC dc, const RECT& client) { PaintAbout(dc, client); };
                }
                HWND page = CreatePageWindow(form, area, std::move(paint));
                SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                pages_.push_back(page);
            }
            tabs = pageControl.get();
            binding = std::move(pageControl);
            break;
        }
        case K::Group:
            if (control) {
                binding = std::make_unique<GroupBoxWindow>(window_.Application(), static_cast<TGroupBox&>(*control));
                binding->Create(parent, "BUTTON", BS_GROUPBOX, 0, bounds, font_.Typed());
            } else {
                created.emplace_back(&entry, CreateStatic(parent, "BUTTON", entry.text, BS_GROUPBOX, 0, bounds));
            }
            break;
        case K::Label:
            created.emplace_back(&entry, CreateStatic(parent, "STATIC", entry.text, SS_LEFT | SS_NOPREFIX, 0, bounds));
            break;
        case K::Note: {
            HWND note = CreateStatic(parent, "EDIT", entry.text, ES_MULTILINE | ES_READONLY, WS_EX_STATICEDGE, bounds);
            SendMessageA(note, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(Scale(3), Scale(3)));
            created.emplace_back(&entry, note);
            break;
        }
        case K::Picture: {
            HWND picture = CreateStatic(parent, "STATIC", nullptr, SS_ICON | SS_REALSIZECONTROL, 0, bounds);
            icons_.emplace_back(LoadIconResource(entry.picture, Scale(32)));
            SendMessageA(picture, STM_SETICON, reinterpret_cast<WPARAM>(icons_.back().Get()), 0);
            created.emplace_back(&entry, picture);
            break;
        }
        case K::Check:
            binding = std::make_unique<CheckBoxWindow>(window_.Application(), static_cast<TCheckBox&>(*control));
            binding->Create(parent, "BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, bounds, font_.Typed());
            if (entry.text) {
                AddTooltip(parent, binding->Hwnd(), entry.text);
            }
            break;
        case K::BoldCheck: {
            auto box = std::make_unique<CheckBoxWindow>(window_.Application(), static_cast<TCheckBox&>(*control));
            const int boxWidth = Scale(18);
            RECT boxBounds = bounds;
            boxBounds.right = boxBounds.left + boxWidth;
            box->Create(parent, "BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, boxBounds, font_.Typed());
            RECT labelBounds = bounds;
            labelBounds.left += boxWidth;
            labelBounds.top += Scale(1);
            HWND label = CreateStatic(parent, "STATIC", control->Caption().c_str(), SS_LEFT | SS_NOPREFIX | SS_NOTIFY,
                                      0, labelBounds);
            SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.Typed()), FALSE);
            box->AttachLabel(label, RGB(0, 0, 255));
            binding = std::move(box);
            break;
        }
        case K::List:
            binding = std::make_unique<ComboBoxWindow>(window_.Application(), static_cast<TComboBox&>(*control));
            binding->Create(parent, "COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, bounds, font_.Typed());
            break;
        case K::Slider:
            binding = std::make_unique<TrackBarWindow>(window_.Application(), static_cast<TTrackBar&>(*control));
            binding->Create(parent, TRACKBAR_CLASSA, TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM | WS_TABSTOP, 0, bounds,
                            font_.Typed());
            break;
        case K::Button: {
            auto button = std::make_unique<ButtonWindow>(window_.Application(), static_cast<TButton&>(*control));
            const DWORD style = std::strcmp(entry.control, "BitBtn_ok") == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
            button->Create(parent, "BUTTON", style | WS_TABSTOP, 0, bounds, font_.Typed());
            if (entry.picture) {
                icons_.emplace_back(LoadIconResource(entry.picture, Scale(16)));
                button->SetPicture(icons_.back().Get());
            }
            binding = std::move(button);
            break;
        }
        }
        if (binding) {
            bound.emplace_back(&entry, binding.get());
            bindings_.push_back(std::move(binding));
        }
    }

    // A bound group governs everything that lies inside it.
    for (auto& [groupEntry, groupBinding] : bound) {
        auto* group = dynamic_cast<GroupBoxWindow*>(groupBinding);
        if (!group) {
            continue;
        }
        for (auto& [entry, window] : created) {
            if (Inside(*entry, *groupEntry)) {
                group->AddMember(window);
            }
        }
        for (auto& [entry, control] : bound) {
            if (Inside(*entry, *groupEntry)) {
                group->AddMember(*control);
            }
        }
        group->ControlChanged(group->Control());
    }
    if (tabs) {
        tabs->SetPageWindows(pages_);
    }
}

void ConfigurationWindow::PaintAbout(HDC dc, const RECT& client) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    auto scaled = [this](const RECT& r) { return RECT{Scale(r.left), Scale(r.top), Scale(r.right), Scale(r.bottom)}; };

    RECT side = scaled(kSidePanel);
    if (sidePicture_) {
        BITMAP info = {};
        GetObjectA(sidePicture_.Get(), sizeof info, &info);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, sidePicture_.Get());
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, side.left, side.top, side.right - side.left, side.bottom - side.top, memory, 0, 0, info.bmWidth,
                   info.bmHeight, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    DrawEdge(dc, &side, BDR_SUNKENOUTER, BF_RECT);

    RECT title = scaled(kTitlePanel);
    DrawEdge(dc, &title, EDGE_ETCHED, BF_RECT);
    RECT buttons = scaled(kButtonPanel);
    DrawEdge(dc, &buttons, EDGE_ETCHED, BF_RECT);

    if (logo_) {
        DrawIconEx(dc, Scale(kLogoAt.x), Scale(kLogoAt.y), logo_.Get(), Scale(kLogoSize), Scale(kLogoSize), 0, nullptr,
                   DI_NORMAL);
    }
    // The title in black over a white copy one pixel right and down: an engraved look.
    HGDIOBJ oldFont = SelectObject(dc, titleFont_.Get());
    SetBkMode(dc, TRANSPARENT);
    const int length = static_cast<int>(std::strlen(kTitle));
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, Scale(kTitleAt.x) + 1, Scale(kTitleAt.y) + 1, kTitle, length);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, Scale(kTitleAt.x), Scale(kTitleAt.y), kTitle, length);
    SelectObject(dc, oldFont);
}

} // namespace gw::win32
