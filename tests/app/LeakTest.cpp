// A day of use in a few hundred milliseconds: the real TMainForm goes through every kind of
// gesture, PopDesk shows, configuration window cycles and typing bursts, and every handle, cursor
// copy, library, COM object, shell allocation, image, menu entry, thread attachment and capture
// the fakes hand out must be back where it was when the run began.

#include "Fakes.h"

#include "shared/HookShare.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace gw::test {
namespace {

using Counts = std::map<std::string, std::size_t>;

// How the press starts and how the gesture goes on.
enum class Over { OwnBar, BarControl, WheelPage, Plain };
enum class Motion { Scroll, Click };

struct Day : MainFormRig {
    std::unique_ptr<TMainForm> f;
    FakeMenuView deskMenu{deskLog};
    WindowHandle ownBar, barControl, barPointed, wheelPage, plain;

    Day() {
        drives.CdromLetters = "DE"; // per-drive door items, each opening and closing an MCI device
        files.Existing.insert("C:\\Program Files\\Glidewing\\glidewing.chm");
        libraries.Available["HHCTRL.OCX"] = {"HtmlHelpW"};
        deskShell.desktop = {{"Computer", 0x20000000}, {"Notes.txt"}, {"Tool.lnk"}, {"No icon", 0, false}};
        BuildDesktop();
        f = std::make_unique<TMainForm>(application, Seams());
        f->SetView(&formView);
        f->desktopmenu.SetView(&deskMenu);
        deskMenu.onExitLoop = [this] { f->DesktopMenuLoopEnded(); };
        Do([&] { f->FormCreate(); });
    }

    void BuildDesktop() {
        const WindowHandle frame = windows.AddTopLevel("Frame");
        ownBar = windows.AddChild(frame, "Edit");
        windows.SetBarState(ownBar, win::kOBJID_VSCROLL, 0);
        windows.SetBarState(ownBar, win::kOBJID_HSCROLL, win::kSTATE_SYSTEM_INVISIBLE);
        scrollWorld.bars[{ownBar.value, win::kOBJID_VSCROLL}] =
            ScrollBarGeometry{Rect{583, 100, 600, 500}, 17, 40};
        const WindowHandle panel = windows.AddTopLevel("Panel");
        barPointed = windows.AddChild(panel, "View");
        barControl = windows.AddChild(panel, "ScrollBar", win::kSBS_VERT);
        scrollWorld.bars[{barControl.value, win::kOBJID_CLIENT}] =
            ScrollBarGeometry{Rect{900, 100, 917, 500}, 17, 30};
        wheelPage = windows.AddChild(windows.AddTopLevel("Frame"), "MozillaWindowClass");
        plain = windows.AddChild(windows.AddTopLevel("Frame"), "Static");
    }

    void Mouse(std::uint32_t message, std::int32_t x, std::int32_t y) {
        Do([&] { f->HandleHookMouse(message, PackHookPosition(x, y)); });
    }
    void Choose(TMenuItem& item) {
        Do([&] { item.Click(); });
    }

    // One gesture of the right button from (300, 300).
    void Gesture(bool toggle, bool move, Over over, Motion motion) {
        Choose(toggle ? f->ToggleItem : f->ClassicItem);
        Choose(move ? f->MoveScrollItem : f->AutoScrollItem);
        scrollWorld.underCursor = over == Over::OwnBar       ? ownBar
                                  : over == Over::BarControl ? barPointed
                                  : over == Over::WheelPage  ? wheelPage
                                                             : plain;
        Mouse(win::kWM_RBUTTONDOWN, 300, 300);
        if (toggle) {
            Mouse(win::kWM_RBUTTONUP, 300, 300);
        }
        if (motion == Motion::Scroll) {
            for (int y = 302; y <= 330; y += 4) {
                Mouse(win::kWM_MOUSEMOVE, 300, y);
            }
            Do([&] { f->ScrollTimer.Fire(); });
            Do([&] { f->ScrollTimer.Fire(); });
        }
        if (toggle) {
            Mouse(win::kWM_RBUTTONDOWN, 300, motion == Motion::Scroll ? 330 : 300);
        }
        Mouse(win::kWM_RBUTTONUP, 300, motion == Motion::Scroll ? 330 : 300);
        Mouse(win::kWM_MOUSEMOVE, 310, 310);
    }

    void PopDeskShow(int n) {
        deskMenu.choose = n % 5 - 1; // now and then closed without a choice
        deskScreen.cursor = Point{0, 0};
        Do([&] { f->DeskTrigger.Timer().Fire(); }); // shows
        deskScreen.cursor = Point{500, 400};
        Do([&] { f->DeskTrigger.Timer().Fire(); }); // tears down
    }

