#include "app/StartCommand.h"

#include <cctype>

namespace gw {
namespace {

bool IsExitSwitch(std::string_view word) {
    constexpr std::string_view name = "exit";
    if (word.size() != name.size() + 1 || (word[0] != '/' && word[0] != '-')) {
        return false;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(word[i + 1])) != name[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

StartRequest ParseStartRequest(std::string_view arguments) {
    std::size_t at = 0;
    while (at < arguments.size()) {
        const std::size_t begin = arguments.find_first_not_of(" \t\"", at);
        if (begin == std::string_view::npos) {
            break;
        }
        std::size_t end = arguments.find_first_of(" \t\"", begin);
        if (end == std::string_view::npos) {
            end = arguments.size();
        }
        if (IsExitSwitch(arguments.substr(begin, end - begin))) {
            return StartRequest::Exit;
        }
        at = end;
    }
    return StartRequest::Run;
}

StartAction DecideStart(StartRequest request, bool instanceRunning) {
    if (request == StartRequest::Exit) {
        return instanceRunning ? StartAction::CloseRunning : StartAction::EndAtOnce;
    }
    return instanceRunning ? StartAction::EndAtOnce : StartAction::RunProgram;
}

int CloseRunningInstance(IRunningInstance& instance, unsigned timeoutMs) {
    if (!instance.Find()) {
        return 0; // it ended between the check and now
    }
    instance.AskToClose();
    for (unsigned waited = 0;; waited += kExitPollMs) {
        if (instance.Ended()) {
            return 0;
        }
        if (waited >= timeoutMs) {
            return 1;
        }
        instance.Sleep(kExitPollMs);
    }
}

} // namespace gw
