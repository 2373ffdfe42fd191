// The Applications section of the settings file: what a stored list reads as, what a save leaves
// behind, and which names a list takes.

#include "settings/Applications.h"

#include "base/Error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace gw {
namespace {

using KeyList = std::vector<std::pair<std::string, std::string>>;

// The section "Applications" of a profile file, its keys in file order (new ones go last).
class SectionFile final : public IProfileFile {
public:
    KeyList keys;
    std::string failAt; // writing or deleting this key fails

    std::string Read(const std::string&, const std::string&, const std::string& key,
                     const std::string& fallback) override {
        const auto found = Find(key);
        return found == keys.end() ? fallback : found->second;
    }
    bool Write(const std::string&, const std::string&, const std::string& key,
               const std::string& value) override {
        if (key == failAt) {
            return false;
        }
        if (const auto found = Find(key); found != keys.end()) {
            found->second = value;
        } else {
            keys.emplace_back(key, value);
        }
        return true;
    }
    std::vector<std::string> Keys(const std::string&, const std::string&) override {
        std::vector<std::string> names;
        for (const auto& entry : keys) {
            names.push_back(entry.first);
        }
        return names;
    }
    bool Remove(const std::string&, const std::string&, const std::string& key) override {
        std::erase_if(keys, [&](const auto& entry) { return entry.first == key; });
        return key != failAt;
    }

private:
    KeyList::iterator Find(const std::string& key) {
        return std::find_if(keys.begin(), keys.end(), [&](const auto& entry) { return entry.first == key; });
    }
};

TEST(ApplicationsSection, ReadsTheListInKeyOrderAndSkipsWhatIsNoEntry) {
    KeyList many;
    for (int i = 40; i >= 1; --i) {
        many.emplace_back("Exclude" + std::to_string(i), std::to_string(i) + ".exe");
    }
    std::vector<std::string> first32;
    for (int i = 1; i <= 32; ++i) {
        first32.push_back(std::to_string(i) + ".exe");
    }
    struct Case {
        const char* name;
        KeyList keys;
        ApplicationSettings expected;
    };
    const Case cases[] = {
        {"no section", {}, {{}, true}},
        {"option off", {{"FullScreenAside", "0"}}, {{}, false}},
        {"option not a number", {{"FullScreenAside", "off"}}, {{}, true}},
        {"by number, any case of the key, gaps",
         {{"Exclude10", "c.exe"}, {"exclude2", "b.exe"}, {"EXCLUDE1", "a.exe"}},
         {{"a.exe", "b.exe", "c.exe"}, true}},
        {"empty, overlong, repeated and paths skipped",
         {{"Exclude1", ""},
          {"Exclude2", std::string(64, 'b')},
          {"Exclude3", std::string(63, 'a')},
          {"Exclude4", "MSPaint.EXE"},
          {"Exclude5", "mspaint.exe"},
          {"Exclude6", "C:\\Games\\game.exe"}},
         {{std::string(63, 'a'), "MSPaint.EXE"}, true}},
        {"unknown keys skipped",
         {{"Exclude", "a.exe"},
          {"Exclude0", "b.exe"},
          {"Exclude01", "c.exe"},
          {"Exclude1x", "d.exe"},
          {"Exclude123456", "e.exe"},
          {"Include1", "f.exe"},
          {"Exclude99999", "g.exe"}},
         {{"g.exe"}, true}},
        {"the first 32", many, {first32, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SectionFile profile;
        profile.keys = c.keys;
        SettingsFile file(profile, "GWing.ini");
        EXPECT_EQ(ReadApplicationSettings(file), c.expected);
    }
}

TEST(ApplicationsSection, SaveWritesTheListAndDeletesWhatLiesPastItsEnd) {
    SectionFile profile;
    profile.keys = {{"Exclude1", "old.exe"},
                    {"Note", "mine"},
                    {"Exclude2", "two.exe"},
                    {"Exclude7", "7.exe"},
                    {"Exclude01", "kept.exe"}};
    SettingsFile file(profile, "GWing.ini");
    WriteApplicationSettings(file, {{"a.exe"}, false});
    EXPECT_EQ(
        profile.keys,
        (KeyList{
            {"Exclude1", "a.exe"}, {"Note", "mine"}, {"Exclude01", "kept.exe"}, {"FullScreenAside", "0"}}));

    // A key that cannot be written or deleted stops the save with the other keys' message.
    for (const char* failing : {"FullScreenAside", "Exclude2", "Exclude3"}) {
        profile.keys = {{"Exclude3", "gone.exe"}};
        profile.failAt = failing;
        try {
            WriteApplicationSettings(file, {{"a.exe", "b.exe"}, true});
            ADD_FAILURE() << failing;
        } catch (const Error& error) {
            EXPECT_STREQ(error.what(), "Unable to write to GWing.ini") << failing;
        }
    }
}

TEST(ApplicationsList, TakesTheFileNameOfAPathOnce) {
    std::vector<std::string> full;
    for (int i = 0; i < 32; ++i) {
        full.push_back(std::to_string(i) + ".exe");
    }
    struct Case {
        std::vector<std::string> list;
        std::string path;
        AddProgramResult result;
        std::vector<std::string> after;
    };
    const Case cases[] = {
        {{"a.exe"}, "\\Device\\HarddiskVolume1\\Tools\\b.exe", AddProgramResult::Added, {"a.exe", "b.exe"}},
        {{"MSPAINT.EXE"}, "D:/x/mspaint.exe", AddProgramResult::AlreadyListed, {"MSPAINT.EXE"}},
        {{}, "C:\\Folder\\", AddProgramResult::NotAName, {}},
        {{}, "C:\\" + std::string(64, 'n'), AddProgramResult::NotAName, {}},
        {full, "new.exe", AddProgramResult::ListFull, full},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        std::vector<std::string> list = c.list;
        EXPECT_EQ(AddProgram(list, c.path), c.result);
        EXPECT_EQ(list, c.after);
    }
}

} // namespace
} // namespace gw