    void ConfigurationCycle(int n) {
        Choose(f->ConfigureItem);
        f->SpeedYSlider.SetPosition(n % 61);
        f->SwapButtonsBox.SetChecked(n % 2 == 0);
        f->PopDeskBox.SetChecked(true);
        Do([&] { f->ApplyButton.Click(); });
        Do([&] { f->HelpButton.Click(); });
        Do([&] { (n % 2 ? f->OkButton : f->CancelButton).Click(); });
        Choose(f->EjectItem.Item(static_cast<std::size_t>(n % 2)));
        Choose(f->LockItem);
    }

    void TypingBurst(int n) {
        for (std::uint32_t key : {0x41u, 0x42u, 0x20u, 0x0Du, 0x43u}) {
            Do([&] { f->HandleHookKey(key, 0x001E0001); });
        }
        Mouse(win::kWM_MOUSEMOVE, 400 + n % 2, 400);
    }

    Counts Outstanding() {
        Counts counts = ledger.Outstanding();
        counts["desktop menu entry"] = f ? f->desktopmenu.Count() : 0;
        counts["tray menu item"] = f ? MenuItems(f->TrayMenu.Items) : 0;
        return counts;
    }
    static std::size_t MenuItems(const TMenuItem& item) {
        std::size_t n = item.Count();
        for (std::size_t i = 0; i < item.Count(); ++i) {
            n += MenuItems(item.Item(i));
        }
        return n;
    }
    // Keep the records from growing over the run; only the ledger counts.
    void Forget() {
        ClearRecords();
        scrollWorld.Take();
        deskLog.clear();
    }
};

void Print(const char* when, const Counts& counts) {
    std::string line;
    for (const auto& [kind, n] : counts) {
        line += " " + kind + "=" + std::to_string(n);
    }
    std::printf("[ leak counts ] %s:%s\n", when, line.c_str());
}

TEST(Leaks, ADayOfUseGivesBackEverythingItTakes) {
    Day day;
    ASSERT_TRUE(day.boxes.Shown.empty());
    // One of everything first: what is held from then on (the help control, the enumerator of
    // the last PopDesk build and its images, the cursor copy of the last thumb drag) is held by
    // design and stays level.
    day.ConfigurationCycle(1); // PopDesk on
    day.Choose(day.f->ConfigureItem);
    day.f->HideWhileTypingBox.SetChecked(true);
    day.Do([&] { day.f->OkButton.Click(); });
    for (int kind = 0; kind < 16; ++kind) {
        day.Gesture(kind % 2 != 0, kind / 2 % 2 != 0, static_cast<Over>(kind / 4), Motion::Scroll);
    }
    day.PopDeskShow(1);
    day.TypingBurst(1);
    const Counts before = day.Outstanding();
    Print("before the run", before);

    const Over overs[] = {Over::OwnBar, Over::BarControl, Over::WheelPage, Over::Plain};
    for (int i = 0; i < 1000; ++i) {
        const bool toggle = i % 2 != 0;
        const bool move = i / 2 % 2 != 0;
        day.Gesture(toggle, move, overs[i / 4 % 4], i / 16 % 3 == 2 ? Motion::Click : Motion::Scroll);
        if (i % 5 == 0) {
            day.PopDeskShow(i);
            day.ConfigurationCycle(i);
        }
        day.TypingBurst(i);
        if (i % 50 == 0) {
            day.Forget();
        }
    }
    const Counts after = day.Outstanding();
    Print("after 1000 gestures, 200 PopDesk shows, 200 window cycles, 1000 typing bursts", after);
    EXPECT_EQ(after, before);
    EXPECT_TRUE(day.ledger.Faults().empty());
    EXPECT_TRUE(day.boxes.Shown.empty());
    EXPECT_GE(day.ledger.Taken().at("cursor copy"), 1000);
    EXPECT_GE(day.ledger.Taken().at("item id list"), 200);

    // Nothing left half done: input handed back, hooks awake, cursors the user's own.
    const HookShare& record = day.section.Record;
    EXPECT_EQ(record.PassInput, 1);
    EXPECT_EQ(record.HooksPaused, 0);
    EXPECT_TRUE(day.f->HideCursor.SystemCursorsShown());
    EXPECT_EQ(day.scrollWorld.keyboard[win::kVK_LBUTTON], 0);
    EXPECT_FALSE(day.f->ScrollTimer.Enabled());
    EXPECT_EQ(day.f->DeskTrigger.Timer().Enabled(), day.f->Runtime.PopDeskEnabled);

    // Exit: only the help control (kept for the life of the process) and the picture list's copies
    // of the last build (destroyed with the list) outlive the form.
    day.Do([&] { day.f->FormDestroy(); });
    day.f.reset();
    Counts leftAtExit;
    for (const auto& [kind, n] : day.Outstanding()) {
        if (n != 0) {
            leftAtExit[kind] = n;
        }
    }
    Print("after exit", leftAtExit);
    EXPECT_EQ(leftAtExit, (Counts{{"image list image", 3}, {"library", 1}}));
}

} // namespace
} // namespace gw::test
