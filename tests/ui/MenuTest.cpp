// Popup menu items: radio groups, run-time items, handlers.

#include "ui/Menu.h"

#include <gtest/gtest.h>

#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace gw {
namespace {

TEST(MenuItem, CheckingARadioItemUnchecksOnlyItsGroup) {
    TMenuItem root("N6", "Scroll options");
    TMenuItem& enable = root.Add("Menu_GpEnabled", "Enable");
    TMenuItem& classic = root.Add("menu_classic", "Classic");
    TMenuItem& toggle = root.Add("menu_toggle", "Toggle");
    TMenuItem& autoScroll = root.Add("Menu_auto", "Auto Scroll");
    TMenuItem& move = root.Add("Menu_move", "Move Scroll");
    classic.SetRadioGroup(1);
    toggle.SetRadioGroup(1);
    autoScroll.SetRadioGroup(3);
    move.SetRadioGroup(3);
    enable.SetChecked(true);
    classic.SetChecked(true);
    autoScroll.SetChecked(true);

    toggle.SetChecked(true);
    EXPECT_FALSE(classic.Checked());
    EXPECT_TRUE(toggle.Checked());
    EXPECT_TRUE(autoScroll.Checked());
    EXPECT_TRUE(enable.Checked());

    move.SetChecked(true);
    EXPECT_FALSE(autoScroll.Checked());
    EXPECT_TRUE(toggle.Checked());

    // A plain check item leaves the others alone, and unchecking a radio item is allowed.
    enable.SetChecked(false);
    move.SetChecked(false);
    EXPECT_TRUE(toggle.Checked());
    EXPECT_FALSE(move.Checked());
}

TEST(MenuItem, RunTimeItemsAreFoundByNameAndKnowTheirParent) {
    TMenuItem root("PopupMenu1", "");
    TMenuItem& eject = root.Add("OpenCDROM1", "Eject CD-ROM");
    TMenuItem& d = eject.Add("OpenCDROM_D", "D:");
    eject.Add("OpenCDROM_F", "F:");
    EXPECT_EQ(root.Find("OpenCDROM_F"), &eject.Item(1));
    EXPECT_EQ(root.Find("nothing"), nullptr);
    EXPECT_EQ(d.Parent(), &eject);
    EXPECT_EQ(eject.Count(), 2u);
    EXPECT_TRUE(root.Add("N7", "-").IsSeparator());
}

TEST(MenuItem, ClickPassesTheSenderAndRespectsEnabledAndRemovedHandlers) {
    TMenuItem item("OpenCDROM_F", "F:");
    std::vector<std::string> senders;
    item.OnClick = [&](TMenuItem& sender) { senders.push_back(sender.Name()); };
    item.Click();
    item.SetEnabled(false);
    item.Click();
    item.SetEnabled(true);
    item.OnClick = nullptr;
    item.Click();
    EXPECT_EQ(senders, (std::vector<std::string>{"OpenCDROM_F"}));
}

struct Owner {
    std::vector<std::string> clicks;
};

void Note(Owner& owner, TMenuItem& sender) {
    owner.clicks.push_back(sender.Name());
}

constexpr MenuRow<Owner> kRows[] = {
    {nullptr, "Open", "Open", 2, Note},
    {nullptr, "Sep", "-"},
    {nullptr, "Options", "Options", 1},
    {"Options", "On", "On", -1, Note, 0, true, true},
    {"Options", "A", "A", -1, Note, 5, false, true},
    {"Options", "B", "B", -1, Note, 5},
};

TEST(MenuRows, BuildTheTreeInTableOrderWithEachRowsSettings) {
    Owner owner;
    TPopupMenu menu("Menu", std::span<const MenuRow<Owner>>(kRows), owner);

    const TMenuItem& root = menu.Items;
    ASSERT_EQ(root.Count(), 3u);
    EXPECT_EQ(root.Item(0).ImageIndex(), 2);
    EXPECT_TRUE(root.Item(1).IsSeparator());
    TMenuItem& options = menu.Items.Named("Options");
    ASSERT_EQ(options.Count(), 3u);
    EXPECT_EQ(options.Item(1).Name(), "A");
    EXPECT_TRUE(options.Item(0).Default());
    EXPECT_FALSE(options.Item(0).RadioItem());
    EXPECT_TRUE(options.Item(1).Checked());

    menu.Items.Named("B").Click(); // a radio item: checking it is its handler's business
    menu.Items.Named("Open").Click();
    menu.Items.Named("Options").Click(); // no handler
    EXPECT_EQ(owner.clicks, (std::vector<std::string>{"B", "Open"}));
    menu.Items.Named("B").SetChecked(true);
    EXPECT_FALSE(menu.Items.Named("A").Checked());
}

TEST(MenuRows, AMissingNameIsAFaultOfTheProgram) {
    Owner owner;
    const MenuRow<Owner> orphan[] = {{"Nowhere", "Lost", "Lost"}};
    EXPECT_THROW(TPopupMenu("Menu", std::span<const MenuRow<Owner>>(orphan), owner), std::out_of_range);
    TMenuItem root("Root", "");
    EXPECT_THROW(root.Named("Lost"), std::out_of_range);
}

} // namespace
} // namespace gw
