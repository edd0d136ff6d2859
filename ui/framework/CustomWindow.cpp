// Windows of classes that the program registers itself, routed to their objects.
#include "framework/CustomWindow.h"

#include "framework/ExceptionScope.h"

namespace fw {

LRESULT CALLBACK CustomWindowProc(HWND, UINT, WPARAM, LPARAM) noexcept;

bool CustomWindow::RegisterWindowClass(const wchar_t* className, UINT style, HCURSOR cursor, HBRUSH background) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, className, &existing))
        return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = CustomWindowProc;
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    return RegisterClassExW(&wc) != 0;
}

bool CustomWindow::Create(const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rect, HWND parent,
                          int id, DWORD exStyle) {
    if (hwnd_)
        return false;
    ExceptionScope scope;
    const HWND window = CreateWindowExW(
        exStyle, className, title, style, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), this);
    if (scope.Captured() && window)
        ::DestroyWindow(window);
    scope.RethrowIfCaptured();
    return window != nullptr;
}

LRESULT CustomWindow::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

} // namespace fw
