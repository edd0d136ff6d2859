// The small window with a progress bar shown while the hardware tests run.
#pragma once

#include "Detection.h"
#include "Localization.h"
#include "controls/ColourRules.h"
#include "controls/ScaledArt.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"

class CSplashDlg : public fw::Dialog, public ITestObserver {
public:
    // The template and picture come from the context's resource library; without one, from the
    // application's current resources.
    explicit CSplashDlg(HWND parent = nullptr);
    CSplashDlg(fw::WindowContext context, HWND parent);

    // Creates the window without parent, shows it and paints it at once; false when it could
    // not be created. Like OnTestProgress, it passes on what a handler of the window threw.
    bool Open();
    void OnTestProgress(Detection::TestManager* manager) override;

protected:
    bool OnInitDialog() override;
    void DoDataExchange() override;
    HBRUSH OnCtlColor(HDC dc, HWND child, fw::CtlColor kind) override;
    bool OnEraseBkgnd(HDC dc) override;
    void OnAppearanceChanged(const fw::Appearance& previous) override;

private:
    // The artwork and the bar in gold, or in a contrast theme the system's colours alone.
    void ShowLook();
    fw::ProgressCtrl bar_;
    ctl::ColourRules colours_{ctl::ColourRule::Dialog};
    art::StaticPicture picture_;
};

// The process-wide progress window object for modules loaded into the program (no window is
// created by this call).
LAUNCHER_EXPORT CSplashDlg* GetSplashDlg();
