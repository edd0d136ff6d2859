// The window procedures: each links its object when it first sees the window and routes every
// message through the object's switch, with exceptions kept from crossing into the system.
#include "framework/Dialog.h"
#include "framework/ExceptionScope.h"
#include "framework/Window.h"

namespace fw {

LRESULT Window::Route(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) noexcept {
    const Message saved = current_;
    current_ = Message{msg, wParam, lParam};
    LRESULT result = 0;
    handled = false;
    try {
        handled = OnMessage(msg, wParam, lParam, result);
    } catch (...) {
        ExceptionScope::CaptureCurrent();
        handled = false;
    }
    current_ = saved;
    if (msg == WM_NCDESTROY)
        Unlink();
    return result;
}

LRESULT CALLBACK SubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref) noexcept {
    auto* self = reinterpret_cast<Window*>(ref);
    bool handled = false;
    const LRESULT result = self->Route(msg, wParam, lParam, handled);
    if (handled)
        return result;
    // After WM_NCDESTROY the link is gone; the original procedure still gets the message.
    return DefSubclassProc(window, msg, wParam, lParam);
}

LRESULT CALLBACK CustomWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        if (auto* self = static_cast<Window*>(create->lpCreateParams))
            self->Link(window);
    }
    Window* self = Window::FromHandle(window);
    if (!self)
        return DefWindowProcW(window, msg, wParam, lParam);
    bool handled = false;
    const LRESULT result = self->Route(msg, wParam, lParam, handled);
    return handled ? result : DefWindowProcW(window, msg, wParam, lParam);
}

INT_PTR CALLBACK DialogProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    Dialog* self = nullptr;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        if (self)
            self->Link(window);
    } else {
        self = static_cast<Dialog*>(Window::FromHandle(window));
    }
    return self ? self->Dispatch(window, msg, wParam, lParam) : FALSE;
}

// Pages get their object from the PROPSHEETPAGE that comctl32 passes to WM_INITDIALOG.
INT_PTR CALLBACK PageProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    Dialog* self = nullptr;
    if (msg == WM_INITDIALOG) {
        const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
        self = page ? reinterpret_cast<Dialog*>(page->lParam) : nullptr;
        if (self)
            self->Link(window);
    } else {
        self = static_cast<Dialog*>(Window::FromHandle(window));
    }
    return self ? self->Dispatch(window, msg, wParam, lParam) : FALSE;
}

} // namespace fw
