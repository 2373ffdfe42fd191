// The cursor table and the system-wide replacement of the desktop's cursors.

#include "tests/scroll/ScrollRig.h"

#include <gtest/gtest.h>

namespace gw::test {
namespace {

using Log = std::vector<std::string>;

TEST(SystemCursorsTable, RegistersTheFourteenResourcesInIdOrder) {
    FakeScrollWorld world;
    SystemCursors cursors(world);
    cursors.RegisterAll();
    EXPECT_EQ(world.Take(), (Log{"LoadCursorA LEFTBLACK", "LoadCursorA RIGHTBLACK", "LoadCursorA UPBLACK",
                                 "LoadCursorA DOWNBLACK", "LoadCursorA LUBLACK", "LoadCursorA LDBLACK",
                                 "LoadCursorA RUBLACK", "LoadCursorA RDBLACK", "LoadCursorA BLANK",
                                 "LoadCursorA HAND", "LoadCursorA HANDBIZ", "LoadCursorA HANDVERT",
                                 "LoadCursorA HANDHORZ", "LoadCursorA AUTOCUR"}));
    EXPECT_EQ(cursors.Registered(UPBLACK), CursorHandle(0x1000 + 4));
    EXPECT_EQ(cursors.Registered(1), CursorHandle{});
    EXPECT_EQ(cursors.Registered(16), CursorHandle{});
}

TEST(SystemCursorsTable, ReplacesThirteenSystemCursorsInOrderEachFromAFreshCopy) {
    FakeScrollWorld world;
    world.detailedCursors = true;
    SystemCursors cursors(world);
    cursors.RegisterAll();
    world.Take();

    cursors.SetAllSystemCursors(HANDVERT);
    const std::uint32_t order[] = {32512, 32513, 32514, 32515, 32516, 32642, 32640,
                                   32641, 32643, 32646, 32644, 32645, 32649};
    Log expected;
    std::uintptr_t copy = 0x5000;
    for (const std::uint32_t id : order) {
        expected.push_back("CopyIcon " + Hex(0x1000 + HANDVERT) + " -> " + Hex(copy));
        expected.push_back("SetSystemCursor " + Hex(copy) + " " + std::to_string(id));
        ++copy;
    }
    EXPECT_EQ(world.Take(), expected); // the no-entry (32648) and busy (32650) cursors stay
    EXPECT_EQ(cursors.Scratch(), CursorHandle(copy - 1));
}

TEST(SystemCursorsTable, RestoreReloadsTheUsersScheme) {
    FakeScrollWorld world;
    SystemCursors cursors(world);
    cursors.RestoreSystemCursors();
    EXPECT_EQ(world.Take(), (Log{"RestoreSystemCursors"}));
}

TEST(SystemCursorsTable, ThumbDragShowsItsCursorFromItsOwnCopyBeforeReplacingTheSystemOnes) {
    ScrollRig rig;
    rig.world.detailedCursors = true;
    rig.settings.MoveScrollMode = true;
    const WindowHandle edit = rig.EditWithVerticalBar();
    rig.world.bars[{edit.value, win::kOBJID_VSCROLL}] = ScrollBarGeometry{Rect{0, 0, 17, 300}, 17, 0};
    rig.Press(100, 100);
    rig.Log();
    rig.MoveTo(100, 110);
    const Log log = rig.Log();
    const auto setCursor = std::find_if(log.begin(), log.end(),
                                        [](const std::string& l) { return l.starts_with("SetCursor "); });
    ASSERT_NE(setCursor, log.end());
    EXPECT_EQ(*setCursor, "SetCursor HANDVERT");
    EXPECT_TRUE((setCursor - 1)->starts_with("CopyIcon " + Hex(0x1000 + HANDVERT) + " -> "));
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::string& l) { return l.starts_with("CopyIcon "); }),
              14);
}

TEST(SystemCursorsTable, TheThumbDragCopyIsDestroyedOnceTheNextIsShownTheSystemsNever) {
    FakeScrollWorld world;
    world.detailedCursors = true;
    SystemCursors cursors(world);
    cursors.RegisterAll();
    OwnedCursor scratchImage;
    cursors.UseScratchImage(&scratchImage);
    world.Take();

    cursors.ShowOnOwnThread(HANDVERT);     // 0x5000
    cursors.SetAllSystemCursors(HANDVERT); // 0x5001..0x500d, the system's
    cursors.ShowOnOwnThread(HANDHORZ);     // 0x500e
    Log log = world.Take();
    const Log destroyed = {"DestroyIcon 0x5000"};
    EXPECT_EQ(Log(log.end() - 3, log.end()),
              (Log{"CopyIcon " + Hex(0x1000 + HANDHORZ) + " -> 0x500e", "SetCursor HANDHORZ", destroyed[0]}));
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::string& l) { return l.starts_with("DestroyIcon"); }),
              1);
    EXPECT_EQ(scratchImage.Get(), CursorHandle(0x500e));

    // The image going takes its copy along; without an image the object keeps the next one itself.
    cursors.UseScratchImage(nullptr);
    scratchImage.Reset();
    cursors.ShowOnOwnThread(HANDVERT);
    EXPECT_EQ(world.Take(), (Log{"DestroyIcon 0x500e", "CopyIcon " + Hex(0x1000 + HANDVERT) + " -> 0x500f",
                                 "SetCursor HANDVERT"}));
}

TEST(SystemCursorsTable, OneCursorCanBeReplacedAlone) {
    FakeScrollWorld world;
    world.detailedCursors = true;
    SystemCursors cursors(world);
    cursors.RegisterAll();
    world.Take();
    cursors.ReplaceSystemCursor(BLANK, 32513);
    EXPECT_EQ(world.Take(),
              (Log{"CopyIcon " + Hex(0x1000 + BLANK) + " -> 0x5000", "SetSystemCursor 0x5000 32513"}));
}

} // namespace
} // namespace gw::test
