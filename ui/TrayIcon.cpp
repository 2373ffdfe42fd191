#include "ui/TrayIcon.h"

#include "ui/Menu.h"

namespace gw {

void TTrayIcon::SetHint(const std::string& hint) {
    if (hint_ != hint) {
        hint_ = hint;
        Changed();
    }
}

void TTrayIcon::SetIconIndex(int index) {
    if (iconIndex_ != index) {
        iconIndex_ = index;
        Changed();
    }
}

void TTrayIcon::SetVisible(bool visible) {
    if (visible_ != visible) {
        visible_ = visible;
        Changed();
    }
}

void TTrayIcon::MouseDown(TMouseButton button, std::uint32_t shift, Point at) {
    if (OnMouseDown) {
        OnMouseDown(button, shift, at);
    }
    if (button == TMouseButton::Right && PopupMenu) {
        PopupMenu->Popup(at);
    }
}

void TTrayIcon::DblClick() {
    if (OnDblClick) {
        OnDblClick();
    }
}

void TTrayIcon::SetView(View* view) {
    view_ = view;
    Changed();
}

void TTrayIcon::Changed() {
    if (view_) {
        view_->TrayIconChanged(*this);
    }
}

} // namespace gw
