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
#include <vector>

namespace gw::win32 {

enum class LayoutKind {
    Tabs,      // the page control (form only)
    Group,     // a group box with its caption
    Label,     // plain text
    Note,      // a sunken, read-only explanatory text
    Picture,   // a 32 x 32 icon
    Check,     // check box
    BoldCheck, // check box with its caption in bold blue beside it
    List,      // drop-down list
    Slider,    // horizontal slider
    Button,    // push button, with a picture when `picture` is set
};

inline constexpr int kOnForm = -1;  // page index of the items that sit on the form itself

struct LayoutEntry {
    int page;            // kOnForm, or 0..3 for Scroll, Tools, PopDesk, About
    LayoutKind kind;
    int x, y, width, height;
    const char* control;  // name of the bound TMainForm control; null for static items
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

private:
    int Scale(int value) const { return MulDiv(value, dpi_, 96); }
    RECT Bounds(const LayoutEntry& entry) const;
    void Build();
    HWND CreateStatic(HWND parent, const char* windowClass, const char* text, DWORD style, DWORD exStyle,
                      const RECT& bounds);
    void AddTooltip(HWND parent, HWND control, const char* text);
    void PaintAbout(HDC dc, const RECT& client);

    FormWindow& window_;
    TMainForm& form_;
    int dpi_;
    UniqueFont font_;
    UniqueFont boldFont_;
    UniqueFont titleFont_;
    UniqueBitmap sidePicture_;
    UniqueIcon logo_;
    std::vector<UniqueIcon> icons_;
    HWND tooltips_ = nullptr;
    std::vector<HWND> pages_;
    std::vector<std::unique_ptr<ControlWindow>> bindings_;
};

} // namespace gw::win32
