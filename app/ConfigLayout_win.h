#pragma once
// The configuration window's contents as data: one table of every tab, group, label, text,
// picture and control (in 96-dpi pixels), and the one function that builds real windows from it
// and binds them to TMainForm's controls.

#include "app/MainForm.h"
#include "ui/Controls_win.h"
#include "ui/FormWindow_win.h"
#include "ui/Gdi_win.h"

#include <memory>
#include <span>
#include <variant>
#include <vector>

namespace gw::win32 {

enum class LayoutKind {
    Tabs,          // the page control (form only)
    Group,         // a group box with its caption
    BoundGroup,    // a group box bound to a control: what lies inside it follows its enabled state
    Label,         // plain text
    Note,          // a sunken, read-only explanatory text
    Picture,       // a 32 x 32 icon
    Check,         // check box
    BoldCheck,     // check box with its caption in bold blue beside it
    List,          // drop-down list
    ListBox,       // a list that stays open
    Slider,        // horizontal slider
    Button,        // push button, with a picture when `picture` is set
    DefaultButton, // the same, pressed by Enter
    WrapButton,    // push button whose caption may take two lines
};

inline constexpr int kOnForm = -1; // page index of the items that sit on the form itself

// The TMainForm control an item binds, as a pointer to the member: a misspelt name does not
// compile, and the member's type decides which window binds it.
using BoundControl =
    std::variant<std::monostate, TPageControl TMainForm::*, TGroupBox TMainForm::*, TCheckBox TMainForm::*,
                 TComboBox TMainForm::*, TListBox TMainForm::*, TTrackBar TMainForm::*, TButton TMainForm::*>;

struct LayoutEntry {
    int page; // kOnForm, or 0..4 for Scroll, Tools, PopDesk, Applications, About
    LayoutKind kind;
    int x, y, width, height;
    BoundControl control; // empty for static items
    const char* text;     // text of a static item, or a tooltip for a control
    int picture;          // icon resource id, or 0
};

// The whole window, in creation (and tab) order.
std::span<const LayoutEntry> ConfigurationLayout();

// Client size of the configuration window, in 96-dpi pixels.
inline constexpr int kConfigClientWidth = 503;
inline constexpr int kConfigClientHeight = 361;

// The built window: holds the bindings, fonts and pictures for the window's lifetime.
class ConfigurationWindow {
public:
    ConfigurationWindow(FormWindow& window, TMainForm& form, int dpi);
    ConfigurationWindow(const ConfigurationWindow&) = delete;
    ConfigurationWindow& operator=(const ConfigurationWindow&) = delete;
    ~ConfigurationWindow();

    HWND Window() const { return window_.Hwnd(); }
    int Dpi() const { return dpi_; }
    // The control whose window (or label) has the keyboard focus; null when none of them has it.
    TControl* FocusedControl() const;
    // Gives the keyboard focus to that control's window; to the tab strip for one not here.
    void Focus(const TControl* control) const;
    HWND TabStrip() const;
    // Tab and Shift+Tab: the next (or previous) control in the order of the layout table, which
    // is a property sheet's: the tab strip, the controls of the page shown, the button row; round
    // from the last to the first. Only shown, enabled controls that take the focus count.
    void MoveFocus(bool forward) const;
    // After a page change: a focus left on the page now hidden moves to the first control of the
    // page shown (the tab strip when it has none).
    void KeepFocusOnShownPage() const;

private:
    // One item of the layout once it is on screen: a plain window or a binding.
    struct Placed {
        const LayoutEntry* entry;
        HWND window = nullptr;            // a static item
        ControlWindow* binding = nullptr; // a bound control
        GroupBoxWindow* group = nullptr;  // a bound group box, also in binding
    };

    int Scale(int value) const { return MulDiv(value, dpi_, 96); }
    RECT Scale(const RECT& r) const {
        return RECT{Scale(r.left), Scale(r.top), Scale(r.right), Scale(r.bottom)};
    }
    RECT Bounds(const LayoutEntry& entry) const;
    // Where each item goes: the table's place, except that a label wider than its place under the
    // system's font widens and moves the items beside it along.
    std::vector<RECT> MeasuredBounds() const;
    // A note whose text needs more lines than it has room for grows into the note below it.
    void FitNotes(const std::vector<Placed>& placed) const;
    template <class T> T& Control(const LayoutEntry& entry) const {
        return form_.*std::get<T TMainForm::*>(entry.control);
    }

    void Build();
    Placed Place(const LayoutEntry& entry, const RECT& bounds);
    Placed Keep(const LayoutEntry& entry, std::unique_ptr<ControlWindow> binding);
    void ConnectGroups(const std::vector<Placed>& placed) const;

    // One per layout kind; each answers the new window or its binding.
    std::unique_ptr<ControlWindow> CreateTabs(HWND parent, const RECT& bounds, TPageControl& pages);
    std::unique_ptr<GroupBoxWindow> CreateBoundGroup(HWND parent, const RECT& bounds, TGroupBox& group);
    HWND CreateNote(HWND parent, const RECT& bounds, const char* text);
    HWND CreatePicture(HWND parent, const RECT& bounds, int icon);
    std::unique_ptr<ControlWindow> CreateCheck(HWND parent, const RECT& bounds, TCheckBox& box,
                                               const char* tooltip);
    std::unique_ptr<ControlWindow> CreateBoldCheck(HWND parent, const RECT& bounds, TCheckBox& box);
    std::unique_ptr<ControlWindow> CreateList(HWND parent, const RECT& bounds, TComboBox& list);
    std::unique_ptr<ControlWindow> CreateListBox(HWND parent, const RECT& bounds, TListBox& list);
    std::unique_ptr<ControlWindow> CreateSlider(HWND parent, const RECT& bounds, TTrackBar& slider);
    std::unique_ptr<ControlWindow> CreateButton(HWND parent, const RECT& bounds, TButton& button, int picture,
                                                DWORD style);
    HWND CreateStatic(HWND parent, const char* windowClass, const char* text, DWORD style, DWORD exStyle,
                      const RECT& bounds);
    void AddTooltip(HWND parent, HWND control, const char* text);

    void PaintAbout(HDC dc, const RECT& client);
    void StretchSidePicture(HDC dc, const RECT& side) const;
    void DrawTitle(HDC dc) const;

    FormWindow& window_;
    TMainForm& form_;
    int dpi_;
    UniqueFont font_;
    UniqueFont boldFont_;
    UniqueFont titleFont_;
    UniqueBitmap sidePicture_;
    UniqueIcon logo_;
    std::vector<UniqueIcon> icons_;
    HWND tooltips_ = nullptr;        // destroyed with this object
    std::vector<HWND> formChildren_; // what this object put on the form, destroyed with it
    std::vector<HWND> pages_;
    PageControlWindow* tabs_ = nullptr;
    std::vector<std::unique_ptr<ControlWindow>> bindings_;
};

} // namespace gw::win32
