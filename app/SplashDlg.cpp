#include "SplashDlg.h"

#include "ResourceIds.h"
#include "RunFlow.h"
#include "controls/Dpi.h"
#include "framework/Application.h"
#include "framework/ExceptionScope.h"

namespace {

fw::Resources CurrentResources() {
    const fw::Application* app = fw::Application::Current();
    return app ? app->CurrentResources() : fw::Resources();
}

} // namespace

CSplashDlg::CSplashDlg(HWND parent) : CSplashDlg(fw::WindowContext{{}, CurrentResources()}, parent) {}

CSplashDlg::CSplashDlg(fw::WindowContext context, HWND parent) : fw::Dialog(IDD_PROGRESS, std::move(context), parent) {}

void CSplashDlg::DoDataExchange() { Bind(bar_, IDC_PROGRESS_BAR); }

bool CSplashDlg::OnInitDialog() {
    const bool result = fw::Dialog::OnInitDialog();
    bar_.SetRange(0, 100);
    ShowLook();
    return result;
}

void CSplashDlg::ShowLook() {
    const bool contrast = Look().highContrast;
    // Gold on the window's near-black, in keeping with the artwork.
    SendMessageW(bar_.Hwnd(), PBM_SETBARCOLOR, 0, contrast ? CLR_DEFAULT : RGB(201, 162, 74));
    SendMessageW(bar_.Hwnd(), PBM_SETBKCOLOR, 0, contrast ? CLR_DEFAULT : RGB(1, 1, 1));
    // The template's picture is the window's only static control.
    const HWND picture = FindWindowExW(hwnd_, nullptr, L"Static", nullptr);
    if (picture)
        ShowWindow(picture, contrast ? SW_HIDE : SW_SHOWNA);
    if (!contrast)
        art::ShowScaledInStatic(picture, Context().resources, IDB_SPLASH, Look().dpi, picture_);
}

void CSplashDlg::OnAppearanceChanged(const fw::Appearance& previous) {
    fw::Dialog::OnAppearanceChanged(previous);
    ShowLook();
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
        bar_.SetPos(app::ProgressPosition(manager->GetNumTestCompleted(), manager->GetNumTests()));
        UpdateWindow(bar_.Hwnd());
    });
}

// In a contrast theme the artwork gives way to the face colour, framed in the theme's frame colour
// as the window has no frame of its own.
bool CSplashDlg::OnEraseBkgnd(HDC dc) {
    const bool erased = Default() != 0;
    if (!Look().highContrast)
        return erased;
    fw::FrameSolidRect(dc, ClientRect(), dpi::Scale(1, Look().dpi), GetSysColor(COLOR_WINDOWFRAME));
    return true;
}

HBRUSH CSplashDlg::OnCtlColor(HDC dc, HWND child, fw::CtlColor kind) { return colours_.Answer(*this, dc, child, kind); }

CSplashDlg* GetSplashDlg() {
    static CSplashDlg shared(nullptr);
    return &shared;
}
