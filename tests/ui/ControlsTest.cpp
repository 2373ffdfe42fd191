// Control state: handlers run only on real changes, the program's changes included; Views mirror.

#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/Menu.h"
#include "ui/TrayIcon.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

struct CountingView : TControl::View {
    int changes = 0;
    void ControlChanged(TControl&) override { ++changes; }
};

TEST(CheckBox, RunsOnClickOnlyWhenTheStateChanges) {
    TCheckBox box("Enabled");
    int clicks = 0;
    box.OnClick = [&] { ++clicks; };
    box.SetChecked(false);
    EXPECT_EQ(clicks, 0);
    box.SetChecked(true);
    box.SetChecked(true);
    EXPECT_EQ(clicks, 1);
    box.SetChecked(false);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(box.Caption(), "Enabled");
}

TEST(CheckBox, ViewSeesTheNewStateBeforeTheHandlerRuns) {
    TCheckBox box;
    struct View : TControl::View {
        std::vector<bool> seen;
        void ControlChanged(TControl& c) override { seen.push_back(static_cast<TCheckBox&>(c).Checked()); }
    } view;
    box.SetView(&view); // picks up the current state at once
    std::vector<bool> order;
    box.OnClick = [&] { order.push_back(view.seen.back()); };
    box.SetChecked(true);
    EXPECT_EQ(view.seen, (std::vector<bool>{false, true}));
    EXPECT_EQ(order, (std::vector<bool>{true}));
}

TEST(ComboBox, ProgramPositionsAreSilentAndOutOfRangeMeansNone) {
    TComboBox list;
    list.SetItems({"Classic", "Toggle "});
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    struct Case {
        int set;
        int expected;
    };
    const Case cases[] = {{1, 1}, {0, 0}, {2, -1}, {5, -1}, {-1, -1}, {-7, -1}, {1, 1}};
    for (const Case& c : cases) {
        list.SetItemIndex(c.set);
        EXPECT_EQ(list.ItemIndex(), c.expected) << c.set;
    }
    EXPECT_EQ(changes, 0);
}

TEST(ComboBox, UserChoicesFireOnlyOnChangeAndTextFollows) {
    TComboBox list;
    list.SetItems({"100", "200", "300"});
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    EXPECT_EQ(list.ItemIndex(), -1);
    EXPECT_EQ(list.SelectedText(), "");
    list.UserSelect(2);
    list.UserSelect(2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(list.SelectedText(), "300");
    list.UserSelect(9);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(list.ItemIndex(), -1);
}

TEST(TrackBar, ClampsAndFiresOnTheClampedChangeOnly) {
    TTrackBar slider(0, 60);
    int changes = 0;
    slider.OnChange = [&] { ++changes; };
    struct Case {
        int set;
        int position;
        int changesAfter;
    };
    const Case cases[] = {{10, 10, 1}, {99, 60, 2}, {60, 60, 2}, {1000, 60, 2}, {-3, 0, 3}, {0, 0, 3}};
    for (const Case& c : cases) {
        slider.SetPosition(c.set);
        EXPECT_EQ(slider.Position(), c.position) << c.set;
        EXPECT_EQ(changes, c.changesAfter) << c.set;
    }
}

TEST(Button, DisabledButtonDoesNotClick) {
    TButton button("&Apply");
    CountingView view;
    button.SetView(&view);
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    button.Click();
    button.SetEnabled(false);
    button.SetEnabled(false);
    button.Click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(view.changes, 2); // attach, then one real change
}

TEST(PageControl, IgnoresPagesThatDoNotExist) {
    TPageControl pages({"Scroll", "Tools", "PopDesk", "About"}, 3);
    pages.SetActivePageIndex(4);
    pages.SetActivePageIndex(-1);
    EXPECT_EQ(pages.ActivePageIndex(), 3);
    pages.SetActivePageIndex(1);
    EXPECT_EQ(pages.ActivePageIndex(), 1);
}

TEST(Form, ShowHideCloseAndAHandleOnlyThroughTheView) {
    TForm form;
    EXPECT_FALSE(form.Handle());
    struct View : TForm::View {
        int changes = 0, closes = 0;
        void FormChanged(TForm&) override { ++changes; }
        WindowHandle HandleNeeded(TForm&) override { return WindowHandle{0x99}; }
        void CloseRequested(TForm&) override { ++closes; }
    } view;
    form.SetView(&view);
    form.Show();
    form.Show();
    form.Hide();
    form.SetCaption("Glidewing ");
    EXPECT_EQ(view.changes, 5); // attach, show, show again (to the front), hide, caption
    EXPECT_EQ(form.Handle(), WindowHandle{0x99});
    form.Close();
    EXPECT_EQ(view.closes, 1);
    EXPECT_TRUE(form.CloseCalled());
}

TEST(TrayIcon, RightPressOpensTheMenuAfterTheHandlerOthersDoNot) {
    TTrayIcon icon;
    TPopupMenu menu("PopupMenu1");
    std::vector<std::string> order;
    struct MenuView : TPopupMenu::View {
        std::vector<std::string>* order;
        void Popup(TPopupMenu&, Point at) override { order->push_back("popup " + std::to_string(at.x)); }
    } menuView;
    menuView.order = &order;
    menu.SetView(&menuView);
    icon.PopupMenu = &menu;
    icon.OnMouseDown = [&](TMouseButton button, std::uint32_t, Point) {
        order.push_back(button == TMouseButton::Right ? "down right" : "down other");
    };
    icon.MouseDown(TMouseButton::Left, 0, {1, 1});
    icon.MouseDown(TMouseButton::Middle, 0, {2, 2});
    icon.MouseDown(TMouseButton::Right, 0, {3, 3});
    EXPECT_EQ(order, (std::vector<std::string>{"down other", "down other", "down right", "popup 3"}));
}

TEST(TrayIcon, ViewHearsOnlyRealChanges) {
    TTrayIcon icon;
    struct View : TTrayIcon::View {
        int changes = 0;
        void TrayIconChanged(TTrayIcon&) override { ++changes; }
    } view;
    icon.SetView(&view);
    icon.SetIconIndex(0);
    icon.SetIconIndex(1);
    icon.SetHint("Glidewing ");
    icon.SetHint("Glidewing ");
    EXPECT_EQ(view.changes, 3);
}

} // namespace
} // namespace gw
