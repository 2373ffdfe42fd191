#include "ui/Control.h"

namespace gw {

void TControl::SetEnabled(bool enabled) {
    if (enabled_ != enabled) {
        enabled_ = enabled;
        Changed();
    }
}

void TControl::SetCaption(const std::string& caption) {
    if (caption_ != caption) {
        caption_ = caption;
        Changed();
    }
}

void TControl::SetView(View* view) {
    view_ = view;
    Changed();
}

void TControl::Changed() {
    if (view_) {
        view_->ControlChanged(*this);
    }
}

void TCheckBox::SetChecked(bool checked) {
    if (checked_ == checked) {
        return;
    }
    checked_ = checked;
    Changed();
    if (OnClick) {
        OnClick();
    }
}

void TItemList::SetItems(std::vector<std::string> items) {
    items_ = std::move(items);
    itemIndex_ = -1;
    Changed();
}

void TItemList::SetItemIndex(int index) {
    const int wanted = (index >= 0 && index < static_cast<int>(items_.size())) ? index : -1;
    if (itemIndex_ != wanted) {
        itemIndex_ = wanted;
        Changed();
    }
}

void TItemList::UserSelect(int index) {
    const int before = itemIndex_;
    SetItemIndex(index);
    if (itemIndex_ != before && OnChange) {
        OnChange();
    }
}

std::string TItemList::SelectedText() const {
    return itemIndex_ >= 0 ? items_[static_cast<std::size_t>(itemIndex_)] : std::string();
}

void TTrackBar::SetPosition(int position) {
    const int clamped = position < min_ ? min_ : (position > max_ ? max_ : position);
    if (position_ == clamped) {
        return;
    }
    position_ = clamped;
    Changed();
    if (OnChange) {
        OnChange();
    }
}

void TButton::Click() {
    if (Enabled() && OnClick) {
        OnClick();
    }
}

TPageControl::TPageControl(std::vector<std::string> pages, int activePage)
    : pages_(std::move(pages)), activePage_(activePage) {}

void TPageControl::SetActivePageIndex(int index) {
    if (index >= 0 && index < static_cast<int>(pages_.size()) && index != activePage_) {
        activePage_ = index;
        Changed();
    }
}

void TPageControl::SelectNextPage(bool forward, bool wrap) {
    const int count = static_cast<int>(pages_.size());
    if (count == 0) {
        return;
    }
    int next = activePage_ + (forward ? 1 : -1);
    if (wrap) {
        next = (next + count) % count;
    }
    SetActivePageIndex(next);
}

} // namespace gw
