// The stand-aside record: how names compare, and what the program's writer leaves for the hooks.

#include "shared/AsideShare.h"
#include "shared/AsideShareWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gw {
namespace {

TEST(AsideNames, FileNamePartAndCaseBlindComparison) {
    EXPECT_STREQ(FileNamePart("C:\\Program Files\\Game\\game.exe"), "game.exe");
    EXPECT_STREQ(FileNamePart("\\Device\\HarddiskVolume2\\a/b.exe"), "b.exe");
    EXPECT_STREQ(FileNamePart("C:game.exe"), "game.exe");
    EXPECT_STREQ(FileNamePart("game.exe"), "game.exe");
    EXPECT_STREQ(FileNamePart("C:\\dir\\"), "");

    char slot[kAsideNameSize] = "MSPaint.exe";
    EXPECT_TRUE(SameProgramName("mspaint.EXE", slot));
    EXPECT_FALSE(SameProgramName("mspaint.ex", slot));
    EXPECT_FALSE(SameProgramName("mspaint.exe2", slot));
    EXPECT_FALSE(SameProgramName("\xC9.exe", "\xE9.exe"));  // only A-Z fold
    // A slot caught without its terminating zero matches nothing, and is read no further.
    std::string full(kAsideNameSize, 'a');
    std::copy(full.begin(), full.end(), slot);
    EXPECT_FALSE(SameProgramName((full + "a").c_str(), slot));
}

TEST(AsideWriter, TheGenerationMovesOnlyWithTheList) {
    AsideShare record{};
    AsideShareWriter writer;
    writer.Publish({"a.exe"}, true);  // no record yet: nothing to write, nothing breaks
    writer.Attach(&record, 0x1234'5679);
    EXPECT_EQ(record.Generation, 0x1234'5678u);

    struct Step {
        std::vector<std::string> names;
        bool fullScreen;
        std::uint32_t generation;
        std::vector<std::string> held;
    };
    const std::string overlong(kAsideNameSize, 'x');
    const Step steps[] = {
        {{"a.exe", "b.exe"}, true, 0x1234'567A, {"a.exe", "b.exe"}},
        {{"a.exe", "b.exe"}, false, 0x1234'567A, {"a.exe", "b.exe"}},  // only the switch
        {{"b.exe"}, false, 0x1234'567C, {"b.exe"}},
        {{overlong, "c.exe", ""}, true, 0x1234'567E, {"c.exe"}},
        {{"c.exe"}, true, 0x1234'567E, {"c.exe"}},
        {{}, true, 0x1234'5680, {}},
    };
    for (const Step& step : steps) {
        writer.Publish(step.names, step.fullScreen);
        EXPECT_EQ(record.Generation, step.generation);
        EXPECT_EQ(record.FullScreenAside, step.fullScreen ? 1 : 0);
        ASSERT_EQ(record.Count, step.held.size());
        for (std::size_t i = 0; i < step.held.size(); ++i) {
            EXPECT_STREQ(record.Names[i], step.held[i].c_str());
        }
        for (std::size_t i = step.held.size(); i < kAsideMaxPrograms; ++i) {
            EXPECT_EQ(record.Names[i][0], '\0');  // nothing of a longer list stays behind
        }
    }
}

TEST(AsideWriter, HoldsNoMoreThanThirtyTwo) {
    AsideShare record{};
    AsideShareWriter writer;
    writer.Attach(&record, 2);
    std::vector<std::string> names;
    for (int i = 0; i < 40; ++i) {
        names.push_back(std::to_string(i) + ".exe");
    }
    writer.Publish(names, true);
    EXPECT_EQ(record.Count, kAsideMaxPrograms);
    EXPECT_STREQ(record.Names[31], "31.exe");
    const std::uint32_t generation = record.Generation;
    writer.Publish(names, true);  // the same list again
    EXPECT_EQ(record.Generation, generation);
}

} // namespace
} // namespace gw
