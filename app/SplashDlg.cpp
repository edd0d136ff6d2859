#include "SplashDlg.h"

#include "ResourceIds.h"
#include "RunFlow.h"
#include "framework/ExceptionScope.h"

CSplashDlg::CSplashDlg(HWND parent) : fw::Dialog(IDD_PROGRESS, parent) {}

void CSplashDlg::DoDataExchange() { Bind(bar_, IDC_PROGRESS_BAR); }

bool CSplashDlg::OnInitDialog() {
    const bool result = fw::Dialog::OnInitDialog();
    scale_.Init(hwnd_);
    bar_.SetRange(0, 100);
    // Gold on the window's near-black, in keeping with the artwork.
    SendMessageW(bar_.Hwnd(), PBM_SETBARCOLOR, 0, RGB(201, 162, 74));
    SendMessageW(bar_.Hwnd(), PBM_SETBKCOLOR, 0, RGB(1, 1, 1));
    ShowPicture();
    return result;
}

// The template's picture is the window's only static control.
void CSplashDlg::ShowPicture() {
    art::ShowScaledInStatic(FindWindowExW(hwnd_, nullptr, L"Static", nullptr), IDB_SPLASH, scale_.Get(), picture_);
}

void CSplashDlg::OnDpiChanged(int dpi, const RECT& suggested) {
    scale_.Rescale(hwnd_, dpi);
    ShowPicture();
    fw::Dialog::OnDpiChanged(dpi, suggested);
    RedrawNow();
}

bool CSplashDlg::Open() {
    if (!Create(nullptr))
        return false;
    // Outside any modal run: a handler's exception is carried to the caller from here.
    fw::CarryExceptions([this] {
        ShowWindow(hwnd_, SW_SHOW);
        UpdateWindow(hwnd_);
    });
    return true;
}

void CSplashDlg::OnTestProgress(Detection::TestManager* manager) {
    if (manager == nullptr || bar_.Hwnd() == nullptr)
        return;
    // The tests run on this thread: paint the bar now, not when the run is over. A handler's
    // exception goes back through the detection library's run to the program.
    fw::CarryExceptions([this, manager] {
        bar_.SetPos(ProgressPosition(manager->GetNumTestCompleted(), manager->GetNumTests()));
        UpdateWindow(bar_.Hwnd());
    });
}

HBRUSH CSplashDlg::OnCtlColor(HDC dc, HWND child, fw::CtlColor kind) { return colours_.Answer(*this, dc, child, kind); }

CSplashDlg* GetSplashDlg() {
    static CSplashDlg shared(nullptr);
    return &shared;
}
