// Whether a control shows its keyboard focus mark: not until the keyboard has been used (the
// dialog manager clears UISF_HIDEFOCUS on Tab and Alt, and the change reaches every control as
// WM_UPDATEUISTATE), and not while the window's UI state hides focus marks. A control remembers
// the first clearing itself: a system that never sets the hiding flag answers WM_QUERYUISTATE
// with 0 from the start, which would show the mark after a mouse click.
#pragma once

#include <windows.h>

namespace ctl {

class FocusCues {
public:
    // Notes a WM_UPDATEUISTATE; true when the marks may have come or gone.
    bool Update(WPARAM wParam) {
        if (!(HIWORD(wParam) & UISF_HIDEFOCUS))
            return false;
        if (LOWORD(wParam) == UIS_CLEAR)
            keyboardUsed_ = true;
        return true;
    }
    bool Shown(HWND window) const {
        return keyboardUsed_ && !(SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
    }

private:
    bool keyboardUsed_ = false;
};

} // namespace ctl
