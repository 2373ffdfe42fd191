#include "popdesk/DesktopLinks.h"

#include <charconv>
#include <utility>

namespace gw {

DesktopLinks::DesktopLinks(IDesktopShell& shell, IDeskIcons& icons, TDesktopMenu& menu)
    : shell_(shell), icons_(icons), menu_(menu) {
    menu_.OnClick = [this](const std::string& name) { DesktopMenuItemClick(name); };
}

DesktopLinks::~DesktopLinks() {
    FreeItemIdLists();
}

void DesktopLinks::BuildDesktopMenu() {
    // The trigger always tears down before it builds again; should anything still be held, free
    // it rather than lose the identifier lists and the allocator that owns them.
    if (shellAllocator_ || !deskItems_.empty() || menu_.Count() != 0) {
        ClearDesktopMenu();
        shellAllocator_.Reset();
    }

    icons_.Clear();

    ShellObject allocator{};
    if (shell_.GetMalloc(allocator) != win::kS_OK) { // a failed call hands out nothing to release
        shell_.ShowMessage(owner_, "Fail to get IMAlloc object", "ds", win::kMB_OK);
        return;
    }
    shellAllocator_ = OwnedShellObject(shell_, allocator);

    ShellObject folder{};
    if (shell_.GetDesktopFolder(folder) != win::kS_OK) {
        shell_.ShowMessage(owner_, "Fail to get IShellFolder object", "error", win::kMB_OK);
        shellAllocator_.Reset();
        return;
    }
    OwnedShellObject desktopFolder(shell_, folder);

    if (EnumerateDesktop(desktopFolder.Get())) {
        ListItems();
    }
    desktopFolder.Reset();
}

bool DesktopLinks::EnumerateDesktop(ShellObject desktopFolder) {
    desktopEnum_.Reset();
    ShellObject enumerator{};
    const std::int32_t result = shell_.EnumObjects(desktopFolder, owner_, EnumFlags, enumerator);
    OwnedShellObject handedOut(shell_, enumerator);
    if (result != win::kS_OK) {
        // S_FALSE too: there is no enumerator to use. Keep none.
        handedOut.Reset();
        // cppcheck-suppress badBitmaskCheck ; MB_OK is 0, named for the reader
        shell_.ShowMessage(owner_, "Can not EnumObject", "run time error", win::kMB_ICONERROR | win::kMB_OK);
        return false;
    }
    desktopEnum_ = std::move(handedOut);
    return true;
}

void DesktopLinks::ListItems() {
    std::size_t n = 0;
    ItemIdList pidl{};
    while (shell_.Next(desktopEnum_.Get(), pidl) == win::kS_OK && pidl) {
        DeskItem item{pidl, {}};
        if (!shell_.GetFileInfo(pidl, FileInfoFlags, item.Info)) {
            // The entry is made all the same, from a defined, empty record.
            item.Info = ShellFileInfo{};
        }
        deskItems_.push_back(item);

        std::int32_t image = -1;
        if (item.Info.hIcon) {
            image = icons_.AddIcon(item.Info.hIcon);
            icons_.DestroyIcon(item.Info.hIcon); // the image list keeps its own copy
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
        return; // not one of this build's entries
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

void DesktopLinks::FreeItemIdLists() {
    while (!deskItems_.empty()) {
        if (shellAllocator_) {
            shell_.Free(shellAllocator_.Get(), deskItems_.front().Pidl);
        }
        deskItems_.erase(deskItems_.begin());
    }
}

void DesktopLinks::ClearDesktopMenu() {
    FreeItemIdLists();
    while (menu_.RemoveFirst()) {
    }
}

void DesktopLinks::TearDownDesktopMenu() {
    ClearDesktopMenu();
    shellAllocator_.Reset();
    deskMenuBuilt_ = false;
}

} // namespace gw
