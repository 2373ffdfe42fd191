// The last-chance repair after a crash: what TMainForm leaves for it while the hooks are in, and
// the steps it takes with that.

#include "Fakes.h"

#include "shared/HookShare.h"

#include <gtest/gtest.h>

namespace gw::test {
namespace {

// Records the repair's calls into the rig's journal, with HooksPaused as each hook comes out.
struct RecordingRepair final : ICrashRepair {
    MainFormRig& rig;
    explicit RecordingRepair(MainFormRig& r) : rig(r) {}
    void ReloadSystemCursors() override { rig.journal.push_back("SPI_SETCURSORS"); }
    void CallNoArgs(ProcAddress entry) override {
        rig.journal.push_back("Call " + rig.libraries.ExportName(entry) +
                              " paused=" + std::to_string(rig.section.Record.HooksPaused));
    }
};

std::vector<std::string> RepairAfter(MainFormRig& rig) {
    RecordingRepair repair(rig);
    const std::size_t from = rig.journal.size();
    RepairDesktop(rig.crash, repair);
    return {rig.journal.begin() + static_cast<long>(from), rig.journal.end()};
}

TEST(CrashRepair, PutsTheDesktopBackInTheShutdownsOrderWithWhatIsInstalled) {
    const std::vector<std::string> full = {"SPI_SETCURSORS", "Call KeyboardHookOff paused=1",
                                           "Call MouseHookOff paused=1"};
    struct Case {
        const char* name;
        std::function<void(MainFormRig&)> until;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"before start-up", [](MainFormRig&) {}, {"SPI_SETCURSORS"}},
        {"hook library missing",
         [](MainFormRig& r) {
             r.libraries.Available.erase("GWHooks.dll");
             r.Start();
         },
         {"SPI_SETCURSORS"}},
        {"running", [](MainFormRig& r) { r.Start(); }, full},
        {"in a thumb drag that swallows all input",
         [](MainFormRig& r) {
             r.Start();
             const WindowHandle edit = r.windows.AddChild(r.windows.AddTopLevel("Frame"), "Edit");
             r.windows.SetBarState(edit, win::kOBJID_VSCROLL, 0);
             r.scrollWorld.underCursor = edit;
             r.scrollWorld.bars[{edit.value, win::kOBJID_VSCROLL}] =
                 ScrollBarGeometry{Rect{0, 0, 17, 300}, 17, 0};
             r.form.HandleHookMouse(win::kWM_RBUTTONDOWN, PackHookPosition(100, 100));
             r.form.HandleHookMouse(win::kWM_MOUSEMOVE, PackHookPosition(100, 110));
             r.form.HandleHookMouse(win::kWM_MOUSEMOVE, PackHookPosition(100, 115));
             ASSERT_EQ(r.section.Record.PassInput, 0);
         },
         full},
        {"after exit",
         [](MainFormRig& r) {
             r.Start();
             r.form.FormDestroy();
         },
         {"SPI_SETCURSORS"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MainFormRig rig;
        c.until(rig);
        EXPECT_EQ(RepairAfter(rig), c.expected);
    }
}

TEST(CrashRepair, TheRecordIsCompleteBeforeEitherHookGoesIn) {
    MainFormRig rig;
    std::vector<bool> complete;
    rig.libraries.OnCall = [&](const std::string& name) {
        if (name.ends_with("HookOn")) {
            complete.push_back(rig.crash.View == &rig.section.Record && rig.crash.KeyboardHookOff &&
                               rig.crash.MouseHookOff);
        }
    };
    rig.Start();
    EXPECT_EQ(complete, (std::vector<bool>{true, true}));
}

} // namespace
} // namespace gw::test
