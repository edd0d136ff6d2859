// The smallest dialog program built like the launcher (same toolchain, static runtime): the
// reference against which the launcher's start-up time is measured.
//
// Built a second time with TARNHOLM_BARE_TWO_WINDOWS, it does the least that the launcher's run
// must do before its window: it starts the common controls, shows a window with a progress bar
// (id 1026) while something else happens, destroys it and only then shows the dialog. The
// benchmark times it the same way as the launcher, so the two figures show how much of the
// launcher's start is this shape of program and how much is the launcher's own.
#include <windows.h>
#ifdef TARNHOLM_BARE_TWO_WINDOWS
#include <commctrl.h>
#endif

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

#ifdef TARNHOLM_BARE_TWO_WINDOWS
INT_PTR CALLBACK ProgressProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// The progress window's life, which the benchmark takes out as it takes out the detection run.
void ShowProgressWindowForAWhile(HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const HWND progress = CreateDialogParamW(instance, MAKEINTRESOURCEW(101), nullptr, ProgressProc, 0);
    ShowWindow(progress, SW_SHOW);
    UpdateWindow(progress);
    Sleep(200);
    DestroyWindow(progress);
}
#endif

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#ifdef TARNHOLM_BARE_TWO_WINDOWS
    ShowProgressWindowForAWhile(instance);
#endif
    DialogBoxParamW(instance, MAKEINTRESOURCEW(100), nullptr, DialogProc, 0);
    return 0;
}
