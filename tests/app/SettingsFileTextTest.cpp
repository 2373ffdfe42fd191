// The text of GWing.ini as the program writes it, byte for byte: a file written by one build and
// read by another must keep its keys, sections, order, spelling and values.

#include "Fakes.h"

#include <gtest/gtest.h>

namespace gw::test {
namespace {

// Every key away from its default; a few stored the way a hand-edited file may hold them (in
// hexadecimal, beyond a slider's end, outside a list), which a save writes back as the control
// took them.
const std::map<std::pair<std::string, std::string>, std::string> kStored = {
    {{"Scroll", "LiveKey"}, "0"},
    {{"Scroll", "SpeedX"}, "0x21"},
    {{"Scroll", "SpeedY"}, "75"},
    {{"Tools", "Check_zhlrj"}, "1"},
    {{"Tools", "Check_ctype"}, "1"},
    {{"Tools", "Check_dwan"}, "1"},
    {{"popdesk", "deskactive"}, "9"},
    {{"popdesk", "desktopuse"}, "1"},
    {{"popdesk", "desktoptime"}, "4"},
    {{"Scroll", "ScrollModeA"}, "1"},
    {{"Scroll", "ScrollModeB"}, "0"},
    {{"Scroll", "GpEnabled"}, "0"},
    {{"Tools", "Check_autorun"}, "0"},
    {{"Scroll", "MoveLock"}, "1"},
    {{"Scroll", "MoveBack"}, "1"},
    {{"Scroll", "Inverse"}, "1"},
    {{"Scroll", "AutoFollow"}, "1"},
    {{"popdesk", "everymonitor"}, "1"},
    {{"Applications", "FullScreenAside"}, "0"},
    {{"Applications", "Exclude1"}, "game.exe"},
    {{"Applications", "Exclude2"}, "paint.exe"},
};

constexpr char kExpected[] = "[Scroll]\r\n"
                             "LiveKey=0\r\n"
                             "SpeedX=33\r\n"
                             "SpeedY=60\r\n"
                             "ScrollModeA=1\r\n"
                             "ScrollModeB=0\r\n"
                             "GpEnabled=0\r\n"
                             "MoveLock=1\r\n"
                             "MoveBack=1\r\n"
                             "Inverse=1\r\n"
                             "AutoFollow=1\r\n"
                             "[Tools]\r\n"
                             "Check_zhlrj=1\r\n"
                             "Check_ctype=1\r\n"
                             "Check_dwan=1\r\n"
                             "Check_autorun=0\r\n"
                             "[popdesk]\r\n"
                             "deskactive=-1\r\n"
                             "desktopuse=1\r\n"
                             "desktoptime=4\r\n"
                             "everymonitor=1\r\n"
                             "[Applications]\r\n"
                             "FullScreenAside=0\r\n"
                             "Exclude1=game.exe\r\n"
                             "Exclude2=paint.exe\r\n";

TEST(SettingsFileText, OkWritesTheSameTextAsEveryBuildBefore) {
    MainFormRig rig;
    rig.profile.Values = kStored;
    rig.Start();
    ASSERT_TRUE(rig.boxes.Shown.empty());
    rig.Do([&] { rig.form.ConfigureItem.Click(); });
    rig.profile.Values.clear(); // a new file
    rig.ClearRecords();
    rig.Do([&] { rig.form.OkButton.Click(); });
    EXPECT_EQ(rig.profile.WrittenText(), kExpected);
    EXPECT_EQ(rig.profile.Paths, (std::set<std::string>{"C:\\Program Files\\Glidewing\\GWing.ini"}));
}

// A save from the tray writes the same text for the same settings in force.
TEST(SettingsFileText, ATraySaveWritesTheSameText) {
    for (const bool startFails : {false, true}) {
        SCOPED_TRACE(startFails ? "before the first apply" : "after the start");
        MainFormRig rig;
        rig.profile.Values = kStored;
        if (startFails) {
            rig.libraries.Available.erase("GWHooks.dll");
        }
        rig.Start();
        // The Enable item starts checked before the first apply, unchecked after a start that
        // applied GpEnabled=0: the last click leaves it off either way.
        if (!startFails) {
            rig.Do([&] { rig.form.EnableItem.Click(); });
        }
        rig.profile.Values.clear();
        rig.ClearRecords();
        rig.Do([&] { rig.form.EnableItem.Click(); });
        EXPECT_EQ(rig.profile.WrittenText(), kExpected);
    }
}

} // namespace
} // namespace gw::test
