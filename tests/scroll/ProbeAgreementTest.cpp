// The hook library swallows a press when its own probe says yes; the program starts a gesture
// when its probe says yes. Where the two disagree, a swallowed press is lost, so they must give
// the same answer everywhere except under a "_WwB" parent, where the hook says yes on its own.

#include "hooks/ScrollableWindow.h"
#include "scroll/ScrollProbe.h"
#include "tests/scroll/ScrollRig.h"

#include <functional>
#include <gtest/gtest.h>

namespace gw::test {
namespace {

constexpr std::uint32_t kUsable = 0;
constexpr std::uint32_t kVertBar = 1;  // SBS_VERT
constexpr std::uint32_t kSizeBox = 8;  // SBS_SIZEBOX

struct Scene {
    const char* name;
    // Builds the desktop and answers the window under the press.
    std::function<WindowHandle(FakeWindowQueries&)> build;
    bool hookSwallows;
    bool programScrolls;
};

class ProbeAgreement : public ::testing::TestWithParam<Scene> {};

TEST_P(ProbeAgreement, HookAndProgramAnswerAlike) {
    const Scene& scene = GetParam();
    FakeWindowQueries windows;
    FakeScrollWorld world;
    const WindowHandle window = scene.build(windows);
    ProbeResults results;
    EXPECT_EQ(IsScrollableWindow(windows, window), scene.hookSwallows);
    EXPECT_EQ(ProbeScrollTarget(windows, world, window, results), scene.programScrolls);
}

WindowHandle ChildOf(FakeWindowQueries& w, const char* parentClass, const char* className) {
    return w.AddChild(w.AddTopLevel(parentClass), className);
}

INSTANTIATE_TEST_SUITE_P(
    Probes, ProbeAgreement,
    ::testing::Values(
        Scene{"OwnVerticalBar",
              [](FakeWindowQueries& w) {
                  const WindowHandle edit = w.AddTopLevel("Edit");
                  w.SetBarState(edit, win::kOBJID_VSCROLL, kUsable);
                  return edit;
              },
              true, true},
        Scene{"OwnBarDisabled",
              [](FakeWindowQueries& w) {
                  const WindowHandle edit = w.AddTopLevel("Edit");
                  w.SetBarState(edit, win::kOBJID_VSCROLL, win::kSTATE_SYSTEM_UNAVAILABLE);
                  return edit;
              },
              false, false},
        Scene{"ComboListWithABar",
              [](FakeWindowQueries& w) {
                  const WindowHandle list = ChildOf(w, "Frame", "ComboLBox");
                  w.SetBarState(list, win::kOBJID_VSCROLL, kUsable);
                  return list;
              },
              false, false},
        Scene{"WheelTargetClass", [](FakeWindowQueries& w) { return ChildOf(w, "Frame", "xSALFRAME"); }, true,
              true},
        Scene{"SiblingBar",
              [](FakeWindowQueries& w) {
                  const WindowHandle view = ChildOf(w, "Frame", "View");
                  w.AddChild(w.Parent(view), "ScrollBar", kVertBar);
                  return view;
              },
              true, true},
        Scene{"SiblingSizeBox",
              [](FakeWindowQueries& w) {
                  const WindowHandle view = ChildOf(w, "Frame", "View");
                  w.AddChild(w.Parent(view), "ScrollBar", kSizeBox);
                  return view;
              },
              false, false},
        Scene{"BarInsideALongerNamedSibling",
              [](FakeWindowQueries& w) {
                  const WindowHandle view = ChildOf(w, "Frame", "View");
                  w.AddChild(w.AddChild(w.Parent(view), "MyScrollBarEx"), "ScrollBar", kVertBar);
                  return view;
              },
              true, true},
        Scene{"TopLevelBesideABar",
              [](FakeWindowQueries& w) {
                  w.AddTopLevel("ScrollBar", kVertBar);
                  return w.AddTopLevel("View");
              },
              false, false},
        // The one place where they part: the hook swallows, the program finds nothing to drag.
        Scene{"WwBParentWithoutBars", [](FakeWindowQueries& w) { return ChildOf(w, "_WwB", "_WwG"); }, true,
              false},
        Scene{"WwBParentWithABar",
              [](FakeWindowQueries& w) {
                  const WindowHandle page = ChildOf(w, "_WwB", "_WwG");
                  w.AddChild(w.Parent(page), "ScrollBar", kVertBar);
                  return page;
              },
              true, true},
        Scene{"GoneWindow",
              [](FakeWindowQueries& w) {
                  const WindowHandle view = ChildOf(w, "Frame", "MozillaWindowClass");
                  w.Destroy(view);
                  return view;
              },
              false, false}),
    [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace gw::test
