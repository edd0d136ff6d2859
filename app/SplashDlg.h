// The small window with a progress bar shown while the hardware tests run.
#pragma once

#include "Detection.h"
#include "Localization.h"
#include "controls/ColourRules.h"
#include "controls/ScaledArt.h"
#include "controls/WindowScale.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"

class CSplashDlg : public fw::Dialog, public ITestObserver {
public:
    explicit CSplashDlg(HWND parent = nullptr);

    // Creates the window without parent, shows it and paints it at once; false when it could
    // not be created. Like OnTestProgress, it passes on what a handler of the window threw.
    bool Open();
    void OnTestProgress(Detection::TestManager* manager) override;

protected:
    bool OnInitDialog() override;
    void DoDataExchange() override;
    HBRUSH OnCtlColor(HDC dc, HWND child, fw::CtlColor kind) override;
    void OnDpiChanged(int dpi, const RECT& suggested) override;

private:
    void ShowPicture();
    fw::ProgressCtrl bar_;
    ColourRules colours_{ColourRule::Dialog};
    art::StaticPicture picture_;
    dpi::WindowScale scale_;
};

// The process-wide progress window object for modules loaded into the program (no window is
// created by this call).
LAUNCHER_EXPORT CSplashDlg* GetSplashDlg();
