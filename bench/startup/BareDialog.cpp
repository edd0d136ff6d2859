// The smallest dialog program built like the launcher (same toolchain, static runtime): the
// floor against which the launcher's start-up time is measured.
//
// Built a second time with TARNHOLM_BARE_TWO_WINDOWS, it does the least that the launcher's run
// must do before its window: it starts the common controls, shows a window with a progress bar
// (id 1026) while something else happens, destroys it and only then shows the dialog.
//
// Built a third time with TARNHOLM_BARE_DETECTION as well, the something else is the work that no
// detection run can skip: the graphics query (a DXGI factory, adapter 0's description, a Direct3D
// 11 device), started on a thread at the program's first instruction, and after it the processor
// benchmark's rounds, measured by the detection library's own code on this thread as the
// launcher measures them; the progress window goes when both are done. That is the floor of a
// start with the detection run.
#include <windows.h>
#ifdef TARNHOLM_BARE_TWO_WINDOWS
#include <commctrl.h>
#endif
#ifdef TARNHOLM_BARE_DETECTION
#include "Win32Probe.h"

#include <d3d11.h>
#include <dxgi.h>
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
// Loaded on demand, as the detection library does, so that the program starts without them.
template <class Fn>
Fn Export(const wchar_t* library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(library), name)));
}

DWORD WINAPI QueryGraphics(void*) {
    using CreateFactoryFn = HRESULT(WINAPI*)(REFIID, void**);
    const auto createFactory = Export<CreateFactoryFn>(L"dxgi.dll", "CreateDXGIFactory1");
    IDXGIFactory1* factory = nullptr;
    if (createFactory == nullptr || FAILED(createFactory(__uuidof(IDXGIFactory1), reinterpret_cast<void**>(&factory))))
        return 1;
    IDXGIAdapter* adapter = nullptr;
    DXGI_ADAPTER_DESC description{};
    bool queried = SUCCEEDED(factory->EnumAdapters(0, &adapter)) && SUCCEEDED(adapter->GetDesc(&description));
    if (queried) {
        const auto createDevice = Export<PFN_D3D11_CREATE_DEVICE>(L"d3d11.dll", "D3D11CreateDevice");
        ID3D11Device* device = nullptr;
        queried =
            createDevice != nullptr && SUCCEEDED(createDevice(adapter, D3D_DRIVER_TYPE_UNKNOWN, nullptr, 0, nullptr, 0,
                                                              D3D11_SDK_VERSION, &device, nullptr, nullptr));
        if (device != nullptr)
            device->Release();
    }
    if (adapter != nullptr)
        adapter->Release();
    factory->Release();
    return queried ? 0 : 1;
}

// The benchmark's rounds as the detection library runs them once the query is over.
void MeasureProcessor() {
    detection::win::Win32Probe().MeasureCpuScore();
}
#endif

#ifdef TARNHOLM_BARE_TWO_WINDOWS
INT_PTR CALLBACK ProgressProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// The progress window, shown while `work` runs on this thread.
template <class Work>
void ShowProgressWindowUntil(HINSTANCE instance, Work work) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const HWND progress = CreateDialogParamW(instance, MAKEINTRESOURCEW(105), nullptr, ProgressProc, 0);
    ShowWindow(progress, SW_SHOW);
    UpdateWindow(progress);
    work();
    DestroyWindow(progress);
}
#endif

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#ifdef TARNHOLM_BARE_DETECTION
    // A floor that could not run its query would time less than it should: it shows no dialog,
    // and the benchmark stops there.
    const HANDLE query = CreateThread(nullptr, 0, QueryGraphics, nullptr, 0, nullptr);
    if (query == nullptr)
        return 1;
    DWORD queried = 1;
    ShowProgressWindowUntil(instance, [query, &queried] {
        WaitForSingleObject(query, INFINITE);
        GetExitCodeThread(query, &queried);
        CloseHandle(query);
        if (queried == 0)
            MeasureProcessor();
    });
    if (queried != 0)
        return 1;
#elif defined(TARNHOLM_BARE_TWO_WINDOWS)
    ShowProgressWindowUntil(instance, [] { Sleep(200); });
#endif
    DialogBoxParamW(instance, MAKEINTRESOURCEW(130), nullptr, DialogProc, 0);
    return 0;
}
