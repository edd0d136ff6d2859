// The link between a window and its object: one window property, set by the window procedure
// that first sees the window and removed at WM_NCDESTROY (or when the object goes first).
#include "framework/Window.h"

#include "framework/WindowDpi.h"

namespace fw {

LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR) noexcept;

namespace {

constexpr wchar_t kLinkProperty[] = L"Tarnholm.Window";
constexpr UINT_PTR kSubclassId = 0x7A4E; // ours among the subclasses a window may carry

} // namespace

Window::~Window() { Unlink(); }

Window* Window::FromHandle(HWND window) {
    return window ? static_cast<Window*>(GetPropW(window, kLinkProperty)) : nullptr;
}

bool Window::Link(HWND window) {
    if (hwnd_ || !window || FromHandle(window))
        return false;
    if (!SetPropW(window, kLinkProperty, this))
        return false;
    hwnd_ = window;
    Inherit();
    return true;
}

void Window::Inherit() {
    if (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD) {
        const HWND desktop = GetDesktopWindow();
        for (HWND up = GetAncestor(hwnd_, GA_PARENT); up && up != desktop; up = GetAncestor(up, GA_PARENT)) {
            if (const Window* ancestor = FromHandle(up)) {
                if (!contextGiven_)
                    context_ = ancestor->context_;
                look_ = ancestor->look_;
                return;
            }
        }
    }
    look_ = Appearance{dpi::OfWindow(hwnd_), SystemHighContrast()};
}

bool Window::SystemHighContrast() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool Window::Subclass(HWND window) {
    if (!Link(window))
        return false;
    if (!SetWindowSubclass(window, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        Unlink();
        return false;
    }
    subclassed_ = true;
    return true;
}

void Window::Unsubclass() {
    if (subclassed_)
        Unlink();
}

void Window::Unlink() {
    if (hwnd_) {
        if (subclassed_)
            RemoveWindowSubclass(hwnd_, SubclassProc, kSubclassId);
        RemovePropW(hwnd_, kLinkProperty);
    }
    hwnd_ = nullptr;
    subclassed_ = false;
}

} // namespace fw
