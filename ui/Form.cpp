#include "ui/Form.h"

namespace gw {

void TForm::SetCaption(const std::string& caption) {
    if (caption_ != caption) {
        caption_ = caption;
        Changed();
    }
}

void TForm::Show() {
    // Told even when already shown: a window left behind others comes to the front again.
    visible_ = true;
    Changed();
}

void TForm::Hide() {
    if (visible_) {
        visible_ = false;
        Changed();
    }
}

void TForm::Close() {
    closeCalled_ = true;
    if (view_) {
        view_->CloseRequested(*this);
    }
}

WindowHandle TForm::Handle() {
    return view_ ? view_->HandleNeeded(*this) : WindowHandle{};
}

void TForm::SetView(View* view) {
    view_ = view;
    Changed();
}

void TForm::Changed() {
    if (view_) {
        view_->FormChanged(*this);
    }
}

} // namespace gw
