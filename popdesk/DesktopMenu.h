#pragma once
// desktopmenu: the PopDesk popup menu as the portable side sees it, a flat list of entries with a
// name, a caption and a picture from deskimagelist. The Win32 side (DesktopMenu_win.cpp) draws it
// with the banner each time it pops up and reports the chosen entry through Click().

#include "shared/Handle.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace gw {

// Sent to the main window when the menu's modal loop has ended (the menu closed, with or without
// a choice); the handler clears DeskMenuOpen.
inline constexpr std::uint32_t kWM_DESKMENU_EXITLOOP = 0xAFFD;

struct DesktopMenuEntry {
    std::string Name;
    std::string Caption;
    std::int32_t ImageIndex = -1; // -1: no picture
};

class TDesktopMenu {
public:
    class View {
    public:
        virtual ~View() = default;
        // Shows the menu at a screen point and returns once it has closed. Calls NotifyPopup()
        // just before it appears, sends kWM_DESKMENU_EXITLOOP to the main window when its loop
        // ends, and runs Click() for the chosen entry before returning.
        virtual void Popup(TDesktopMenu& menu, Point at) = 0;
    };

    TDesktopMenu() = default;
    TDesktopMenu(const TDesktopMenu&) = delete;
    TDesktopMenu& operator=(const TDesktopMenu&) = delete;

    std::function<void()> OnPopup;                        // DesktopMenuShown
    std::function<void(const std::string& name)> OnClick; // DesktopMenuItemClick, with the entry's name

    std::size_t Count() const { return entries_.size(); }
    const DesktopMenuEntry& Entry(std::size_t index) const { return entries_.at(index); }
    void Add(DesktopMenuEntry entry) { entries_.push_back(std::move(entry)); }
    // Removes (and destroys) the first entry; false when there was none.
    bool RemoveFirst();

    void Popup(Point at);
    void NotifyPopup();
    // The user chose entry `index`; an index the menu does not have does nothing.
    void Click(std::size_t index);

    void SetView(View* view) { view_ = view; }

private:
    std::vector<DesktopMenuEntry> entries_;
    View* view_ = nullptr;
};

} // namespace gw
