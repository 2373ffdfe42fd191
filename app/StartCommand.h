#pragma once
// What one start of Glidewing.exe does. A plain start runs the program unless an instance already
// runs (then it ends at once, silently). The one switch, /exit, asks a running instance to end
// through its normal shutdown (cursors back, hooks removed) and waits for it, so that an installer
// can replace or remove the program's files; it never starts the program itself.

#include <string_view>

namespace gw {

enum class StartRequest { Run, Exit };
enum class StartAction { RunProgram, EndAtOnce, CloseRunning };

// The arguments after the program name. The switch is matched without regard to case and may also
// be written -exit; any other word is ignored, as a plain start reads no arguments.
StartRequest ParseStartRequest(std::string_view arguments);

StartAction DecideStart(StartRequest request, bool instanceRunning);

// The running instance as the /exit start sees it (Win32 side: its main window and its process).
class IRunningInstance {
public:
    virtual ~IRunningInstance() = default;
    virtual bool Find() = 0;       // true when an instance runs; remembers it
    virtual void AskToClose() = 0; // posts WM_CLOSE to its main window
    virtual bool Ended() = 0;      // its process has ended (or, unknown, its window is gone)
    virtual void Sleep(unsigned milliseconds) = 0;
};

inline constexpr unsigned kExitPollMs = 50;
inline constexpr unsigned kExitTimeoutMs = 10000;

// Asks the instance to end and waits for it at most timeoutMs. Returns the exit code of the /exit
// start: 0 when no instance runs any more, 1 when it was still there at the end of the wait.
int CloseRunningInstance(IRunningInstance& instance, unsigned timeoutMs = kExitTimeoutMs);

} // namespace gw
