#include "popdesk/DesktopMenu.h"

namespace gw {

bool TDesktopMenu::RemoveFirst() {
    if (entries_.empty()) {
        return false;
    }
    entries_.erase(entries_.begin());
    return true;
}

void TDesktopMenu::Popup(Point at) {
    if (view_) {
        view_->Popup(*this, at);
    }
}

void TDesktopMenu::NotifyPopup() {
    if (OnPopup) {
        OnPopup();
    }
}

void TDesktopMenu::Click(std::size_t index) {
    if (index < entries_.size() && OnClick) {
        // A copy: the handler may be the one that empties the menu.
        const std::string name = entries_[index].Name;
        OnClick(name);
    }
}

} // namespace gw
