#include "framework/WindowDpi.h"

#include "framework/Gdi.h"
#include "win32/Owners.h"

#include <cstddef>

namespace dpi {

namespace {

constexpr int kBaseDpi = 96;

HMODULE User32() { return GetModuleHandleW(L"user32.dll"); }

int ScreenDpi() {
    const fw::ClientDC screen(nullptr);
    const int value = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 0;
    return value > 0 ? value : kBaseDpi;
}

} // namespace

int OfWindow(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = win32::ProcAddress<GetDpiForWindowFn>(User32(), "GetDpiForWindow");
    const UINT value = getDpiForWindow && window ? getDpiForWindow(window) : 0;
    return value > 0 ? static_cast<int>(value) : ScreenDpi();
}

int SystemMetric(int index, int dpi) {
    using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
    static const auto forDpi = win32::ProcAddress<GetSystemMetricsForDpiFn>(User32(), "GetSystemMetricsForDpi");
    if (forDpi && dpi > 0)
        return forDpi(index, static_cast<UINT>(dpi));
    // The screen's metric is at the screen's DPI.
    const int screen = ScreenDpi();
    return MulDiv(GetSystemMetrics(index), dpi > 0 ? dpi : screen, screen);
}

bool NonClientMetrics(int dpi, NONCLIENTMETRICSW& metrics) {
    using ForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    static const auto forDpi = win32::ProcAddress<ForDpiFn>(User32(), "SystemParametersInfoForDpi");
    metrics = NONCLIENTMETRICSW{};
    metrics.cbSize = sizeof metrics;
    if (forDpi && dpi > 0 && forDpi(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0, static_cast<UINT>(dpi)))
        return true;
    // The record without the padded-border field is accepted by every system version.
    metrics = NONCLIENTMETRICSW{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        return false;
    const int screen = ScreenDpi();
    if (dpi > 0 && dpi != screen)
        for (LOGFONTW* font : {&metrics.lfCaptionFont, &metrics.lfSmCaptionFont, &metrics.lfMenuFont,
                               &metrics.lfStatusFont, &metrics.lfMessageFont})
            font->lfHeight = MulDiv(font->lfHeight, dpi, screen);
    return true;
}

} // namespace dpi
