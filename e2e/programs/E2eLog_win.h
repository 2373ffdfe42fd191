#pragma once
// A line-per-event log for the end-to-end test programs. Every line is one WriteFile call on a
// handle opened without buffering, so the shell side can read it the moment it is written.

#include <windows.h>

#include <cstdarg>
#include <cstdio>

namespace gw::e2e {

class LineLog {
public:
    LineLog() = default;
    LineLog(const LineLog&) = delete;
    LineLog& operator=(const LineLog&) = delete;
    ~LineLog() {
        if (file_ != INVALID_HANDLE_VALUE) {
            CloseHandle(file_);
        }
    }

    bool Open(const char* path) {
        file_ = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
        return file_ != INVALID_HANDLE_VALUE;
    }

    // printf-style; the newline is added here.
    __attribute__((format(__MINGW_PRINTF_FORMAT, 2, 3))) void Line(const char* format, ...) {
        char text[512];
        va_list args;
        va_start(args, format);
        int length = std::vsnprintf(text, sizeof text - 1, format, args);
        va_end(args);
        if (length < 0) {
            return;
        }
        if (length > static_cast<int>(sizeof text) - 2) {
            length = static_cast<int>(sizeof text) - 2;
        }
        text[length] = '\n';
        DWORD written = 0;
        if (file_ != INVALID_HANDLE_VALUE) {
            WriteFile(file_, text, static_cast<DWORD>(length + 1), &written, nullptr);
        }
    }

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

} // namespace gw::e2e
