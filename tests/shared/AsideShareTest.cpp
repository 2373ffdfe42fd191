// The stand-aside record: how names compare, and what the program's writer leaves for the hooks.

#include "shared/AsideShare.h"
#include "shared/AsideShareWriter.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

TEST(AsideNames, FileNamePartAndCaseBlindComparison) {
    EXPECT_STREQ(FileNamePart("\\Device\\HarddiskVolume2\\a/b.exe"), "b.exe");
    EXPECT_STREQ(FileNamePart("C:game.exe"), "game.exe");
    EXPECT_STREQ(FileNamePart("C:\\dir\\"), "");
    char slot[kAsideNameSize] = "MSPaint.exe";
    EXPECT_TRUE(SameProgramName("mspaint.EXE", slot));
    EXPECT_FALSE(SameProgramName("mspaint.exe2", slot));
    EXPECT_FALSE(SameProgramName("\xC9.exe", "\xE9.exe")); // only A-Z fold
    // A slot caught without its terminating zero matches nothing and is read no further.
    const std::string full(kAsideNameSize, 'a');
    std::copy(full.begin(), full.end(), slot);
    EXPECT_FALSE(SameProgramName((full + "a").c_str(), slot));
}

TEST(AsideWriter, TheGenerationMovesOnlyWithTheList) {
    AsideShare record{};
    AsideShareWriter writer;
    writer.Publish({"a.exe"}, true); // no record yet: nothing written, nothing breaks
    writer.Attach(&record, 0x1235);
    EXPECT_EQ(record.Generation, 0x1234u);
    struct Step {
        std::vector<std::string> names;
        bool fullScreen;
        std::uint32_t generation;
        std::vector<std::string> held;
    };
    const Step steps[] = {
        {{"a.exe", "b.exe"}, true, 0x1236, {"a.exe", "b.exe"}},
        {{"a.exe", "b.exe"}, false, 0x1236, {"a.exe", "b.exe"}}, // only the switch
        {{"b.exe"}, false, 0x1238, {"b.exe"}},
        {{std::string(kAsideNameSize, 'x'), "c.exe", ""}, true, 0x123A, {"c.exe"}},
        {{}, true, 0x123C, {}},
    };
    for (const Step& step : steps) {
        writer.Publish(step.names, step.fullScreen);
        EXPECT_EQ(record.Generation, step.generation);
        EXPECT_EQ(record.FullScreenAside, step.fullScreen ? 1 : 0);
        ASSERT_EQ(record.Count, step.held.size());
        for (std::size_t i = 0; i < kAsideMaxPrograms; ++i) {
            // Nothing of a longer list stays behind.
            EXPECT_STREQ(record.Names[i], i < step.held.size() ? step.held[i].c_str() : "");
        }
    }
}

} // namespace
} // namespace gw
