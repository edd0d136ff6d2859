// The smallest dialog program built like the launcher (same toolchain, static runtime): the
// reference against which the launcher's start-up time is measured.
#include <windows.h>

namespace {

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND) {
        switch (LOWORD(wParam)) {
        case 1024:
        case 4:
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        }
    }
    return FALSE;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    DialogBoxParamW(instance, MAKEINTRESOURCEW(100), nullptr, DialogProc, 0);
    return 0;
}
