// Small conveniences on a window's handle: texts, rectangles, style, icon, redrawing, dragging.
#include "framework/Window.h"

namespace fw {

RECT ChildRect(HWND parent, HWND child) {
    RECT rect{};
    if (!child || !GetWindowRect(child, &rect))
        return RECT{};
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring Window::Text() const {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
    return text;
}

RECT Window::ClientRect() const {
    RECT rect{};
    GetClientRect(hwnd_, &rect);
    return rect;
}

RECT Window::WindowRect() const {
    RECT rect{};
    GetWindowRect(hwnd_, &rect);
    return rect;
}

void Window::ModifyStyle(DWORD remove, DWORD add) const {
    const DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE));
    SetWindowLongW(hwnd_, GWL_STYLE, static_cast<LONG>((style & ~remove) | add));
}

void Window::SetIcon(HICON icon, bool big) const {
    SendMessageW(hwnd_, WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void Window::RedrawNow() const { RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

void Window::BeginDragMove(POINT clientPoint) const {
    // A caption press carries its point in screen coordinates, where the system's move starts.
    POINT screen = clientPoint;
    ClientToScreen(hwnd_, &screen);
    PostMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
}

} // namespace fw
