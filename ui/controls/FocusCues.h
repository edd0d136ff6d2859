// Whether a control shows its keyboard focus mark, by the rule the system's own controls follow:
// not while the window's UI state hides focus marks. Windows hides them in a window opened by
// the mouse until the keyboard is used (the dialog manager clears UISF_HIDEFOCUS on Tab and
// Alt, and the change reaches every control as WM_UPDATEUISTATE); a system that never hides
// them shows the mark whenever the control has the focus.
#pragma once

#include <windows.h>

namespace ctl {

namespace cues {

// True when a WM_UPDATEUISTATE concerns the focus marks, so that the control repaints.
inline bool ConcernsFocus(WPARAM updateState) { return (HIWORD(updateState) & UISF_HIDEFOCUS) != 0; }

inline bool FocusShown(HWND window) { return !(SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS); }

} // namespace cues

} // namespace ctl
