#pragma once
// A desktop of fake windows for the scroll-bar walk and the probes: a tree of windows in Z order,
// each with a class name, a style and the states of its own two bars. Records what the code under
// test asked, so tests can check where a walk stopped.

#include "shared/ScrollBarWalk.h"
#include "shared/Win32Values.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace gw::test {

class FakeWindowQueries final : public IWindowQueries {
public:
    // A top-level window (no parent); top-level windows are siblings of each other.
    WindowHandle AddTopLevel(std::string className, std::uint32_t style = 0) {
        return Add(WindowHandle{}, std::move(className), style);
    }
    // A child appended at the bottom of parent's Z order.
    WindowHandle AddChild(WindowHandle parent, std::string className, std::uint32_t style = 0) {
        return Add(parent, std::move(className), style);
    }
    // The window's own bar answers GetScrollBarInfo with this state; without it the call fails.
    void SetBarState(WindowHandle window, std::int32_t objectId, std::uint32_t state) {
        auto& w = windows_.at(window.value);
        (objectId == win::kOBJID_HSCROLL ? w.horz : w.vert) = state;
    }
    // GW_HWNDNEXT of window answers next instead of the real follower (a list changing under the
    // walk; a null next is a window that vanished).
    void OverrideNext(WindowHandle window, WindowHandle next) { nextOverride_[window.value] = next; }
    // The window is destroyed: every query about it fails.
    void Destroy(WindowHandle window) { windows_.at(window.value).gone = true; }

    // Windows whose class names were read, in order.
    std::vector<WindowHandle> namesRead;
    int barQueries = 0;
    int relativeQueries = 0;

    bool WasRead(WindowHandle window) const {
        return std::find(namesRead.begin(), namesRead.end(), window) != namesRead.end();
    }

    int ClassName(WindowHandle window, char* buffer, int size) override {
        namesRead.push_back(window);
        const Window* w = Find(window);
        if (w == nullptr || size <= 0) {
            if (size > 0) {
                buffer[0] = '\0';
            }
            return 0;
        }
        // GetClassNameA copies at most size-1 characters and always terminates.
        const int length = std::min<int>(static_cast<int>(w->className.size()), size - 1);
        std::memcpy(buffer, w->className.data(), static_cast<std::size_t>(length));
        buffer[length] = '\0';
        return length;
    }

    bool ScrollBarState(WindowHandle window, std::int32_t objectId, std::uint32_t& state) override {
        ++barQueries;
        const Window* w = Find(window);
        if (w == nullptr) {
            return false;
        }
        const std::optional<std::uint32_t>& bar = objectId == win::kOBJID_HSCROLL ? w->horz : w->vert;
        if (objectId != win::kOBJID_HSCROLL && objectId != win::kOBJID_VSCROLL) {
            return false;
        }
        if (!bar) {
            return false;
        }
        state = *bar;
        return true;
    }

    WindowHandle Parent(WindowHandle window) override {
        const Window* w = Find(window);
        return w == nullptr ? WindowHandle{} : w->parent;
    }

    WindowHandle Relative(WindowHandle window, std::uint32_t relation) override {
        ++relativeQueries;
        const Window* w = Find(window);
        if (w == nullptr) {
            return {};
        }
        if (relation == win::kGW_CHILD) {
            const auto& kids = Children(window);
            return kids.empty() ? WindowHandle{} : kids.front();
        }
        const auto& siblings = Children(w->parent);
        if (relation == win::kGW_HWNDFIRST) {
            return siblings.front();
        }
        if (relation == win::kGW_HWNDLAST) {
            return siblings.back();
        }
        if (relation == win::kGW_HWNDNEXT) {
            if (auto o = nextOverride_.find(window.value); o != nextOverride_.end()) {
                return o->second;
            }
            auto it = std::find(siblings.begin(), siblings.end(), window);
            return (it == siblings.end() || it + 1 == siblings.end()) ? WindowHandle{} : *(it + 1);
        }
        return {};
    }

    std::uint32_t Style(WindowHandle window) override {
        const Window* w = Find(window);
        return w == nullptr ? 0 : w->style;
    }

private:
    struct Window {
        std::string className;
        std::uint32_t style = 0;
        WindowHandle parent;
        std::optional<std::uint32_t> horz;
        std::optional<std::uint32_t> vert;
        bool gone = false;
    };

    WindowHandle Add(WindowHandle parent, std::string className, std::uint32_t style) {
        const WindowHandle handle(nextHandle_);
        nextHandle_ += 4;
        windows_[handle.value] = Window{std::move(className), style, parent, {}, {}, false};
        children_[parent.value].push_back(handle);
        return handle;
    }
    const Window* Find(WindowHandle window) const {
        auto it = windows_.find(window.value);
        return (it == windows_.end() || it->second.gone) ? nullptr : &it->second;
    }
    const std::vector<WindowHandle>& Children(WindowHandle parent) { return children_[parent.value]; }

    std::uintptr_t nextHandle_ = 0x100;
    std::map<std::uintptr_t, Window> windows_;
    std::map<std::uintptr_t, std::vector<WindowHandle>> children_; // Z order, top first
    std::map<std::uintptr_t, WindowHandle> nextOverride_;
};

} // namespace gw::test
