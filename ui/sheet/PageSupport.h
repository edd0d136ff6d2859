// What the settings pages share: their picture as the background, the page colour rule, the
// layout table applied at every size, a tooltip in the sheet's style, and moving the sheet by a
// press on the page's background.
#pragma once

#include "SettingsModel.h"
#include "controls/AnchorLayout.h"
#include "controls/ColourRules.h"
#include "controls/ScaledArt.h"
#include "framework/Controls.h"
#include "framework/Gdi.h"
#include "framework/PropertySheet.h"
#include "sheet/PageLayout.h"

#include <memory>
#include <span>

namespace sheet {

// Black tips with white text, at most 225 pixels wide at the look's DPI; in a contrast theme in
// the system's tooltip colours.
void StyleTooltip(const fw::ToolTipCtrl& tooltip, const fw::Appearance& look);

class SettingsPage : public fw::PropertyPage {
public:
    bool IsInitialised() const { return initialised_; }

protected:
    SettingsPage(UINT templateId, UINT backgroundId, std::span<const ctl::LayoutRow> layout, CSettingsModel& model,
                 fw::WindowContext context);

    // The start every page makes: its controls arranged by the layout table, filled
    // (FillControls), the tooltip in the sheet's style with the page's tools (AddTools; a page
    // whose tooltip cannot be made works without tips), the background; from there on the page
    // is initialised and shows the model (ShowModel).
    bool OnInitDialog() final;
    virtual void FillControls() = 0;
    virtual void AddTools(fw::ToolTipCtrl&) {}
    virtual void ShowModel() = 0;

    void OnSize(UINT type, int width, int height) override;
    void OnAppearanceChanged(const fw::Appearance& previous) override;
    void OnSysColorChange() override;
    bool OnEraseBkgnd(HDC dc) override;
    void OnLButtonDown(UINT flags, POINT point) override;
    HBRUSH OnCtlColor(HDC dc, HWND child, fw::CtlColor kind) override;
    bool PreTranslateMessage(MSG& msg) override;

    // Creates the page's tooltip window.
    virtual bool CreateTooltip(fw::ToolTipCtrl& tooltip);

    CSettingsModel& model_;
    const TextLookup& texts_; // the context's

private:
    const UINT backgroundId_;
    const std::span<const ctl::LayoutRow> rows_;
    CAnchorLayout layout_;
    std::unique_ptr<fw::ToolTipCtrl> tooltip_;
    art::ScaledBitmap background_;
    ctl::ColourRules colours_{ctl::ColourRule::Page};
    bool initialised_ = false;
};

} // namespace sheet
