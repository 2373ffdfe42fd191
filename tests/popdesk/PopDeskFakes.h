#pragma once
// Recording fakes of the PopDesk seams. Every call lands in one shared log, so tests can check the
// order across seams ("build, then foreground, then popup").

#include "popdesk/DesktopLinks.h"
#include "popdesk/DesktopMenu.h"
#include "popdesk/DesktopShell.h"
#include "popdesk/PopDeskTrigger.h"
#include "tests/shared/Ledger.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace gw::test {

using Log = std::vector<std::string>;

inline std::string DeskHex(std::uint64_t v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%llX", static_cast<unsigned long long>(v));
    return buf;
}

// A desktop item as the fake shell lists it.
struct FakeItem {
    std::string name;
    std::uint32_t attributes = 0;
    bool hasIcon = true;
    bool infoFails = false;
};

class FakeShell : public IDesktopShell {
public:
    explicit FakeShell(Log& log) : log_(log) {}

    std::int32_t mallocResult = win::kS_OK;
    std::int32_t folderResult = win::kS_OK;
    std::int32_t enumResult = win::kS_OK;
    bool enumHandsOutObjectOnFailure = false;
    std::vector<FakeItem> desktop;

    // Handles minted by kind, so a test can say "the allocator" rather than a number.
    ShellObject allocator{}, folder{}, enumerator{};
    std::vector<ItemIdList> pidls; // in the order handed out
    std::vector<std::uintptr_t> released;
    std::vector<ItemIdList> freed;
    std::vector<ShellLaunch> launches;
    std::vector<std::uint32_t> infoFlags;
    WindowHandle enumOwner{};
    std::uint32_t enumFlags = 0;
    Ledger* ledger = nullptr;

    std::int32_t GetMalloc(ShellObject& out) override {
        log_.push_back("SHGetMalloc");
        if (mallocResult == win::kS_OK) {
            out = allocator = ShellObject{Mint()};
            NoteTaken(ledger, "COM object", out.value);
        }
        return mallocResult;
    }
    std::int32_t GetDesktopFolder(ShellObject& out) override {
        log_.push_back("SHGetDesktopFolder");
        if (folderResult == win::kS_OK) {
            out = folder = ShellObject{Mint()};
            NoteTaken(ledger, "COM object", out.value);
        }
        return folderResult;
    }
    std::int32_t EnumObjects(ShellObject f, WindowHandle owner, std::uint32_t flags,
                             ShellObject& out) override {
        log_.push_back("EnumObjects");
        EXPECT_EQ(f, folder);
        enumOwner = owner;
        enumFlags = flags;
        if (enumResult == win::kS_OK || enumHandsOutObjectOnFailure) {
            out = enumerator = ShellObject{Mint()};
            NoteTaken(ledger, "COM object", out.value);
            next_ = 0;
        }
        return enumResult;
    }
    std::int32_t Next(ShellObject e, ItemIdList& item) override {
        EXPECT_EQ(e, enumerator);
        if (next_ >= desktop.size()) {
            return win::kS_FALSE;
        }
        item = ItemIdList{Mint()};
        NoteTaken(ledger, "item id list", item.value);
        pidls.push_back(item);
        byPidl_.push_back(next_++);
        return win::kS_OK;
    }
    void Release(ShellObject object) override {
        log_.push_back("Release " + KindOf(object.value));
        released.push_back(object.value);
        NoteGivenBack(ledger, "COM object", object.value);
    }
    void Free(ShellObject a, ItemIdList item) override {
        log_.push_back("Free");
        EXPECT_EQ(a, allocator);
        freed.push_back(item);
        NoteGivenBack(ledger, "item id list", item.value);
    }
    bool GetFileInfo(ItemIdList item, std::uint32_t flags, ShellFileInfo& info) override {
        infoFlags.push_back(flags);
        const FakeItem& fake = desktop.at(IndexOf(item));
        if (fake.infoFails) {
            info.dwAttributes = 0xDEAD; // whatever a failing call leaves behind
            info.szDisplayName[0] = '?';
            return false;
        }
        info.dwAttributes = fake.attributes;
        std::snprintf(info.szDisplayName.data(), info.szDisplayName.size(), "%s", fake.name.c_str());
        if (fake.hasIcon) {
            info.hIcon = IconHandle{Mint()};
            NoteTaken(ledger, "icon", info.hIcon.value);
        }
        return true;
    }
    void Execute(const ShellLaunch& launch) override {
        log_.push_back("ShellExecuteExA");
        launches.push_back(launch);
    }
    void ShowMessage(WindowHandle, const char* text, const char* caption, std::uint32_t type) override {
        log_.push_back(std::string("MessageBox ") + text + " | " + caption + " | " + DeskHex(type));
    }

