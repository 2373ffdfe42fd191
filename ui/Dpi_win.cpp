#include "ui/Dpi_win.h"

#include "base/SystemFunction_win.h"
#include "ui/Dpi.h"
#include "ui/Gdi_win.h"

namespace gw::win32 {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

constexpr int kEffectiveDpi = 0; // MDT_EFFECTIVE_DPI

// NONCLIENTMETRICSW as Windows Vista and later know it; the program is built for older headers.
struct NonClientMetricsVista {
    NONCLIENTMETRICSW metrics;
    int iPaddedBorderWidth;
};

int MonitorDpi(HMONITOR monitor) {
    static const auto getDpiForMonitor = SystemFunction<GetDpiForMonitorFn>("shcore.dll", "GetDpiForMonitor");
    UINT x = 0;
    UINT y = 0;
    if (monitor && getDpiForMonitor && SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && y > 0) {
        return static_cast<int>(y);
    }
    return SystemDpi();
}

void RescaleFont(LOGFONTW& font, int fromDpi, int toDpi) {
    font.lfHeight = RescaleForDpi(font.lfHeight, fromDpi, toDpi);
    font.lfWidth = RescaleForDpi(font.lfWidth, fromDpi, toDpi);
}

} // namespace

int SystemDpi() {
    const WindowDc screen(nullptr);
    return UsableDpi(screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0);
}

int WindowDpi(HWND window) {
    static const auto getDpiForWindow = SystemFunction<GetDpiForWindowFn>("user32.dll", "GetDpiForWindow");
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) {
            return static_cast<int>(dpi);
        }
    }
    return MonitorDpi(window ? MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST) : nullptr);
}

int PointDpi(POINT point) {
    return MonitorDpi(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST));
}

int SystemMetricForDpi(int index, int dpi) {
    static const auto forDpi =
        SystemFunction<GetSystemMetricsForDpiFn>("user32.dll", "GetSystemMetricsForDpi");
    if (forDpi) {
        return forDpi(index, static_cast<UINT>(UsableDpi(dpi)));
    }
    return RescaleForDpi(GetSystemMetrics(index), SystemDpi(), dpi);
}

bool NonClientMetricsForDpi(NONCLIENTMETRICSW& metrics, int dpi) {
    static const auto forDpi =
        SystemFunction<SystemParametersInfoForDpiFn>("user32.dll", "SystemParametersInfoForDpi");
    NonClientMetricsVista vista = {};
    vista.metrics.cbSize = sizeof vista;
    if (forDpi &&
        forDpi(SPI_GETNONCLIENTMETRICS, sizeof vista, &vista, 0, static_cast<UINT>(UsableDpi(dpi)))) {
        metrics = vista.metrics;
        metrics.cbSize = sizeof metrics;
        return true;
    }
    // Windows XP knows the structure without the Vista field only.
    bool read = SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof vista, &vista, 0) != FALSE;
    if (read) {
        metrics = vista.metrics;
    } else {
        metrics = {};
        metrics.cbSize = sizeof metrics;
        read = SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) != FALSE;
    }
    metrics.cbSize = sizeof metrics;
    if (read) {
        const int system = SystemDpi();
        for (LOGFONTW* font : {&metrics.lfCaptionFont, &metrics.lfSmCaptionFont, &metrics.lfMenuFont,
                               &metrics.lfStatusFont, &metrics.lfMessageFont}) {
            RescaleFont(*font, system, dpi);
        }
    }
    return read;
}

RECT WindowRectForClient(int width, int height, DWORD style, DWORD exStyle, int dpi) {
    static const auto forDpi =
        SystemFunction<AdjustWindowRectExForDpiFn>("user32.dll", "AdjustWindowRectExForDpi");
    RECT frame = {0, 0, width, height};
    if (!forDpi || !forDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(UsableDpi(dpi)))) {
        frame = {0, 0, width, height};
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    OffsetRect(&frame, -frame.left, -frame.top);
    return frame;
}

} // namespace gw::win32
