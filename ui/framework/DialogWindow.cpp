#include "framework/DialogWindow.h"

namespace fw {

void DialogWindow::EndDialog(int result) {
    result_ = result;
    ended_ = true;
    PostMessageW(nullptr, WM_NULL, 0, 0); // wakes the loop of a modal run
}

bool DialogWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // A child dialog (a property page) is told by its parent.
    if (msg == WM_DPICHANGED && !(GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD)) {
        MoveToNewDpi(*this, wParam, lParam);
        result = 0;
        return true;
    }
    return Window::OnMessage(msg, wParam, lParam, result);
}

void DialogWindow::OnAppearanceChanged(const Appearance& previous) {
    rescaledClient_ = scale_.Rescale(hwnd_, previous.dpi, Look().dpi, [&] { Window::OnAppearanceChanged(previous); },
                                     Context().resources, TemplateId());
}

} // namespace fw
