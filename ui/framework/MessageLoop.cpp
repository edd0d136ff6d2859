// The pre-translation walk of the framework's message loop.
#include "framework/MessageLoop.h"

#include "framework/DialogWindow.h"

namespace fw {

bool PreTranslateForLoop(MSG& msg) {
    if (!msg.hwnd)
        return false;
    for (HWND window = msg.hwnd; window;) {
        if (Window* object = Window::FromHandle(window); object && object->PreTranslateMessage(msg))
            return true;
        if (!(GetWindowLongW(window, GWL_STYLE) & WS_CHILD))
            break;
        window = GetParent(window);
    }
    auto* top = dynamic_cast<DialogWindow*>(Window::FromHandle(GetAncestor(msg.hwnd, GA_ROOT)));
    return top && top->TranslateDialogMessage(msg);
}

} // namespace fw
