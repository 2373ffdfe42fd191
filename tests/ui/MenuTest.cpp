// Popup menu items: radio groups, run-time items, handlers.

#include "ui/Menu.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace gw
