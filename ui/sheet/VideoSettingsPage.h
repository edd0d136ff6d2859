// The first settings page: resolution, widescreen, visual quality, vertical sync and textures.
// Every change goes straight into the settings model; the sheet's OK stores it.
#pragma once

#include "controls/SkinSlider.h"
#include "sheet/PageSupport.h"

class CVideoSettingsPage : public sheet::SettingsPage {
public:
    CVideoSettingsPage(CSettingsModel& model, fw::WindowContext context);

    // Shows the model's values; does nothing until the page is initialised.
    void RefreshFromModel();

protected:
    void FillControls() override;
    void AddTools(fw::ToolTipCtrl& tooltip) override;
    void ShowModel() override { RefreshFromModel(); }
    void DoDataExchange() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnHScroll(UINT code, UINT position, HWND bar) override;
    void OnShowWindow(bool show, UINT status) override;

private:
    void OnResolutionChanged();

    fw::ComboBox resolution_;
    CSkinSlider quality_;
    fw::Button textures_;
    fw::Button vsync_;
    fw::Button widescreen_;
};
