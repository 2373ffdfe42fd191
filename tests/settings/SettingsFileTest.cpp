// The reading and writing rules of the settings file.

#include "settings/SettingsFile.h"
#include "ui/Error.h"

#include <gtest/gtest.h>

#include <map>

namespace gw {
namespace {

TEST(ParseSettingInteger, AcceptsDecimalHexAndAMinusSign) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> expected;
    };
    const Case cases[] = {
        {"0", 0},
        {"16", 16},
        {"0x10", 16},
        {"0X1f", 31},
        {"0xFF", 255},
        {"$10", 16},
        {"$ff", 255},
        {"-5", -5},
        {"-0x10", -16},
        {"-$A", -10},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"0x7FFFFFFF", 2147483647},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseSettingInteger(c.text), c.expected);
    }
}

TEST(ParseSettingInteger, AnythingElseIsNoInteger) {
    const char* cases[] = {"",   "abc", "true", "false", "yes", "1.5", "5 ", " 5", "+5",  "--5", "-",
                           "$",  "-$",  "0x",   "-0x",   "0xG", "$1g", "12a", "0x1 ", "1e3", "2147483648",
                           "-2147483649", "0x80000000", "99999999999999999999"};
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParseSettingInteger(text), std::nullopt);
    }
}

class MapProfile : public IProfileFile {
public:
    std::map<std::string, std::string> values;  // "Section/Key"
    std::vector<std::string> fallbacks;
    bool writable = true;

    std::string Read(const std::string&, const std::string& section, const std::string& key,
                     const std::string& fallback) override {
        fallbacks.push_back(fallback);
        const auto found = values.find(section + "/" + key);
        return found == values.end() ? fallback : found->second;
    }
    bool Write(const std::string&, const std::string& section, const std::string& key,
               const std::string& value) override {
        if (writable) {
            values[section + "/" + key] = value;
        }
        return writable;
    }
};

TEST(SettingsFile, MissingAndNonIntegerValuesGiveTheDefault) {
    MapProfile profile;
    profile.values = {{"Scroll/SpeedX", "abc"}, {"Scroll/SpeedY", "0x20"}, {"Tools/Check_zhlrj", "true"},
                      {"Scroll/GpEnabled", "2"}, {"Tools/Check_autorun", "no"}};
    SettingsFile file(profile, "C:\\G\\GWing.ini");
    EXPECT_EQ(file.ReadInteger("Scroll", "SpeedX", 10), 10);
    EXPECT_EQ(file.ReadInteger("Scroll", "SpeedY", 20), 32);
    EXPECT_EQ(file.ReadInteger("Scroll", "LiveKey", 2), 2);
    EXPECT_FALSE(file.ReadBool("Tools", "Check_zhlrj", false));
    EXPECT_TRUE(file.ReadBool("Scroll", "GpEnabled", true));
    EXPECT_TRUE(file.ReadBool("Tools", "Check_autorun", true));
    EXPECT_FALSE(file.ReadBool("Tools", "Check_ctype", false));
    // The default is handed to the profile API as text too, as a missing key reads it back.
    EXPECT_EQ(profile.fallbacks, (std::vector<std::string>{"10", "20", "2", "0", "1", "1", "0"}));
}

TEST(SettingsFile, WritesDecimalAndOneOrZero) {
    MapProfile profile;
    SettingsFile file(profile, "C:\\G\\GWing.ini");
    file.WriteInteger("Scroll", "LiveKey", -1);
    file.WriteInteger("Scroll", "SpeedX", 60);
    file.WriteBool("Scroll", "GpEnabled", true);
    file.WriteBool("Scroll", "Inverse", false);
    EXPECT_EQ(profile.values, (std::map<std::string, std::string>{
                                  {"Scroll/LiveKey", "-1"}, {"Scroll/SpeedX", "60"},
                                  {"Scroll/GpEnabled", "1"}, {"Scroll/Inverse", "0"}}));
}

TEST(SettingsFile, AFailedWriteNamesTheFile) {
    MapProfile profile;
    profile.writable = false;
    SettingsFile file(profile, "C:\\Read Only\\GWing.ini");
    try {
        file.WriteBool("Scroll", "Inverse", true);
        FAIL() << "no error raised";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "Unable to write to C:\\Read Only\\GWing.ini");
    }
}

} // namespace
} // namespace gw
