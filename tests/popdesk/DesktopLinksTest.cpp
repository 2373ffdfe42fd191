// The desktop links menu against a recording shell: what a build puts into the menu and in which
// order, how an entry is launched, that the teardown frees every identifier list, and that each
// failure releases exactly what it acquired.

#include "PopDeskFakes.h"

#include <gtest/gtest.h>

#include <memory>

namespace gw {
namespace {

using test::FakeIcons;
using test::FakeItem;
using test::FakeShell;
using test::Log;

constexpr WindowHandle kOwner{0x1234};

class DesktopLinksTest : public ::testing::Test {
protected:
    DesktopLinksTest() { links.SetOwnerWindow(kOwner); }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (std::size_t i = 0; i < menu.Count(); ++i) {
            names.push_back(menu.Entry(i).Name);
        }
        return names;
    }

    Log log;
    FakeShell shell{log};
    FakeIcons icons{log};
    TDesktopMenu menu;
    DesktopLinks links{shell, icons, menu};
};

TEST_F(DesktopLinksTest, BuildListsEveryItemInEnumerationOrder) {
    shell.desktop = {{"My Computer", win::kSFGAO_FOLDER}, {"notes.txt"}, {"Editor.lnk"}};

    links.BuildDesktopMenu();

    EXPECT_EQ(Names(), (std::vector<std::string>{"DesktopMenu_0", "DesktopMenu_1", "DesktopMenu_2"}));
    ASSERT_EQ(links.DeskItems().size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(links.DeskItems()[i].Pidl, shell.pidls[i]);
        EXPECT_EQ(menu.Entry(i).Caption, shell.desktop[i].name);
        EXPECT_EQ(menu.Entry(i).ImageIndex, static_cast<std::int32_t>(i));
    }
    EXPECT_EQ(shell.enumFlags, 0x60u);
    EXPECT_EQ(shell.enumOwner, kOwner);
    EXPECT_EQ(shell.infoFlags, (std::vector<std::uint32_t>(3, 0xF09u)));
}

TEST_F(DesktopLinksTest, BuildSequenceClearsPicturesFirstAndDestroysEachIconAfterAddingIt) {
    shell.desktop = {{"a"}, {"b"}};

    links.BuildDesktopMenu();

    const auto icon0 =
        std::to_string(shell.pidls[0].value + 1); // the fake mints the icon right after the item
    const auto icon1 = std::to_string(shell.pidls[1].value + 1);
    EXPECT_EQ(log,
              (Log{"ImageList clear", "SHGetMalloc", "SHGetDesktopFolder", "EnumObjects", "AddIcon " + icon0,
                   "DestroyIcon " + icon0, "AddIcon " + icon1, "DestroyIcon " + icon1, "Release folder"}));
    EXPECT_TRUE(links.ShellAllocator());
    EXPECT_TRUE(links.DesktopEnum()); // kept until the next build
}

TEST_F(DesktopLinksTest, ItemWithoutShellInformationGetsAnEmptyEntry) {
    shell.desktop = {{"x", win::kSFGAO_FOLDER, true, true}, {"y", 0, false, false}};

    links.BuildDesktopMenu();

    ASSERT_EQ(menu.Count(), 2u);
    EXPECT_EQ(menu.Entry(0).Caption, "");
    EXPECT_EQ(menu.Entry(0).ImageIndex, -1);
    EXPECT_EQ(links.DeskItems()[0].Info.dwAttributes, 0u);
    EXPECT_EQ(menu.Entry(1).Caption, "y");
    EXPECT_EQ(menu.Entry(1).ImageIndex, -1); // no icon: nothing added, nothing destroyed
    for (const auto& line : log) {
        EXPECT_EQ(line.rfind("AddIcon", 0), std::string::npos) << line;
        EXPECT_EQ(line.rfind("DestroyIcon", 0), std::string::npos) << line;
    }

    links.DesktopMenuItemClick("DesktopMenu_0");
    ASSERT_EQ(shell.launches.size(), 1u);
    EXPECT_EQ(shell.launches[0].fMask, 0x40Cu);
}

// The longest name the shell gives (259 characters) in any script arrives whole: in Cyrillic two
// bytes of UTF-8 a character, in Chinese three.
TEST_F(DesktopLinksTest, LongestNamesInAnyScriptArriveWhole) {
    std::string cyrillic, chinese;
    for (int i = 0; i < 259; ++i) {
        cyrillic += "Ж";
        chinese += "说";
    }
    shell.desktop = {{cyrillic}, {chinese}};

    links.BuildDesktopMenu();

    EXPECT_EQ(menu.Entry(0).Caption, cyrillic);
    EXPECT_EQ(menu.Entry(1).Caption, chinese);
}

TEST_F(DesktopLinksTest, DisplayNameFillingTheWholeFieldStaysWithinIt) {
    shell.desktop = {{std::string(1000, 'n')}};

    links.BuildDesktopMenu();

    EXPECT_EQ(menu.Entry(0).Caption, std::string(ShellFileInfo{}.szDisplayName.size() - 1, 'n'));
}

struct LaunchCase {
    const char* name;
    std::uint32_t attributes;
    std::uint32_t mask;
};

class LaunchTest : public DesktopLinksTest, public ::testing::WithParamInterface<LaunchCase> {};

TEST_P(LaunchTest, FoldersAreOpenedEverythingElseInvoked) {
    shell.desktop = {{"first"}, {"chosen", GetParam().attributes}};
    links.BuildDesktopMenu();

    links.DesktopMenuItemClick("DesktopMenu_1");

    ASSERT_EQ(shell.launches.size(), 1u);
    const ShellLaunch& l = shell.launches[0];
    EXPECT_EQ(l.fMask, GetParam().mask);
    EXPECT_EQ(l.hwnd, kOwner);
    EXPECT_EQ(l.nShow, 1);
    EXPECT_EQ(l.lpIDList, shell.pidls[1]);
}

INSTANTIATE_TEST_SUITE_P(Attributes, LaunchTest,
                         ::testing::Values(LaunchCase{"Document", 0x00000000, 0x40C},
                                           LaunchCase{"Shortcut", 0x00010000 | 0x40000000, 0x40C},
                                           LaunchCase{"Folder", 0x20000000, 0x404},
                                           LaunchCase{"FolderWithMoreBits", 0xA0000177, 0x404}),
                         [](const auto& param) { return std::string(param.param.name); });

struct ClickCase {
    const char* sender;
    int launched; // index into the desktop, -1 for nothing
};

class ClickTest : public DesktopLinksTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(ClickTest, OnlyAnEntryOfThisBuildLaunches) {
    for (int i = 0; i < 13; ++i) {
        shell.desktop.push_back({"item" + std::to_string(i)});
    }
    links.BuildDesktopMenu();

