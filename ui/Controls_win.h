#pragma once
// Real windows for the portable controls (ui/Control.h). Each binding creates its child window,
// mirrors the portable state into it on ControlChanged, and turns the user's input into the
// portable setters, always through TApplication::Dispatch.
//
// Notifications reach a binding through RouteControlMessage, which the parent window (the form or
// a page) calls for WM_COMMAND, WM_HSCROLL, WM_NOTIFY and WM_CTLCOLOR*: the binding is found in
// the child window's GWLP_USERDATA.

#include "ui/Application.h"
#include "ui/Control.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace gw::win32 {

class GroupBoxWindow;

class ControlWindow : public TControl::View {
public:
    ControlWindow(TApplication& application, TControl& control)
        : application_(application), control_(control) {}
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;
    ~ControlWindow() override;

    HWND Hwnd() const { return hwnd_; }
    TControl& Control() const { return control_; }

    // Creates the child window and starts mirroring the control.
    void Create(HWND parent, const char* windowClass, DWORD style, DWORD exStyle, const RECT& bounds,
                HFONT font);

    // The group box whose enabled state also governs this control (its window is disabled while
    // either is).
    void SetContainer(GroupBoxWindow* container) { container_ = container; }
    void RefreshEnabled();

    void ControlChanged(TControl& control) override;

    // Notifications from the parent window.
    virtual void OnCommand(HWND /*from*/, WORD /*code*/) {}
    virtual void OnScroll() {}
    virtual bool OnNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    // WM_CTLCOLOR*: answers the brush to paint with, or null for the default.
    virtual HBRUSH OnColor(HDC /*dc*/) { return nullptr; }
    // WM_DRAWITEM of an owner-drawn window of this binding; true when it drew.
    virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
    // The separate label window that follows the control's enabled state, if it has one.
    virtual HWND Label() const { return nullptr; }

protected:
    virtual void Sync() {}
    // Runs once the window exists, before it first mirrors the control.
    virtual void Prepare() {}
    // Registers another window (a label, say) whose notifications come to this binding.
    void Adopt(HWND window);
    void Run(const std::function<void()>& handler) { application_.Dispatch(handler); }

    TApplication& application_;
    TControl& control_;
    HWND hwnd_ = nullptr;
    GroupBoxWindow* container_ = nullptr;
    bool showCaption_ = true; // false: the caption is shown by another window
};

class CheckBoxWindow final : public ControlWindow {
public:
    CheckBoxWindow(TApplication& application, TCheckBox& box) : ControlWindow(application, box), box_(box) {}
    ~CheckBoxWindow() override;
    // A separate label next to a box without text, so that its font and colour are ours (themed
    // check boxes draw their own caption in the theme's colour). The label is an owner-drawn
    // static (SS_OWNERDRAW | SS_NOTIFY): it draws the caption and, while the box has the focus,
    // the focus frame the box cannot draw around a caption it does not have. A click on it toggles
    // the box.
    void AttachLabel(HWND label, COLORREF colour);
    HWND Label() const override { return label_; }
    void OnCommand(HWND from, WORD code) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

protected:
    void Sync() override;

private:
    static LRESULT CALLBACK BoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR self);

    TCheckBox& box_;
    HWND label_ = nullptr;
    COLORREF colour_ = 0;
};

// A drop-down list or a list box: the same items and selection, told apart by their messages.
class ItemListWindow final : public ControlWindow {
public:
    struct Messages {
        UINT reset, add, select, current; // CB_RESETCONTENT ... or LB_RESETCONTENT ...
        WORD changed;                     // CBN_SELCHANGE or LBN_SELCHANGE
    };
    static const Messages kComboBox;
    static const Messages kListBox;

    ItemListWindow(TApplication& application, TItemList& list, const Messages& messages)
        : ControlWindow(application, list), list_(list), messages_(messages) {}
    void OnCommand(HWND from, WORD code) override;

protected:
    void Sync() override;

private:
    TItemList& list_;
    const Messages& messages_;
    std::vector<std::string> shownItems_;
    bool filled_ = false;
};

class TrackBarWindow final : public ControlWindow {
public:
    TrackBarWindow(TApplication& application, TTrackBar& slider)
        : ControlWindow(application, slider), slider_(slider) {}
    void OnScroll() override;

protected:
    void Sync() override;

private:
    TTrackBar& slider_;
    bool ranged_ = false;
};

class ButtonWindow final : public ControlWindow {
public:
    ButtonWindow(TApplication& application, TButton& button)
        : ControlWindow(application, button), button_(button) {}
    void SetPicture(HICON icon); // not owned
    void OnCommand(HWND from, WORD code) override;

private:
    TButton& button_;
};

// A group box; while disabled, every window inside it is disabled as well.
class GroupBoxWindow final : public ControlWindow {
public:
    GroupBoxWindow(TApplication& application, TGroupBox& group) : ControlWindow(application, group) {}
    void AddMember(HWND window) { members_.push_back(window); }
    void AddMember(ControlWindow& control);
    bool Enabled() const { return control_.Enabled(); }

protected:
    void Sync() override;

private:
    std::vector<HWND> members_;
    std::vector<ControlWindow*> controls_;
};

// The tab strip; each page is a window of its own that is shown while its tab is selected.
class PageControlWindow final : public ControlWindow {
public:
    PageControlWindow(TApplication& application, TPageControl& pages)
        : ControlWindow(application, pages), pages_(pages) {}
    void SetPageWindows(std::vector<HWND> windows);
    // The room around each tab's caption, in pixels; before Create (the tabs are measured once).
    void SetPadding(int horizontal, int vertical) { padding_ = {horizontal, vertical}; }
    // The area the pages cover, in the parent's client coordinates.
    RECT PageArea() const;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;

protected:
    void Sync() override;
    void Prepare() override;

private:
    TPageControl& pages_;
    std::vector<HWND> pageWindows_;
    POINT padding_ = {0, 0}; // none: the control's own
    bool filled_ = false;
};

// Routes a parent's control notifications to the binding of the child concerned. Answers true
// when a binding handled the message.
bool RouteControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// A plain child window that holds the controls of one page: it paints the dialog background,
// routes its children's notifications, and may paint extra content.
HWND CreatePageWindow(HWND parent, const RECT& bounds, std::function<void(HDC, const RECT&)> paint = {});

} // namespace gw::win32
