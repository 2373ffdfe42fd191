#include "ui/MenuCalls.h"

#include <algorithm>

namespace gw {

void MenuCalls::Leave() {
    if (depth_ > 0 && --depth_ == 0) {
        std::vector<WindowHandle> closing;
        closing.swap(waiting_);
        for (const WindowHandle window : closing) {
            actions_.CloseLater(window);
        }
    }
}

bool MenuCalls::DeferClose(WindowHandle window) {
    if (depth_ == 0) {
        return false;
    }
    actions_.EndMenu();
    if (std::find(waiting_.begin(), waiting_.end(), window) == waiting_.end()) {
        waiting_.push_back(window);
    }
    return true;
}

void MenuCalls::EndMenus() {
    if (depth_ > 0) {
        actions_.EndMenu();
    }
}

} // namespace gw
