#include "ui/Menu.h"

#include <stdexcept>

namespace gw {

void TMenuItem::SetChecked(bool checked) {
    checked_ = checked;
    if (!checked || !radioItem_ || !parent_) {
        return;
    }
    for (auto& sibling : parent_->items_) {
        if (sibling.get() != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_) {
            sibling->checked_ = false;
        }
    }
}

TMenuItem& TMenuItem::Add(std::string name, std::string caption) {
    auto item = std::make_unique<TMenuItem>(std::move(name), std::move(caption));
    item->parent_ = this;
    items_.push_back(std::move(item));
    return *items_.back();
}

TMenuItem* TMenuItem::Find(const std::string& name) {
    if (name_ == name) {
        return this;
    }
    for (auto& item : items_) {
        if (TMenuItem* found = item->Find(name)) {
            return found;
        }
    }
    return nullptr;
}

TMenuItem& TMenuItem::Named(const std::string& name) {
    TMenuItem* item = Find(name);
    if (!item) {
        throw std::out_of_range("no menu item named " + name);
    }
    return *item;
}

void TMenuItem::Click() {
    if (enabled_ && OnClick) {
        OnClick(*this);
    }
}

void TPopupMenu::Popup(Point at) {
    if (view_) {
        view_->Popup(*this, at);
    }
}

} // namespace gw
