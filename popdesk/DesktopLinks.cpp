#include "popdesk/DesktopLinks.h"

#include <charconv>

namespace gw {

DesktopLinks::DesktopLinks(IDesktopShell& shell, IDeskIcons& icons, TDesktopMenu& menu)
    : shell_(shell), icons_(icons), menu_(menu) {
    menu_.OnClick = [this](const std::string& name) { DesktopMenuItemClick(name); };
}

void DesktopLinks::BuildDesktopMenu() {
    // The trigger always tears down before it builds again; should anything still be held, free
    // it rather than lose the identifier lists and the allocator that owns them.
    if (shellAllocator_ || !deskItems_.empty() || menu_.Count() != 0) {
        ClearDesktopMenu();
        ReleaseAllocator();
    }

    icons_.Clear();

    if (shell_.GetMalloc(shellAllocator_) != win::kS_OK) {
        shellAllocator_ = {};  // nothing was handed to us
        shell_.ShowMessage(owner_, "Fail to get IMAlloc object", "ds", win::kMB_OK);
        return;
    }

    if (shell_.GetDesktopFolder(desktopFolder_) != win::kS_OK) {
        desktopFolder_ = {};
        shell_.ShowMessage(owner_, "Fail to get IShellFolder object", "error", win::kMB_OK);
        ReleaseAllocator();
        return;
    }

    if (desktopEnum_) {
        shell_.Release(desktopEnum_);
        desktopEnum_ = {};
    }
    if (shell_.EnumObjects(desktopFolder_, owner_, EnumFlags, desktopEnum_) != win::kS_OK) {
        // S_FALSE too: there is no enumerator to use. Keep none.
        if (desktopEnum_) {
            shell_.Release(desktopEnum_);
            desktopEnum_ = {};
        }
        // cppcheck-suppress badBitmaskCheck ; MB_OK is 0, named for the reader
        shell_.ShowMessage(owner_, "Can not EnumObject", "run time error", win::kMB_ICONERROR | win::kMB_OK);
    } else {
        ListItems();
    }

    shell_.Release(desktopFolder_);
    desktopFolder_ = {};
}

void DesktopLinks::ListItems() {
    std::size_t n = 0;
    ItemIdList pidl{};
    while (shell_.Next(desktopEnum_, pidl) == win::kS_OK && pidl) {
        DeskItem item{pidl, {}};
        if (!shell_.GetFileInfo(pidl, FileInfoFlags, item.Info)) {
            // The entry is made all the same, from a defined, empty record.
            item.Info = ShellFileInfo{};
        }
        deskItems_.push_back(item);

        std::int32_t image = -1;
        if (item.Info.hIcon) {
            image = icons_.AddIcon(item.Info.hIcon);
            icons_.DestroyIcon(item.Info.hIcon);  // the image list keeps its own copy
        }

        menu_.Add({kEntryPrefix + std::to_string(n), std::string(item.Info.DisplayName()), image});
        ++n;
        pidl = {};
    }
}

void DesktopLinks::DesktopMenuItemClick(const std::string& senderName) {
    const std::size_t underscore = senderName.find('_');
    if (underscore == std::string::npos) {
        return;
    }
    const char* first = senderName.data() + underscore + 1;
    const char* last = senderName.data() + senderName.size();
    std::size_t n = 0;
    const auto [end, error] = std::from_chars(first, last, n);
    if (error != std::errc{} || end != last || n >= deskItems_.size()) {
        return;  // not one of this build's entries
    }

    const DeskItem& item = deskItems_[n];
    ShellLaunch launch;
    launch.fMask = (item.Info.dwAttributes & win::kSFGAO_FOLDER) != 0
                       ? win::kSEE_MASK_IDLIST | win::kSEE_MASK_FLAG_NO_UI
                       : win::kSEE_MASK_INVOKEIDLIST | win::kSEE_MASK_FLAG_NO_UI;
    launch.hwnd = owner_;
    launch.nShow = win::kSW_SHOWNORMAL;
    launch.lpIDList = item.Pidl;
    shell_.Execute(launch);
}

void DesktopLinks::ClearDesktopMenu() {
    while (!deskItems_.empty()) {
        if (shellAllocator_) {
            shell_.Free(shellAllocator_, deskItems_.front().Pidl);
        }
        deskItems_.erase(deskItems_.begin());
    }
    while (menu_.RemoveFirst()) {
    }
}

void DesktopLinks::TearDownDesktopMenu() {
    ClearDesktopMenu();
    ReleaseAllocator();
    deskMenuBuilt_ = false;
}

void DesktopLinks::ReleaseAllocator() {
    if (shellAllocator_) {
        shell_.Release(shellAllocator_);
        shellAllocator_ = {};
    }
}

} // namespace gw
