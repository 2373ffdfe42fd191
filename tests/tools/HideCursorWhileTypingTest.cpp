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

struct KeyCase {
    const char* name;
    std::uint32_t code;
    bool hides;
};

class KeyFilterTest : public HideCursorTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyFilterTest, OnlyTypingKeysBlankTheArrowAndTheIBeam) {
    hider.HandleHookKey(GetParam().code);

    if (GetParam().hides) {
        EXPECT_EQ(api.calls, kBlanking);
        EXPECT_FALSE(hider.SystemCursorsShown());
        EXPECT_EQ(record.CursorShown, 0);
    } else {
        EXPECT_TRUE(api.calls.empty());
        EXPECT_TRUE(hider.SystemCursorsShown());
        EXPECT_EQ(record.CursorShown, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyFilterTest,
    ::testing::Values(
        KeyCase{"Null", 0x00, false}, KeyCase{"Backspace", 0x08, false}, KeyCase{"Tab", 0x09, false},
        KeyCase{"Enter", 0x0D, false}, KeyCase{"Shift", 0x10, false}, KeyCase{"Ctrl", 0x11, false},
        KeyCase{"Alt", 0x12, false}, KeyCase{"CapsLock", 0x14, false}, KeyCase{"Esc", 0x1B, false},
        KeyCase{"Below_Space", 0x1F, false}, KeyCase{"Space", 0x20, true}, KeyCase{"Left", 0x25, true},
        KeyCase{"Down", 0x28, true}, KeyCase{"Delete", 0x2E, true}, KeyCase{"Digit0", 0x30, true},
        KeyCase{"LetterA", 0x41, true}, KeyCase{"LeftWindows", 0x5B, true},
        KeyCase{"RightWindows", 0x5C, true}, KeyCase{"F1", 0x70, true}, KeyCase{"F24", 0x87, true},
        KeyCase{"LeftShiftVariant", 0xA0, true}, KeyCase{"Oem", 0xBA, true}, KeyCase{"Last", 0xFF, true},
        KeyCase{"Above_Last", 0x100, false}, KeyCase{"Huge", 0xFFFFFFFF, false}),
    [](const auto& param) { return std::string(param.param.name); });

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

TEST_F(HideCursorTest, FurtherKeysWhileHiddenReplaceNothing) {
    Hide();

    hider.HandleHookKey('A'); // its key-up
    hider.HandleHookKey('B');

    EXPECT_TRUE(api.calls.empty());
    EXPECT_EQ(record.CursorShown, 0);
}

struct MouseCase {
    const char* name;
    std::uint32_t message;
    Point at;
    bool restores;
};

constexpr Point kLast{400, 300};

class RestoreTest : public HideCursorTest, public ::testing::WithParamInterface<MouseCase> {};

TEST_P(RestoreTest, OnlyANewPositionOrAPressBringsTheCursorsBack) {
    Hide();

    hider.RestoreAfterTyping(GetParam().message, GetParam().at, kLast);

    if (GetParam().restores) {
        EXPECT_EQ(api.calls, kRestore);
        EXPECT_TRUE(hider.SystemCursorsShown());
        EXPECT_EQ(record.CursorShown, 1);
    } else {
        EXPECT_TRUE(api.calls.empty());
        EXPECT_FALSE(hider.SystemCursorsShown());
        EXPECT_EQ(record.CursorShown, 0);
    }
}

using namespace win;
INSTANTIATE_TEST_SUITE_P(Messages, RestoreTest,
                         ::testing::Values(MouseCase{"MoveRight", kWM_MOUSEMOVE, {401, 300}, true},
                                           MouseCase{"MoveDown", kWM_MOUSEMOVE, {400, 301}, true},
                                           MouseCase{"NcMoveElsewhere", kWM_NCMOUSEMOVE, {10, 10}, true},
                                           MouseCase{"ReleaseElsewhere", kWM_LBUTTONUP, {0, 0}, true},
                                           MouseCase{"SamePlaceMove", kWM_MOUSEMOVE, kLast, false},
                                           MouseCase{"SamePlaceWheel", kWM_MOUSEWHEEL, kLast, false},
                                           MouseCase{"SamePlaceLeftRelease", kWM_LBUTTONUP, kLast, false},
                                           MouseCase{"SamePlaceRightRelease", kWM_RBUTTONUP, kLast, false},
                                           MouseCase{"SamePlaceDoubleClick", kWM_LBUTTONDBLCLK, kLast, false},
                                           MouseCase{"SamePlaceNcDoubleClick", kWM_NCLBUTTONDBLCLK, kLast,
                                                     false},
                                           MouseCase{"LeftPress", kWM_LBUTTONDOWN, kLast, true},
                                           MouseCase{"RightPress", kWM_RBUTTONDOWN, kLast, true},
                                           MouseCase{"MiddlePress", kWM_MBUTTONDOWN, kLast, true},
                                           MouseCase{"NcLeftPress", kWM_NCLBUTTONDOWN, kLast, true},
                                           MouseCase{"NcRightPress", kWM_NCRBUTTONDOWN, kLast, true},
                                           MouseCase{"NcMiddlePress", kWM_NCMBUTTONDOWN, kLast, true}),
                         [](const auto& param) { return std::string(param.param.name); });

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

TEST_F(HideCursorTest, TypingAgainAfterARestoreHidesAgain) {
    Hide();
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
