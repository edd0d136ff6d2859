// The framework's message loop: each message goes through the pre-translation of the window
// objects from its window up to the top-level window, then that window's dialog manager.
#pragma once

#include <windows.h>

namespace fw {

// Lets the next messages of the thread run their course until the predicate is false; every
// message goes through the pre-translation walk and the dialog manager of its top-level window.
// Returns false when the thread's quit message arrived (it is posted again for the outer loop).
template <typename Predicate>
bool PumpMessagesWhile(Predicate keepGoing);

// Pre-translation walk from a message's window up to its top-level window, then that window's
// dialog manager. True when the message was consumed.
bool PreTranslateForLoop(MSG& msg);

template <typename Predicate>
bool PumpMessagesWhile(Predicate keepGoing) {
    MSG msg;
    while (keepGoing()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1)
            return true;
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (!PreTranslateForLoop(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

} // namespace fw
