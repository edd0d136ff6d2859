// The DPI a window is shown at and system metrics at a DPI, on every Windows the program
// supports: the per-monitor calls where the system has them (Windows 10 1607 on), the screen's
// one DPI before that.
#pragma once

#include <windows.h>

namespace dpi {

// The window's DPI; the screen's where the system has no per-window value.
int OfWindow(HWND window);

// GetSystemMetrics(index) at `dpi`; before Windows 10 1607 the screen's figure scaled from the
// screen's DPI to `dpi`.
int SystemMetric(int index, int dpi);

// The system's non-client metrics (the caption, menu and message fonts among them) at `dpi`;
// before Windows 10 1607 the screen's, with the fonts' heights scaled from the screen's DPI.
// False when the system answers nothing.
bool NonClientMetrics(int dpi, NONCLIENTMETRICSW& metrics);

} // namespace dpi