    links.DesktopMenuItemClick(GetParam().sender);

    if (GetParam().launched < 0) {
        EXPECT_TRUE(shell.launches.empty());
    } else {
        ASSERT_EQ(shell.launches.size(), 1u);
        EXPECT_EQ(shell.launches[0].lpIDList, shell.pidls[static_cast<std::size_t>(GetParam().launched)]);
    }
}

INSTANTIATE_TEST_SUITE_P(Senders, ClickTest,
                         ::testing::Values(ClickCase{"DesktopMenu_0", 0}, ClickCase{"DesktopMenu_12", 12},
                                           ClickCase{"DesktopMenu_13", -1}, ClickCase{"DesktopMenu_", -1},
                                           ClickCase{"DesktopMenu_-1", -1}, ClickCase{"DesktopMenu_1x", -1},
                                           ClickCase{"DesktopMenu_x", -1}, ClickCase{"DesktopMenu", -1},
                                           ClickCase{"DesktopMenu_99999999999999999999999", -1},
                                           ClickCase{"Other_3", 3}));

TEST_F(DesktopLinksTest, MenuClickRunsTheEntrysLaunchAndOutOfRangeDoesNothing) {
    shell.desktop = {{"a"}, {"b"}};
    links.BuildDesktopMenu();

    menu.Click(1);
    menu.Click(2);

    ASSERT_EQ(shell.launches.size(), 1u);
    EXPECT_EQ(shell.launches[0].lpIDList, shell.pidls[1]);
}

TEST_F(DesktopLinksTest, ClickAfterTeardownLaunchesNothing) {
    shell.desktop = {{"a"}};
    links.BuildDesktopMenu();
    links.TearDownDesktopMenu();

    links.DesktopMenuItemClick("DesktopMenu_0");

    EXPECT_TRUE(shell.launches.empty());
}

TEST_F(DesktopLinksTest, TeardownFreesEveryIdentifierListThenReleasesTheAllocator) {
    shell.desktop = {{"a"}, {"b"}, {"c"}};
    links.BuildDesktopMenu();
    links.SetDeskMenuBuilt();
    log.clear();

    links.TearDownDesktopMenu();

    EXPECT_EQ(shell.freed, shell.pidls);
    EXPECT_EQ(log, (Log{"Free", "Free", "Free", "Release allocator"}));
    EXPECT_EQ(menu.Count(), 0u);
    EXPECT_TRUE(links.DeskItems().empty());
    EXPECT_FALSE(links.ShellAllocator());
    EXPECT_FALSE(links.DeskMenuBuilt());
}

TEST_F(DesktopLinksTest, EmptyDesktopBuildsAnEmptyMenuAndTearsDownCleanly) {
    links.BuildDesktopMenu();
    EXPECT_EQ(menu.Count(), 0u);

    log.clear();
    links.TearDownDesktopMenu();

    EXPECT_EQ(log, (Log{"Release allocator"}));
}

struct FailureCase {
    const char* name;
    std::int32_t mallocResult, folderResult, enumResult;
    bool enumHandsOutObject;
    Log buildLog;    // after "ImageList clear"
    Log teardownLog; // what the teardown still releases
};

class FailureTest : public DesktopLinksTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailureTest, EachFailureIsReportedAndReleasesOnlyWhatIsHeld) {
    const FailureCase& c = GetParam();
    shell.desktop = {{"never listed"}};
    shell.mallocResult = c.mallocResult;
    shell.folderResult = c.folderResult;
    shell.enumResult = c.enumResult;
    shell.enumHandsOutObjectOnFailure = c.enumHandsOutObject;

