// The Applications section of the settings file: what a stored list reads as, what a save leaves
// behind, and which names a list takes.

#include "settings/Applications.h"

#include "base/Error.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace gw {
namespace {

constexpr char kPath[] = "C:\\Glidewing\\GWing.ini";

// One section of a profile file, its keys in file order, as the profile API keeps them.
class SectionFile final : public IProfileFile {
public:
    std::vector<std::pair<std::string, std::string>> keys;  // of section "Applications"
    std::string failAt;                                     // writing or deleting this key fails

    std::string Read(const std::string&, const std::string& section, const std::string& key,
                     const std::string& fallback) override {
        auto* found = Find(section, key);
        return found ? found->second : fallback;
    }
    bool Write(const std::string&, const std::string& section, const std::string& key,
               const std::string& value) override {
        if (key == failAt) {
            return false;
        }
        if (auto* found = Find(section, key)) {
            found->second = value;
        } else {
            keys.emplace_back(key, value);  // new keys go to the end of their section
        }
        return true;
    }
    std::vector<std::string> Keys(const std::string&, const std::string& section) override {
        std::vector<std::string> names;
        for (const auto& [key, value] : keys) {
            if (section == kApplicationsSection) {
                names.push_back(key);
            }
        }
        return names;
    }
    bool Remove(const std::string&, const std::string& section, const std::string& key) override {
        if (key == failAt) {
            return false;
        }
        std::erase_if(keys, [&](const auto& entry) { return section == kApplicationsSection && entry.first == key; });
        return true;
    }

private:
    std::pair<std::string, std::string>* Find(const std::string& section, const std::string& key) {
        for (auto& entry : keys) {
            if (section == kApplicationsSection && entry.first == key) {
                return &entry;
            }
        }
        return nullptr;
    }
};

ApplicationSettings Read(std::vector<std::pair<std::string, std::string>> keys) {
    SectionFile profile;
    profile.keys = std::move(keys);
    SettingsFile file(profile, kPath);
    return ReadApplicationSettings(file);
}

TEST(ApplicationsSection, ReadsTheListInKeyOrderAndSkipsWhatIsNoEntry) {
    const std::string longest(63, 'a');
    const std::string overlong(64, 'b');
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> keys;
        ApplicationSettings expected;
    };
    const Case cases[] = {
        {"no section", {}, {{}, true}},
        {"option off", {{"FullScreenAside", "0"}}, {{}, false}},
        {"option not a number", {{"FullScreenAside", "off"}}, {{}, true}},
        {"by number, not file order",
         {{"Exclude2", "b.exe"}, {"Exclude10", "c.exe"}, {"Exclude1", "a.exe"}},
         {{"a.exe", "b.exe", "c.exe"}, true}},
        {"gaps and any case of the key", {{"exclude3", "c.exe"}, {"EXCLUDE1", "a.exe"}}, {{"a.exe", "c.exe"}, true}},
        {"empty, overlong, repeated and paths skipped",
         {{"Exclude1", ""}, {"Exclude2", overlong}, {"Exclude3", longest}, {"Exclude4", "MSPaint.EXE"},
          {"Exclude5", "mspaint.exe"}, {"Exclude6", "C:\\Games\\game.exe"}, {"Exclude7", "x/y.exe"}},
         {{longest, "MSPaint.EXE"}, true}},
        {"unknown keys skipped",
         {{"Exclude", "a.exe"}, {"Exclude0", "b.exe"}, {"Exclude01", "c.exe"}, {"ExcludeX", "d.exe"},
          {"Exclude1x", "e.exe"}, {"Exclude123456", "f.exe"}, {"Include1", "g.exe"}, {"Exclude99999", "h.exe"}},
         {{"h.exe"}, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Read(c.keys), c.expected);
    }
}

TEST(ApplicationsSection, KeepsTheFirstThirtyTwo) {
    std::vector<std::pair<std::string, std::string>> keys;
    for (int i = 1; i <= 40; ++i) {
        keys.emplace_back("Exclude" + std::to_string(i), "p" + std::to_string(i) + ".exe");
    }
    const ApplicationSettings read = Read(keys);
    ASSERT_EQ(read.Excluded.size(), 32u);
    EXPECT_EQ(read.Excluded.back(), "p32.exe");
}

TEST(ApplicationsSection, SaveWritesTheListAndDeletesWhatLiesPastItsEnd) {
    SectionFile profile;
    profile.keys = {{"Exclude1", "old.exe"}, {"Note", "mine"}, {"Exclude2", "two.exe"}, {"Exclude7", "seven.exe"},
                    {"Exclude01", "kept.exe"}};
    SettingsFile file(profile, kPath);
    WriteApplicationSettings(file, {{"a.exe"}, false});
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Exclude1", "a.exe"}, {"Note", "mine"}, {"Exclude01", "kept.exe"}, {"FullScreenAside", "0"}};
    EXPECT_EQ(profile.keys, expected);
    EXPECT_EQ(ReadApplicationSettings(file), (ApplicationSettings{{"a.exe"}, false}));
}

TEST(ApplicationsSection, AFailedWriteOrDeleteStopsTheSaveWithTheFilesName) {
    for (const char* failing : {"FullScreenAside", "Exclude2", "Exclude3"}) {
        SCOPED_TRACE(failing);
        SectionFile profile;
        profile.keys = {{"Exclude3", "gone.exe"}};
        profile.failAt = failing;
        SettingsFile file(profile, kPath);
        try {
            WriteApplicationSettings(file, {{"a.exe", "b.exe"}, true});
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_STREQ(error.what(), "Unable to write to C:\\Glidewing\\GWing.ini");
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
        {{}, "C:\\Windows\\System32\\mspaint.exe", AddProgramResult::Added, {"mspaint.exe"}},
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
