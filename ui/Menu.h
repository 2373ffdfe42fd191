#pragma once
// Popup menus as a tree of portable items. The Win32 side builds the real menu from this tree each
// time it opens (so no per-item View is needed) and calls Click() on the item the user chose. A
// menu that is known in advance is written down as a table of MenuRow and built by AddMenuRows.

#include "shared/Handle.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace gw {

class TMenuItem {
public:
    TMenuItem(std::string name, std::string caption) : name_(std::move(name)), caption_(std::move(caption)) {}
    TMenuItem(const TMenuItem&) = delete;
    TMenuItem& operator=(const TMenuItem&) = delete;

    const std::string& Name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    bool IsSeparator() const { return caption_ == "-"; }

    bool Checked() const { return checked_; }
    // Checking a radio item unchecks the other radio items of its group under the same parent.
    void SetChecked(bool checked);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }

    bool RadioItem() const { return radioItem_; }
    int GroupIndex() const { return groupIndex_; }
    void SetRadioGroup(int groupIndex) {
        radioItem_ = true;
        groupIndex_ = groupIndex;
    }

    // The default item of its menu, shown bold.
    bool Default() const { return default_; }
    void SetDefault(bool isDefault) { default_ = isDefault; }

    int ImageIndex() const { return imageIndex_; } // -1: no picture
    void SetImageIndex(int index) { imageIndex_ = index; }

    TMenuItem* Parent() const { return parent_; }
    std::size_t Count() const { return items_.size(); }
    TMenuItem& Item(std::size_t index) const { return *items_.at(index); }
    // Appends a new item (created at run time with its component name) and answers it.
    TMenuItem& Add(std::string name, std::string caption);
    // This item or the first one below it with that component name; null when none.
    TMenuItem* Find(const std::string& name);
    // The same for an item that must be there: a missing one is a fault of the program and
    // raises std::out_of_range.
    TMenuItem& Named(const std::string& name);

    // Runs with the chosen item as sender; clearing it removes the handler.
    std::function<void(TMenuItem& sender)> OnClick;
    // The user chose this item: runs OnClick while the item is enabled.
    void Click();

private:
    std::string name_;
    std::string caption_;
    bool checked_ = false;
    bool enabled_ = true;
    bool radioItem_ = false;
    int groupIndex_ = 0;
    bool default_ = false;
    int imageIndex_ = -1;
    TMenuItem* parent_ = nullptr;
    std::vector<std::unique_ptr<TMenuItem>> items_;
};

// One item of a menu table. Rows come in menu order; a row under a submenu names its parent,
// which an earlier row made. Owner is the object whose handlers the items run.
template <class Owner> struct MenuRow {
    const char* Parent; // component name of the parent item; null: the menu itself
    const char* Name;
    const char* Caption; // "-": a separator
    int ImageIndex = -1;
    void (*Click)(Owner& owner, TMenuItem& sender) = nullptr;
    int RadioGroup = 0;   // 0: not a radio item
    bool Default = false; // the default item of its menu, shown bold
    bool Checked = false;
};

// Appends the rows' items under root, each with its picture, radio group, default and check
// state, and with a click handler that runs Click on owner.
template <class Owner> void AddMenuRows(TMenuItem& root, std::span<const MenuRow<Owner>> rows, Owner& owner) {
    for (const MenuRow<Owner>& row : rows) {
        TMenuItem& item = (row.Parent ? root.Named(row.Parent) : root).Add(row.Name, row.Caption);
        item.SetImageIndex(row.ImageIndex);
        if (row.RadioGroup != 0) {
            item.SetRadioGroup(row.RadioGroup);
        }
        item.SetDefault(row.Default);
        item.SetChecked(row.Checked);
        if (row.Click) {
            item.OnClick = [&owner, click = row.Click](TMenuItem& sender) { click(owner, sender); };
        }
    }
}

class TImageList;

class TPopupMenu {
public:
    class View {
    public:
        virtual ~View() = default;
        // Show the menu at a screen position and return once it has closed (the chosen item's
        // Click() has run by then).
        virtual void Popup(TPopupMenu& menu, Point at) = 0;
    };

    explicit TPopupMenu(std::string name) : Items(std::move(name), "") {}
    // A menu built from its table.
    template <class Owner>
    TPopupMenu(std::string name, std::span<const MenuRow<Owner>> rows, Owner& owner)
        : TPopupMenu(std::move(name)) {
        AddMenuRows(Items, rows, owner);
    }
    TPopupMenu(const TPopupMenu&) = delete;
    TPopupMenu& operator=(const TPopupMenu&) = delete;

    TMenuItem Items;              // the root: its children are the menu's items
    TImageList* Images = nullptr; // pictures by ImageIndex

    void Popup(Point at);
    void SetView(View* view) { view_ = view; }

private:
    View* view_ = nullptr;
};

} // namespace gw
