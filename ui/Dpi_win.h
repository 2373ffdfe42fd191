#pragma once
// The screen density of a window, a monitor or the system, and the system's sizes and fonts for a
// density. The program is aware of each monitor's density (the manifest asks for it): where the
// system has the functions for it (Windows 8.1 for monitors, Windows 10 1607 for windows, metrics
// and fonts) they are looked up when first needed; elsewhere everything answers for the system's
// one density, which is then the only one there is.

#include <windows.h>

namespace gw::win32 {

// Sent to a top-level window moved to a monitor of another density (or when the user changes it):
// wParam the new density, lParam the suggested window rectangle.
inline constexpr UINT kWM_DPICHANGED = 0x02E0;

// The density the system was started with (every monitor's, where they cannot differ).
int SystemDpi();
// The density of the monitor a window is on (GetDpiForWindow, else its monitor's).
int WindowDpi(HWND window);
// The density of the monitor nearest to a screen point.
int PointDpi(POINT point);

// GetSystemMetrics for a density: the system's answer scaled from its own density where it cannot
// answer for another one.
int SystemMetricForDpi(int index, int dpi);

// The message and menu fonts (SPI_GETNONCLIENTMETRICS) with their heights for a density.
bool NonClientMetricsForDpi(NONCLIENTMETRICSW& metrics, int dpi);

// The window rectangle around a client area of that size at that density, at (0, 0).
RECT WindowRectForClient(int width, int height, DWORD style, DWORD exStyle, int dpi);

} // namespace gw::win32
