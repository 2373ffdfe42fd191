// Paths and names between the system's wide strings and the program's UTF-8: folder names that the
// ANSI code page of a Western system holds (lossless there too) and those it cannot hold (lossy
// there: "?" in place of each letter) all come back unchanged.

#include "shared/WideText.h"
#include "base/WideString.h"

#include <gtest/gtest.h>

#include <string>

namespace gw {
namespace {

struct FolderName {
    const char* what;
    std::u16string wide;
    std::string utf8;
};

// Windows names units, not characters: a lone surrogate is a valid file name.
const FolderName kFolders[] = {
    {"plain", u"C:\\Program Files\\Glidewing", "C:\\Program Files\\Glidewing"},
    {"Western, held by code page 1252", u"C:\\Zo\u00EB\\Glidewing", "C:\\Zo\xC3\xAB\\Glidewing"},
    {"Polish user, beyond 1252", u"C:\\Users\\\u0141ukasz\\AppData", "C:\\Users\\\xC5\x81ukasz\\AppData"},
    {"Cyrillic", u"C:\\\u041F\u0440\u043E\u0433\u0440\u0430\u043C\u043C\u044B\\Glidewing",
     "C:\\\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC\xD1\x8B\\Glidewing"},
    {"CJK", u"C:\\Users\\\u738B\u82B3\\Glidewing", "C:\\Users\\\xE7\x8E\x8B\xE8\x8A\xB3\\Glidewing"},
    {"beyond the BMP (a surrogate pair)", u"D:\\\U0001F4C1", "D:\\\xF0\x9F\x93\x81"},
    {"a lone high surrogate", std::u16string(u"D:\\a") + char16_t(0xD83D) + u"b",
     "D:\\a\xED\xA0\xBD"
     "b"},
    {"a lone low surrogate at the end", std::u16string(u"D:\\") + char16_t(0xDC01), "D:\\\xED\xB0\x81"},
};

TEST(WideText, FolderNamesGoThereAndBackUnchanged) {
    for (const FolderName& folder : kFolders) {
        SCOPED_TRACE(folder.what);
        EXPECT_EQ(FromWide(folder.wide), folder.utf8);
        EXPECT_EQ(ToWide<std::u16string>(folder.utf8), folder.wide);
        EXPECT_EQ(ToWide<std::u16string>(FromWide(folder.wide)), folder.wide);
    }
}

TEST(WideText, FixedRoomTakesTheTextAndItsZeroOrNothing) {
    const std::u16string wide = u"\u738B\u82B3.exe"; // 6 + 4 bytes in UTF-8
    const struct {
        std::uint32_t room;
        std::uint32_t answer;
        std::string held;
    } cases[] = {
        {11, 10, "\xE7\x8E\x8B\xE8\x8A\xB3.exe"},
        {64, 10, "\xE7\x8E\x8B\xE8\x8A\xB3.exe"},
        {10, kTextDoesNotFit, ""}, // no room for the zero
        {4, kTextDoesNotFit, ""},  // would cut a letter in two
        {1, kTextDoesNotFit, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.room);
        char out[64];
        std::fill(std::begin(out), std::end(out), 'x');
        EXPECT_EQ(Utf8FromWide(wide.data(), static_cast<std::uint32_t>(wide.size()), out, c.room), c.answer);
        EXPECT_EQ(std::string(out), c.held);
    }
    char16_t units[4];
    EXPECT_EQ(WideFromUtf8("abcd", 4, units, 4), kTextDoesNotFit);
    EXPECT_EQ(units[0], u'\0');
    EXPECT_EQ(WideFromUtf8("abc", 3, units, 4), 3u);
}

TEST(WideText, BytesThatAreNoUtf8StandForTheReplacementCharacter) {
    const struct {
        const char* what;
        std::string bytes;
        std::u16string wide;
    } cases[] = {
        {"a 1252 letter", "Zo\xEB", u"Zo\uFFFD"},
        {"cut short at the end", "a\xE7\x8E", u"a\uFFFD\uFFFD"},
        {"a continuation byte alone", "\x80z", u"\uFFFDz"},
        {"an overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD"},
        {"an overlong three-byte form", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
        {"past U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"a lead no code needs", "\xF8!", u"\uFFFD!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ToWide<std::u16string>(c.bytes), c.wide);
    }
}

TEST(WideText, TheFileNamePartOfAWidePath) {
    const struct {
        std::u16string path;
        std::string name;
    } cases[] = {
        {u"C:\\\u041F\u0440\u043E\u0433\\\u0426\u0435\u043B\u044C.exe",
         "\xD0\xA6\xD0\xB5\xD0\xBB\xD1\x8C.exe"},
        {u"\\\\?\\C:\\Tools/editor.exe", "editor.exe"},
        {u"C:editor.exe", "editor.exe"},
        {u"editor.exe", "editor.exe"},
        {u"C:\\Tools\\", ""},
        {u"", ""},
        {u"C:\\" + std::u16string(64, u'a'), ""}, // longer than the room
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        char out[64] = "left over";
        const std::uint32_t length =
            Utf8FileName(c.path.data(), static_cast<std::uint32_t>(c.path.size()), out, sizeof out);
        EXPECT_EQ(length, c.name.size());
        EXPECT_EQ(std::string(out), c.name);
    }
}

} // namespace
} // namespace gw
