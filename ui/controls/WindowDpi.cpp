#include "controls/WindowDpi.h"

#include "controls/Dpi.h"
#include "framework/Gdi.h"
#include "win32/Owners.h"

namespace dpi {

namespace {

HMODULE User32() { return GetModuleHandleW(L"user32.dll"); }

int ScreenDpi() {
    const fw::ClientDC screen(nullptr);
    const int value = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 0;
    return value > 0 ? value : kBase;
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

} // namespace dpi
