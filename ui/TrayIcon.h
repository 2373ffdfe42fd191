#pragma once
// The notification-area icon: hint, which image of its image list it shows, and its menu. The
// Win32 side adds, modifies and removes the real icon (Shell_NotifyIconA) from this state and
// reports the user's presses through MouseDown and DblClick.

#include "shared/Handle.h"

#include <cstdint>
#include <functional>
#include <string>

namespace gw {

class TImageList;
class TPopupMenu;

enum class TMouseButton { Left, Right, Middle };

class TTrayIcon {
public:
    class View {
    public:
        virtual ~View() = default;
        virtual void TrayIconChanged(TTrayIcon& icon) = 0; // hint, image or visibility changed
    };

    TTrayIcon() = default;
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);

    int IconIndex() const { return iconIndex_; }
    void SetIconIndex(int index);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    TImageList* Icons = nullptr;     // the images that IconIndex picks from
    TPopupMenu* PopupMenu = nullptr; // opened by a press of the right button

    std::function<void(TMouseButton button, std::uint32_t shift, Point at)> OnMouseDown;
    std::function<void()> OnDblClick;

    // A press on the icon at a screen position: OnMouseDown, then for the right button the menu.
    void MouseDown(TMouseButton button, std::uint32_t shift, Point at);
    void DblClick();

    void SetView(View* view);

private:
    void Changed();

    std::string hint_;
    int iconIndex_ = 0;
    bool visible_ = true;
    View* view_ = nullptr;
};

} // namespace gw
