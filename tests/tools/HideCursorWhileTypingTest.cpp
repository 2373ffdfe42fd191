// Hide cursor while typing against a recording cursor API: which keys blank the cursor, that only
// the arrow and the I-beam are replaced (each with its own copy of BLANK), and which mouse
// messages bring the cursors back.

#include "tools/HideCursorWhileTyping.h"

#include "shared/Win32Values.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gw {
namespace {

class RecordingCursorApi : public ICursorApi {
public:
    CursorHandle LoadCursorResource(const char* name) override {
        CursorHandle h = Mint();
        loaded.emplace_back(name, h);
        return h;
    }
    CursorHandle CopyCursor(CursorHandle cursor) override {
        CursorHandle h = Mint();
        calls.push_back("copy " + NameOf(cursor));
        return h;
    }
    void SetSystemCursor(CursorHandle cursor, std::uint32_t systemId) override {
        calls.push_back("set " + std::to_string(systemId));
        handedOver.push_back(cursor);
    }
    void SetCursor(CursorHandle) override { calls.push_back("setcursor"); }
    void ReloadSystemCursors() override { calls.push_back("reload"); }
    void DestroyCursor(CursorHandle) override { calls.push_back("destroy"); }

    std::vector<std::string> calls;
    std::vector<CursorHandle> handedOver;

private:
    CursorHandle Mint() { return CursorHandle{++next_}; }
    std::string NameOf(CursorHandle h) const {
        for (const auto& [name, handle] : loaded) {
            if (handle == h) {
                return name;
            }
        }
        return "?";
    }
    std::uintptr_t next_ = 0;
    std::vector<std::pair<std::string, CursorHandle>> loaded;
};

const std::vector<std::string> kBlanking = {"copy BLANK", "set 32512", "copy BLANK", "set 32513"};
const std::vector<std::string> kRestore = {"reload"};

constexpr Point kLast{400, 300};
using namespace win;

class HideCursorTest : public ::testing::Test {
protected:
    HideCursorTest() {
        cursors.RegisterAll();
        record.CursorShown = 1;
        share.Attach(&record);
        settings.HideWhileTyping = true;
    }

    void Hide() {
        hider.HandleHookKey('A');
        api.calls.clear();
    }

