#pragma once
// Portable state of the configuration window's controls. Each control holds its value and fires
// its change handler when the value really changes, whether the user or the program changed it
// (lists are the exception: only a change by the user fires OnChange, as the program sets list
// positions silently). The Win32 side attaches a View to mirror the state into a real window and
// reports the user's changes back through the same setters (see ui/README.md).

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace gw {

class TControl {
public:
    // The Win32 side listens to state changes; absent in unit tests.
    class View {
    public:
        virtual ~View() = default;
        virtual void ControlChanged(TControl& control) = 0;
    };

    TControl() = default;
    explicit TControl(std::string caption) : caption_(std::move(caption)) {}
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;
    virtual ~TControl() = default;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    void SetView(View* view);

protected:
    void Changed();

private:
    std::string caption_;
    bool enabled_ = true;
    View* view_ = nullptr;
};

class TCheckBox : public TControl {
public:
    using TControl::TControl;

    bool Checked() const { return checked_; }
    // Fires OnClick when the state changes (from the program or from a click in the window).
    void SetChecked(bool checked);

    std::function<void()> OnClick;

private:
    bool checked_ = false;
};

// Items with one selected position; -1 is no selection. The base of the drop-down list and the
// list box.
class TItemList : public TControl {
public:
    using TControl::TControl;

    const std::vector<std::string>& Items() const { return items_; }
    void SetItems(std::vector<std::string> items); // clears the selection

    int ItemIndex() const { return itemIndex_; }
    // The program's setter: a position outside the list gives no selection; no handler runs.
    void SetItemIndex(int index);
    // The user picked an item in the window: as SetItemIndex, then OnChange if it changed.
    void UserSelect(int index);
    // Text of the selected item; empty with no selection.
    std::string SelectedText() const;

    std::function<void()> OnChange;

private:
    std::vector<std::string> items_;
    int itemIndex_ = -1;
};

// A drop-down list.
class TComboBox : public TItemList {
public:
    using TItemList::TItemList;
};

// A list that stays open.
class TListBox : public TItemList {
public:
    using TItemList::TItemList;
};

class TTrackBar : public TControl {
public:
    TTrackBar(int min, int max) : min_(min), max_(max), position_(min) {}

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    // Clamped to Min..Max; fires OnChange when the clamped position differs.
    void SetPosition(int position);

    std::function<void()> OnChange;

private:
    int min_;
    int max_;
    int position_;
};

class TButton : public TControl {
public:
    using TControl::TControl;

    // A press of the button (by the user or by the program): runs OnClick while enabled.
    void Click();

    std::function<void()> OnClick;
};

class TGroupBox : public TControl {
public:
    using TControl::TControl;
};

class TPageControl : public TControl {
public:
    explicit TPageControl(std::vector<std::string> pages, int activePage = 0);

    const std::vector<std::string>& Pages() const { return pages_; }
    int ActivePageIndex() const { return activePage_; }
    // The program or the user's tab click; an index outside the pages is ignored.
    void SetActivePageIndex(int index);
    // The page after (or before) the active one: from the last to the first and back round when
    // wrapping (Ctrl+Tab), else no further than the ends (the arrow keys on the tabs).
    void SelectNextPage(bool forward, bool wrap);

private:
    std::vector<std::string> pages_;
    int activePage_;
};

} // namespace gw