    std::size_t IndexOf(ItemIdList item) const {
        for (std::size_t i = 0; i < pidls.size(); ++i) {
            if (pidls[i] == item) {
                return byPidl_[i];
            }
        }
        ADD_FAILURE() << "unknown identifier list";
        return 0;
    }

private:
    std::uintptr_t Mint() { return ++counter_; }
    std::string KindOf(std::uintptr_t v) const {
        if (v == allocator.value)
            return "allocator";
        if (v == folder.value)
            return "folder";
        if (v == enumerator.value)
            return "enumerator";
        return "old " + std::to_string(v);
    }

    Log& log_;
    std::uintptr_t counter_ = 1000;
    std::size_t next_ = 0;
    std::vector<std::size_t> byPidl_;
};

class FakeIcons : public IDeskIcons {
public:
    explicit FakeIcons(Log& log) : log_(log) {}
    Ledger* ledger = nullptr;

    // The list's own copies count as images until the list is emptied.
    void Clear() override {
        log_.push_back("ImageList clear");
        while (count_ > 0) {
            NoteGivenBack(ledger, "image list image", static_cast<std::uintptr_t>(--count_));
        }
    }
    std::int32_t AddIcon(IconHandle icon) override {
        log_.push_back("AddIcon " + std::to_string(icon.value));
        NoteTaken(ledger, "image list image", static_cast<std::uintptr_t>(count_));
        return count_++;
    }
    void DestroyIcon(IconHandle icon) override {
        log_.push_back("DestroyIcon " + std::to_string(icon.value));
        NoteGivenBack(ledger, "icon", icon.value);
    }

private:
    Log& log_;
    std::int32_t count_ = 0;
};

class FakeScreen : public IPopDeskScreen {
public:
    explicit FakeScreen(Log& log) : log_(log) {}
    Point cursor{500, 400};
    std::int32_t width = 1024; // the primary screen
    std::int32_t height = 768;
    std::vector<Rect> monitors{{0, 0, 1024, 768}};
    int cursorReads = 0;

    Point CursorPos() override {
        ++cursorReads;
        return cursor;
    }
    std::int32_t SystemMetric(int index) override {
        return index == win::kSM_CXSCREEN ? width : index == win::kSM_CYSCREEN ? height : 0;
    }
    bool MonitorAt(Point at, Rect& monitor) override {
        for (const Rect& r : monitors) {
            if (at.x >= r.left && at.x < r.right && at.y >= r.top && at.y < r.bottom) {
                monitor = r;
                return true;
            }
        }
        return false;
    }
    void ForegroundMainWindow() override { log_.push_back("SetForegroundWindow"); }
    void NudgeMainWindow() override { log_.push_back("WM_NULL"); }

private:
    Log& log_;
};

// Plays the owner-drawn menu: announces itself, lets the test act while it is open (a tick, a
// choice), then reports the end of its loop the way the main window would.
class FakeMenuView : public TDesktopMenu::View {
public:
    explicit FakeMenuView(Log& log) : log_(log) {}

    std::function<void()> whileOpen;
    std::function<void()> onExitLoop;
    int choose = -1; // entry index to choose, -1 to close without a choice
    std::vector<Point> popups;
    std::vector<std::vector<std::string>> shown; // entry names of each popup

    void Popup(TDesktopMenu& menu, Point at) override {
        log_.push_back("Popup " + std::to_string(at.x) + "," + std::to_string(at.y));
        popups.push_back(at);
        std::vector<std::string> names;
        for (std::size_t i = 0; i < menu.Count(); ++i) {
            names.push_back(menu.Entry(i).Name);
        }
        shown.push_back(names);
        menu.NotifyPopup();
        if (whileOpen) {
            whileOpen();
        }
        if (onExitLoop) {
            onExitLoop();
        }
        if (choose >= 0) {
            menu.Click(static_cast<std::size_t>(choose));
        }
    }

private:
    Log& log_;
};

} // namespace gw::test
