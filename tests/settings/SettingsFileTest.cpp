// The reading and writing rules of the settings file.

#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

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
    const char* cases[] = {"",     "abc", "true",       "false",       "yes",        "1.5",
                           "5 ",   " 5",  "+5",         "--5",         "-",          "$",
                           "-$",   "0x",  "-0x",        "0xG",         "$1g",        "12a",
                           "0x1 ", "1e3", "2147483648", "-2147483649", "0x80000000", "99999999999999999999"};
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParseSettingInteger(text), std::nullopt);
    }
}

} // namespace
} // namespace gw