    links.BuildDesktopMenu();
    links.SetDeskMenuBuilt();

    Log expected{"ImageList clear"};
    expected.insert(expected.end(), c.buildLog.begin(), c.buildLog.end());
    EXPECT_EQ(log, expected);
    EXPECT_EQ(menu.Count(), 0u);
    EXPECT_TRUE(links.DeskItems().empty());
    EXPECT_FALSE(links.DesktopEnum());

    log.clear();
    links.TearDownDesktopMenu();
    EXPECT_EQ(log, c.teardownLog);
    EXPECT_FALSE(links.DeskMenuBuilt());
}

constexpr std::int32_t kE_FAIL = static_cast<std::int32_t>(0x80004005u);

INSTANTIATE_TEST_SUITE_P(
    Paths, FailureTest,
    ::testing::Values(FailureCase{"NoAllocator",
                                  kE_FAIL,
                                  0,
                                  0,
                                  false,
                                  {"SHGetMalloc", "MessageBox Fail to get IMAlloc object | ds | 0x0"},
                                  {}},
                      FailureCase{"NoDesktopFolder",
                                  0,
                                  kE_FAIL,
                                  0,
                                  false,
                                  {"SHGetMalloc", "SHGetDesktopFolder",
                                   "MessageBox Fail to get IShellFolder object | error | 0x0",
                                   "Release allocator"},
                                  {}},
                      FailureCase{"EnumFails",
                                  0,
                                  0,
                                  kE_FAIL,
                                  false,
                                  {"SHGetMalloc", "SHGetDesktopFolder", "EnumObjects",
                                   "MessageBox Can not EnumObject | run time error | 0x10", "Release folder"},
                                  {"Release allocator"}},
                      FailureCase{"EnumAnswersFalse",
                                  0,
                                  0,
                                  win::kS_FALSE,
                                  false,
                                  {"SHGetMalloc", "SHGetDesktopFolder", "EnumObjects",
                                   "MessageBox Can not EnumObject | run time error | 0x10", "Release folder"},
                                  {"Release allocator"}},
                      FailureCase{"EnumAnswersFalseWithAnObject",
                                  0,
                                  0,
                                  win::kS_FALSE,
                                  true,
                                  {"SHGetMalloc", "SHGetDesktopFolder", "EnumObjects", "Release enumerator",
                                   "MessageBox Can not EnumObject | run time error | 0x10", "Release folder"},
                                  {"Release allocator"}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(DesktopLinksTest, NextBuildReleasesThePreviousEnumeratorAndSeesNewItems) {
    shell.desktop = {{"a"}};
    links.BuildDesktopMenu();
    const ShellObject firstEnum = links.DesktopEnum();
    links.TearDownDesktopMenu();
    shell.desktop.push_back({"added in between"});
    log.clear();

    links.BuildDesktopMenu();

    EXPECT_EQ(std::count(shell.released.begin(), shell.released.end(), firstEnum.value), 1);
    EXPECT_EQ(menu.Count(), 2u);
    EXPECT_EQ(menu.Entry(1).Caption, "added in between");
}

TEST_F(DesktopLinksTest, WhatIsStillHeldGoesBackWhenTheLinksGo) {
    struct Case {
        const char* name;
        bool tornDown;
        Log expected;
    };
    const Case cases[] = {
        {"built", false, {"Free", "Free", "Release enumerator", "Release allocator"}},
        {"torn down", true, {"Release enumerator"}}, // the enumerator lives until the next build
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Log own;
        FakeShell desktop{own};
        FakeIcons pictures{own};
        TDesktopMenu shown;
        desktop.desktop = {{"a"}, {"b"}};
        auto held = std::make_unique<DesktopLinks>(desktop, pictures, shown);
        held->BuildDesktopMenu();
        if (c.tornDown) {
            held->TearDownDesktopMenu();
        }
        own.clear();

        held.reset();

        EXPECT_EQ(own, c.expected);
    }
}

TEST_F(DesktopLinksTest, BuildingAgainWithoutTeardownFreesWhatTheFirstBuildHeld) {
    shell.desktop = {{"a"}, {"b"}};
    links.BuildDesktopMenu();
    const auto firstPidls = shell.pidls;

    links.BuildDesktopMenu();

    EXPECT_EQ(shell.freed, firstPidls);
    EXPECT_EQ(menu.Count(), 2u);
    EXPECT_EQ(menu.Entry(0).Name, "DesktopMenu_0");
}

} // namespace
} // namespace gw
