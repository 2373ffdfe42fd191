// gwhookhost.exe BINFOLDER LOGFILE CONTROLFILE [Field=value ...]
//
// Plays the program's side of the hooks for the end-to-end cases: creates the shared record with
// the start values (changed by the Field=value arguments), loads GWHooks.dll from BINFOLDER,
// installs the keyboard hook and then the mouse hook, and logs every report it receives.
// While it runs it polls CONTROLFILE; the test writes commands there (one per line) and the file
// is deleted once they are applied:
//   Field=value    store one byte of the record (ActivateButton, CursorShown, PassInput,
//                  HooksPaused, ReportKeys, ScrollEnabled); value in decimal
//   close          unmap and close the record, so the hooks find it absent
//   open           create it again with the current values
//   quit           end as the program does: HooksPaused 1, unhook, release, close
//
// Log lines:
//   record MainWindow=0x... ActivateButton=N ... ScrollEnabled=N    after creating the record
//   hooks keyboard=0x... mouse=0x...                                 results of the On exports
//   ready
//   hookmouse msg=0xMMMM x=X y=Y lp=0x... swallowed=0|1               one WM_HOOKMOUSE (the id
//                                                                    and the click rule's flag)
//   hookkey vk=0xVV flags=0x... repeat=N scan=0xSS up=0|1             one WM_HOOKKEY
//   ctl LINE                                                          a command was applied
//   error TEXT
//   bye

#include "e2e/programs/E2eLog_win.h"
#include "shared/HookShare.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using gw::HookShare;

// The exports return a 32-bit value; only whether it is zero matters here.
using HookExport = DWORD(WINAPI*)();

struct Field {
    const char* name;
    std::uint8_t HookShare::*member;
};

constexpr Field kFields[] = {
    {"ActivateButton", &HookShare::ActivateButton}, {"CursorShown", &HookShare::CursorShown},
    {"PassInput", &HookShare::PassInput},           {"HooksPaused", &HookShare::HooksPaused},
    {"ReportKeys", &HookShare::ReportKeys},         {"ScrollEnabled", &HookShare::ScrollEnabled},
};

constexpr UINT_PTR kControlTimer = 1;

class Host {
public:
    bool Start(const char* binFolder, const char* controlFile) {
        controlFile_ = controlFile;
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &Host::WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "GWHookHost";
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, "GWHookHost", "GWHookHost", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), this);
        if (!window_) {
            log.Line("error CreateWindowExA %lu", GetLastError());
            return false;
        }
        if (!OpenRecord()) {
            return false;
        }

        const std::string path = std::string(binFolder) + "\\GWHooks.dll";
        library_ = LoadLibraryA(path.c_str());
        if (!library_) {
            log.Line("error LoadLibraryA %s %lu", path.c_str(), GetLastError());
            return false;
        }
        const struct {
            const char* name;
            HookExport* slot;
        } exports[] = {{"KeyboardHookOn", &keyboardOn_},
                       {"KeyboardHookOff", &keyboardOff_},
                       {"MouseHookOn", &mouseOn_},
                       {"MouseHookOff", &mouseOff_}};
        for (const auto& entry : exports) {
            *entry.slot =
                reinterpret_cast<HookExport>(reinterpret_cast<void*>(GetProcAddress(library_, entry.name)));
            if (!*entry.slot) {
                log.Line("error GetProcAddress %s", entry.name);
                return false;
            }
        }
        const DWORD keyboard = keyboardOn_();
        const DWORD mouse = mouseOn_();
        log.Line("hooks keyboard=0x%lX mouse=0x%lX", keyboard, mouse);
        SetTimer(window_, kControlTimer, 30, nullptr);
        return keyboard != 0 && mouse != 0;
    }

    // The program's order at exit: pause, unhook keyboard then mouse, release, close the record.
    void Stop() {
        if (view_) {
            view_->HooksPaused = 1;
        }
        if (keyboardOff_) {
            keyboardOff_();
        }
        if (mouseOff_) {
            mouseOff_();
        }
        if (library_) {
            FreeLibrary(library_);
            library_ = nullptr;
        }
        CloseRecord();
    }

    void SetInitial(const char* assignment) { Assign(assignment); }

    gw::e2e::LineLog log;

