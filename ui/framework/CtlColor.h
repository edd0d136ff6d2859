// The kinds of control-colour request, in the order of their messages.
#pragma once

#include <windows.h>

namespace fw {

// The kind carried by a control-colour request (the CTLCOLOR_* order).
enum class CtlColor { MsgBox, Edit, ListBox, Button, Dialog, ScrollBar, Static };

inline bool IsCtlColorMessage(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }
inline CtlColor CtlColorOf(UINT msg) { return static_cast<CtlColor>(msg - WM_CTLCOLORMSGBOX); }

} // namespace fw
