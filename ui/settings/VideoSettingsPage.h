// The first settings page: resolution, widescreen, visual quality, vertical sync and textures.
// Every change goes straight into the settings model; the sheet's OK stores it.
#pragma once

#include "SettingsModel.h"
#include "controls/AnchorMath.h"
#include "controls/ColourRules.h"
#include "controls/SkinSlider.h"
#include "framework/Controls.h"
#include "framework/Gdi.h"
#include "framework/PropertySheet.h"
#include "framework/TextLookup.h"

#include <memory>
#include <vector>

class CVideoSettingsPage : public fw::PropertyPage {
public:
    CVideoSettingsPage(CSettingsModel& model, fw::TextLookup texts);
    ~CVideoSettingsPage() override;

    // Shows the model's values; does nothing until the page is initialised.
    void RefreshFromModel();
    bool IsInitialised() const { return initialised_; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnHScroll(UINT code, UINT position, HWND bar) override;
    void OnShowWindow(bool show, UINT status) override;
    void OnSize(UINT type, int width, int height) override;
    bool OnEraseBkgnd(HDC dc) override;
    void OnLButtonDown(UINT flags, POINT point) override;
    HBRUSH OnCtlColor(HDC dc, HWND child, fw::CtlColor kind) override;
    bool PreTranslateMessage(MSG& msg) override;

    // Creates the page's tooltip window; a failure leaves the page uninitialised.
    virtual bool CreateTooltip(fw::ToolTipCtrl& tooltip);

private:
    void Layout(bool measure);
    void OnResolutionChanged();

    fw::ComboBox resolution_;
    CSkinSlider quality_;
    fw::Button textures_;
    fw::Button vsync_;
    fw::Button widescreen_;
    std::unique_ptr<fw::ToolTipCtrl> tooltip_;
    fw::Bitmap background_;
    CSettingsModel& model_;
    bool initialised_ = false;

    fw::TextLookup texts_;
    ColourRules colours_{ColourRule::Page};
    std::vector<AnchorDistances> layout_;
};