private:
    bool OpenRecord() {
        section_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, gw::kHookShareSize,
                                      gw::kHookShareName);
        if (!section_) {
            log.Line("error CreateFileMappingA %lu", GetLastError());
            return false;
        }
        view_ = static_cast<HookShare*>(MapViewOfFile(section_, FILE_MAP_WRITE, 0, 0, 0));
        if (!view_) {
            log.Line("error MapViewOfFile %lu", GetLastError());
            CloseHandle(section_);
            section_ = nullptr;
            return false;
        }
        values_.MainWindow = static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(window_));
        *view_ = values_;
        log.Line("record MainWindow=0x%lX ActivateButton=%u CursorShown=%u PassInput=%u HooksPaused=%u "
                 "ReportKeys=%u ScrollEnabled=%u",
                 static_cast<unsigned long>(view_->MainWindow), view_->ActivateButton, view_->CursorShown,
                 view_->PassInput, view_->HooksPaused, view_->ReportKeys, view_->ScrollEnabled);
        return true;
    }

    void CloseRecord() {
        if (view_) {
            UnmapViewOfFile(view_);
            view_ = nullptr;
        }
        if (section_) {
            CloseHandle(section_);
            section_ = nullptr;
        }
    }

    bool Assign(const std::string& assignment) {
        const auto equals = assignment.find('=');
        if (equals == std::string::npos) {
            return false;
        }
        const std::string name = assignment.substr(0, equals);
        const auto value =
            static_cast<std::uint8_t>(std::strtoul(assignment.c_str() + equals + 1, nullptr, 10));
        for (const Field& field : kFields) {
            if (name == field.name) {
                values_.*field.member = value;
                if (view_) {
                    view_->*field.member = value;
                }
                return true;
            }
        }
        return false;
    }

    void Apply(const std::string& command) {
        if (command == "close") {
            CloseRecord();
        } else if (command == "open") {
            if (!view_) {
                OpenRecord();
            }
        } else if (command == "quit") {
            DestroyWindow(window_);
        } else if (!Assign(command)) {
            log.Line("error unknown command %s", command.c_str());
            return;
        }
        log.Line("ctl %s", command.c_str());
    }

    // The test writes the file elsewhere and renames it into place, so it is read whole or not at all.
    void PollControlFile() {
        HANDLE file = CreateFileA(controlFile_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return;
        }
        char buffer[1024];
        DWORD length = 0;
        ReadFile(file, buffer, sizeof buffer - 1, &length, nullptr);
        CloseHandle(file);
        DeleteFileA(controlFile_.c_str());
        buffer[length] = '\0';

        std::string commands(buffer);
        std::size_t start = 0;
        while (start < commands.size() && window_) {
            std::size_t end = commands.find_first_of("\r\n", start);
            if (end == std::string::npos) {
                end = commands.size();
            }
            if (end > start) {
                Apply(commands.substr(start, end - start));
            }
            start = end + 1;
        }
    }

    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
        switch (message) {
        case gw::WM_HOOKMOUSE: {
            const auto packed = static_cast<std::uint32_t>(lParam);
            const auto report = static_cast<std::uint32_t>(wParam);
            log.Line("hookmouse msg=0x%04X x=%d y=%d lp=0x%08lX swallowed=%d",
                     static_cast<unsigned>(report & gw::kHookReportMessageMask),
                     static_cast<int>(gw::HookPositionX(packed)), static_cast<int>(gw::HookPositionY(packed)),
                     static_cast<unsigned long>(packed), (report & gw::kHookReportSwallowed) != 0 ? 1 : 0);
            return 0;
        }
        case gw::WM_HOOKKEY: {
            const auto flags = static_cast<std::uint32_t>(lParam);
            log.Line("hookkey vk=0x%02X flags=0x%08lX repeat=%lu scan=0x%02lX up=%lu",
                     static_cast<unsigned>(wParam), static_cast<unsigned long>(flags),
                     static_cast<unsigned long>(flags & 0xFFFFu),
                     static_cast<unsigned long>((flags >> 16) & 0xFFu),
                     static_cast<unsigned long>(flags >> 31));
            return 0;
        }
        case WM_TIMER:
            if (wParam == kControlTimer) {
                PollControlFile();
            }
            return 0;
        case WM_DESTROY:
            window_ = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
        }
    }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* host = static_cast<Host*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
            host->window_ = window;
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
        }
        auto* host = reinterpret_cast<Host*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        return host ? host->Handle(window, message, wParam, lParam)
                    : DefWindowProcA(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
    HANDLE section_ = nullptr;
    HookShare* view_ = nullptr;
    // The start values of the program: pass everything, report nothing but mouse messages.
    HookShare values_{0, 0, 1, 1, 0, 0, 0, {0, 0}};
    std::string controlFile_;
    HMODULE library_ = nullptr;
    HookExport keyboardOn_ = nullptr;
    HookExport keyboardOff_ = nullptr;
    HookExport mouseOn_ = nullptr;
    HookExport mouseOff_ = nullptr;
};

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 4) {
        return 2;
    }
    static Host host;
    if (!host.log.Open(__argv[2])) {
        return 2;
    }
    for (int i = 4; i < __argc; ++i) {
        host.SetInitial(__argv[i]);
    }
    if (!host.Start(__argv[1], __argv[3])) {
        host.Stop();
        return 1;
    }
    host.log.Line("ready");

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    host.Stop();
    host.log.Line("bye");
    return 0;
}
