// The second settings page: the interface language, stored for the next start of the program.
#pragma once

#include "SettingsModel.h"
#include "controls/AnchorMath.h"
#include "controls/ColourRules.h"
#include "framework/Controls.h"
#include "framework/Gdi.h"
#include "framework/PropertySheet.h"
#include "framework/TextLookup.h"

#include <memory>
#include <vector>

class CLanguagePage : public fw::PropertyPage {
public:
    CLanguagePage(CSettingsModel& model, fw::TextLookup texts);
    ~CLanguagePage() override;

    // Selects the language the model holds; does nothing until the page is initialised.
    void Refresh();
    bool IsInitialised() const { return initialised_; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnSize(UINT type, int width, int height) override;
    bool OnEraseBkgnd(HDC dc) override;
    void OnLButtonDown(UINT flags, POINT point) override;
    HBRUSH OnCtlColor(HDC dc, HWND child, fw::CtlColor kind) override;
    bool PreTranslateMessage(MSG& msg) override;

    // Creates the page's tooltip window; a failure leaves the page uninitialised.
    virtual bool CreateTooltip(fw::ToolTipCtrl& tooltip);

private:
    void Layout(bool measure);
    void OnChoice();

    fw::Bitmap background_;
    std::unique_ptr<fw::ToolTipCtrl> tooltip_;
    fw::ComboBox languages_;
    CSettingsModel& model_;
    bool initialised_ = false;

    fw::TextLookup texts_;
    ColourRules colours_{ColourRule::Page};
    std::vector<AnchorDistances> layout_;
};
