// The application object's general error handler.

#include "ui/Application.h"
#include "base/Error.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace gw {
namespace {

struct Boxes : IMessageBox, IMessagePump {
    struct Box {
        std::string text, caption;
        std::uint32_t flags;
    };
    std::vector<Box> shown;
    int pumped = 0;
    int Show(WindowHandle, const std::string& text, const std::string& caption,
             std::uint32_t flags) override {
        shown.push_back({text, caption, flags});
        return 1;
    }
    void ProcessMessages() override { ++pumped; }
};

TEST(Application, AnErrorEndsOnlyItsHandlerAndIsShownWithTheErrorIcon) {
    Boxes boxes;
    TApplication application(boxes, boxes);
    int after = 0;
    EXPECT_FALSE(application.Dispatch([&] {
        throw Error("GWHooks.Dll Not Found!");
        ++after;
    }));
    EXPECT_TRUE(application.Dispatch([&] { ++after; }));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "GWHooks.Dll Not Found!");
    EXPECT_EQ(boxes.shown[0].caption, "Glidewing");
    EXPECT_EQ(boxes.shown[0].flags, 0x10u);
    EXPECT_EQ(after, 1);
}

TEST(Application, OtherFailuresAreShownTooAndMessagesUseTheTitle) {
    Boxes boxes;
    TApplication application(boxes, boxes);
    application.SetTitle("Glidewing");
    application.Dispatch([] { throw std::runtime_error("out of range"); });
    application.ShowMessage("Help File Not Found! ");
    application.ProcessMessages();
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].flags, 0x10u);
    EXPECT_EQ(boxes.shown[1].text, "Help File Not Found! ");
    EXPECT_EQ(boxes.shown[1].caption, "Glidewing");
    EXPECT_EQ(boxes.shown[1].flags, 0u);
    EXPECT_EQ(boxes.pumped, 1);
}

} // namespace
} // namespace gw
