// The start of Glidewing.exe: which arguments ask for /exit, what each start does with or without
// a running instance, and that the /exit start waits a bounded time for the instance to end.

#include "app/StartCommand.h"

#include <gtest/gtest.h>

#include <optional>

namespace gw::test {
namespace {

TEST(StartCommand, OnlyTheExitSwitchAsksForExit) {
    const struct {
        const char* arguments;
        StartRequest expected;
    } cases[] = {
        {"", StartRequest::Run},
        {"/exit", StartRequest::Exit},
        {"/EXIT", StartRequest::Exit},
        {"-Exit", StartRequest::Exit},
        {"  \"/exit\"  ", StartRequest::Exit},
        {"/quiet /exit", StartRequest::Exit},
        {"exit", StartRequest::Run},
        {"/exits", StartRequest::Run},
        {"/ex", StartRequest::Run},
        {"//exit", StartRequest::Run},
        {"C:\\Tools\\exit", StartRequest::Run},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseStartRequest(c.arguments), c.expected) << '"' << c.arguments << '"';
    }
}

TEST(StartCommand, PlainStartKeepsTheSingleInstanceRule) {
    const struct {
        StartRequest request;
        bool running;
        StartAction expected;
    } cases[] = {
        {StartRequest::Run, false, StartAction::RunProgram},
        {StartRequest::Run, true, StartAction::EndAtOnce},
        {StartRequest::Exit, true, StartAction::CloseRunning},
        {StartRequest::Exit, false, StartAction::EndAtOnce}, // never starts the program
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecideStart(c.request, c.running), c.expected)
            << "request " << static_cast<int>(c.request) << " running " << c.running;
    }
}

// An instance that ends after a number of polls (or never), counting what it was asked.
class FakeInstance : public IRunningInstance {
public:
    FakeInstance(bool found, std::optional<int> endsAfterPolls) : found_(found), endsAfter_(endsAfterPolls) {}
    bool Find() override { return found_; }
    void AskToClose() override { ++closeRequests; }
    bool Ended() override {
        ++polls;
        return closeRequests > 0 && endsAfter_ && polls > *endsAfter_;
    }
    void Sleep(unsigned milliseconds) override { slept += milliseconds; }

    int closeRequests = 0;
    int polls = 0;
    unsigned slept = 0;

private:
    bool found_;
    std::optional<int> endsAfter_;
};

TEST(StartCommand, ExitWaitsBoundedForTheInstanceToEnd) {
    const struct {
        const char* name;
        bool found;
        std::optional<int> endsAfterPolls;
        int exitCode;
        int closeRequests;
    } cases[] = {
        {"gone before the request", false, 0, 0, 0},
        {"ends at once", true, 0, 0, 1},
        {"ends after a while", true, 30, 0, 1},
        {"never ends", true, std::nullopt, 1, 1},
    };
    for (const auto& c : cases) {
        FakeInstance instance(c.found, c.endsAfterPolls);
        EXPECT_EQ(CloseRunningInstance(instance, 2000), c.exitCode) << c.name;
        EXPECT_EQ(instance.closeRequests, c.closeRequests) << c.name;
        const unsigned expectedWait = !c.found           ? 0
                                      : c.endsAfterPolls ? *c.endsAfterPolls * kExitPollMs
                                                         : 2000;
        EXPECT_EQ(instance.slept, expectedWait) << c.name;
    }
}

} // namespace
} // namespace gw::test
