// The smallest dialog program built like the launcher (same toolchain, static runtime): the
// floor against which the launcher's start-up time is measured.
//
// Built a second time with TARNHOLM_BARE_DETECTION, it does the least that the launcher's run
// must do before its window: the work that no detection run can skip, by the detection library's
// own code as the launcher's run does it. The graphics query starts on a thread at the program's
// first instruction, bound to the processor the library gives it; meanwhile the common controls
// start and a window with a progress bar (id 1026) shows; once the query is over, the processor
// benchmark's rounds run on this thread; then the progress window goes and the dialog shows.
// That is the floor of a start with the detection run.
#include <windows.h>
#ifdef TARNHOLM_BARE_DETECTION
#include "ProcessorPlan.h"
#include "Win32Probe.h"

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

#ifdef TARNHOLM_BARE_DETECTION
DWORD WINAPI QueryGraphics(void*) {
    detection::win::Win32Probe probe;
    if (const auto processor = detection::PlanProcessors(probe.ProcessorMask()).graphics)
        probe.BindThreadTo(*processor);
    return probe.QueryGraphics().adapter ? 0 : 1;
}

INT_PTR CALLBACK ProgressProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// The progress window's life: the query and then the benchmark. False when the query found no
// adapter: a floor that could not run its query would time less than it should, so it shows no
// dialog, and the start-up benchmark stops there.
bool DetectWithProgressWindow(HINSTANCE instance, HANDLE query) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const HWND progress = CreateDialogParamW(instance, MAKEINTRESOURCEW(105), nullptr, ProgressProc, 0);
    ShowWindow(progress, SW_SHOW);
    UpdateWindow(progress);
    WaitForSingleObject(query, INFINITE);
    DWORD queried = 1;
    GetExitCodeThread(query, &queried);
    if (queried == 0)
        detection::win::Win32Probe().MeasureCpuScore();
    DestroyWindow(progress);
    return queried == 0;
}
#endif

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#ifdef TARNHOLM_BARE_DETECTION
    const HANDLE query = CreateThread(nullptr, 0, QueryGraphics, nullptr, 0, nullptr);
    if (query == nullptr)
        return 1;
    const bool detected = DetectWithProgressWindow(instance, query);
    CloseHandle(query);
    if (!detected)
        return 1;
#endif
    DialogBoxParamW(instance, MAKEINTRESOURCEW(130), nullptr, DialogProc, 0);
    return 0;
}