    RecordingCursorApi api;
    SystemCursors cursors{api};
    HookShare record{};
    HookShareWriter share;
    RuntimeSettings settings;
    HideCursorWhileTyping hider{settings, share, cursors};
};

// Typing keys blank the arrow and the I-beam; control keys and codes past 0xFF do nothing.
TEST_F(HideCursorTest, OnlyTypingKeysBlankTheArrowAndTheIBeam) {
    const struct {
        std::uint32_t code;
        bool hides;
    } cases[] = {{0x00, false}, {0x08, false}, {0x09, false}, {0x0D, false},  {0x10, false},
                 {0x11, false}, {0x12, false}, {0x14, false}, {0x1B, false},  {0x1F, false},
                 {0x20, true},  {0x25, true},  {0x28, true},  {0x2E, true},   {0x30, true},
                 {0x41, true},  {0x5B, true},  {0x5C, true},  {0x70, true},   {0x87, true},
                 {0xA0, true},  {0xBA, true},  {0xFF, true},  {0x100, false}, {0xFFFFFFFF, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        hider.RestoreAfterTyping(kWM_LBUTTONDOWN, kLast, kLast); // shown again after the row before
        api.calls.clear();
        hider.HandleHookKey(c.code);
        EXPECT_EQ(api.calls, c.hides ? kBlanking : std::vector<std::string>{});
        EXPECT_EQ(hider.SystemCursorsShown(), !c.hides);
        EXPECT_EQ(record.CursorShown, c.hides ? 0 : 1);
    }
}

TEST_F(HideCursorTest, EachReplacedCursorIsAFreshCopyOfBlank) {
    hider.HandleHookKey(' ');

    ASSERT_EQ(api.handedOver.size(), 2u);
    EXPECT_NE(api.handedOver[0], api.handedOver[1]);
    EXPECT_NE(api.handedOver[0], cursors.Registered(BLANK));
}

TEST_F(HideCursorTest, OptionOffNoKeyHides) {
    settings.HideWhileTyping = false;

    for (std::uint32_t code : {0x20u, 0x41u, 0xFFu}) {
        hider.HandleHookKey(code);
    }

    EXPECT_TRUE(api.calls.empty());
    EXPECT_TRUE(hider.SystemCursorsShown());
}

// Only a new position or a press brings the cursors back.
TEST_F(HideCursorTest, OnlyANewPositionOrAPressBringsTheCursorsBack) {
    const struct {
        std::uint32_t message;
        Point at;
        bool restores;
    } cases[] = {{kWM_MOUSEMOVE, {401, 300}, true}, {kWM_MOUSEMOVE, {400, 301}, true},
                 {kWM_NCMOUSEMOVE, {10, 10}, true}, {kWM_LBUTTONUP, {0, 0}, true},
                 {kWM_MOUSEMOVE, kLast, false},     {kWM_MOUSEWHEEL, kLast, false},
                 {kWM_LBUTTONUP, kLast, false},     {kWM_RBUTTONUP, kLast, false},
                 {kWM_LBUTTONDBLCLK, kLast, false}, {kWM_NCLBUTTONDBLCLK, kLast, false},
                 {kWM_LBUTTONDOWN, kLast, true},    {kWM_RBUTTONDOWN, kLast, true},
                 {kWM_MBUTTONDOWN, kLast, true},    {kWM_NCLBUTTONDOWN, kLast, true},
                 {kWM_NCRBUTTONDOWN, kLast, true},  {kWM_NCMBUTTONDOWN, kLast, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.message << " at " << c.at.x << ',' << c.at.y);
        hider.RestoreAfterTyping(kWM_MOUSEMOVE, {7, 7}, kLast); // shown again after the row before
        Hide();
        hider.RestoreAfterTyping(c.message, c.at, kLast);
        EXPECT_EQ(api.calls, c.restores ? kRestore : std::vector<std::string>{});
        EXPECT_EQ(hider.SystemCursorsShown(), c.restores);
        EXPECT_EQ(record.CursorShown, c.restores ? 1 : 0);
    }
}

TEST_F(HideCursorTest, NothingToRestoreWhileShown) {
    hider.RestoreAfterTyping(kWM_LBUTTONDOWN, {1, 1}, kLast);

    EXPECT_TRUE(api.calls.empty());
    EXPECT_EQ(record.CursorShown, 1);
}

TEST_F(HideCursorTest, ApplyingTheOptionOffBringsHiddenCursorsBack) {
    struct Case {
        const char* name;
        bool hidden;
        bool optionOn;
        bool restores;
    };
    const Case cases[] = {
        {"hidden, option off", true, false, true},
        {"hidden, option still on", true, true, false}, // the next move or press restores
        {"shown, option off", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings.HideWhileTyping = true;
        hider.RestoreAfterTyping(kWM_MOUSEMOVE, {7, 7}, kLast); // shown again after the row before
        if (c.hidden) {
            Hide();
        }
        api.calls.clear();
        settings.HideWhileTyping = c.optionOn;
        if (!c.optionOn) {
            // With the option off no mouse message brings them back: the apply has to.
            hider.RestoreAfterTyping(kWM_MOUSEMOVE, {1, 1}, kLast);
            EXPECT_TRUE(api.calls.empty());
        }

        hider.SettingsApplied();
        EXPECT_EQ(api.calls, c.restores ? kRestore : std::vector<std::string>{});
        EXPECT_EQ(hider.SystemCursorsShown(), !c.hidden || c.restores);
        EXPECT_EQ(record.CursorShown, hider.SystemCursorsShown() ? 1 : 0);
    }
}

// Further keys while hidden (the key-up included) replace nothing; after a restore, typing hides
// again.
TEST_F(HideCursorTest, FurtherKeysWhileHiddenReplaceNothingTypingAfterARestoreHidesAgain) {
    Hide();
    hider.HandleHookKey('A');
    hider.HandleHookKey('B');
    EXPECT_TRUE(api.calls.empty());
    EXPECT_EQ(record.CursorShown, 0);

    hider.RestoreAfterTyping(kWM_MOUSEMOVE, {1, 1}, kLast);
    api.calls.clear();
    hider.HandleHookKey(0x0D); // Enter: still not typing
    EXPECT_TRUE(api.calls.empty());
    hider.HandleHookKey('x');
    EXPECT_EQ(api.calls, kBlanking);
    EXPECT_FALSE(hider.SystemCursorsShown());
}

TEST_F(HideCursorTest, WorksWithoutTheSharedRecord) {
    share.Detach();

    hider.HandleHookKey('A');
    EXPECT_FALSE(hider.SystemCursorsShown());
    hider.RestoreAfterTyping(kWM_RBUTTONDOWN, kLast, kLast);

    EXPECT_TRUE(hider.SystemCursorsShown());
    EXPECT_EQ(record.CursorShown, 1); // untouched
}

} // namespace
} // namespace gw
