#pragma once
// The program's side of the shared record: one writable view, kept for the program's lifetime.
// Until start-up has created the record (or when it failed to), every store is skipped and
// every read answers 0, so no writer needs to ask first.

#include "shared/HookShare.h"

#include <cstdint>

namespace gw {

class HookShareWriter {
public:
    using Switch = std::uint8_t HookShare::*;

    void Attach(HookShare* view) { view_ = view; }
    void Detach() { view_ = nullptr; }
    bool Exists() const { return view_ != nullptr; }
    HookShare* View() const { return view_; }

    // Switch bytes are written as 0 or 1 only.
    void Set(Switch field, bool on) {
        if (view_) {
            view_->*field = on ? 1 : 0;
        }
    }
    std::uint8_t Get(Switch field) const { return view_ ? view_->*field : 0; }

    void SetMainWindow(std::uint32_t window) {
        if (view_) {
            view_->MainWindow = window;
        }
    }
    void SetActivateButton(std::uint8_t button) {
        if (view_) {
            view_->ActivateButton = button;
        }
    }

private:
    HookShare* view_ = nullptr;
};

} // namespace gw
