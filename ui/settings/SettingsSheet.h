// The settings window: a captionless property sheet with the video and language pages and the
// system check report, a dark tab strip, and a column of Default, OK and Cancel at its right.
// The pages change the settings model in memory; OK stores it, Cancel and Escape load it again,
// Default puts the hardware-based defaults into it.
#pragma once

#include "SettingsModel.h"
#include "controls/ColourRules.h"
#include "controls/SkinButton.h"
#include "controls/SkinTabCtrl.h"
#include "framework/Controls.h"
#include "framework/Gdi.h"
#include "framework/PropertySheet.h"
#include "framework/TextLookup.h"
#include "settings/LanguagePage.h"
#include "settings/ReportPage.h"
#include "settings/VideoSettingsPage.h"

#include <memory>

class DetectionApplication;

class CSettingsSheet : public fw::PropertySheetDialog {
public:
    CSettingsSheet(CSettingsModel& model, DetectionApplication* detection, fw::TextLookup texts, HWND parent = nullptr);
    ~CSettingsSheet() override;

    CVideoSettingsPage& VideoPage() const { return *video_; }
    CLanguagePage& LanguagePage() const { return *language_; }
    CSystemCheckDlg& ReportPage() const { return *report_; }

    // The captionless sheet is moved by a press on a page's background too.
    void OnPagePressed(POINT sheetClientPoint) override { StartMove(sheetClientPoint); }

    // The sheet ends with this result however it is closed.
    static constexpr int kResult = 1;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnLButtonDblClk(UINT flags, POINT point) override;
    bool OnEraseBkgnd(HDC dc) override;
    HBRUSH OnCtlColor(HDC dc, HWND child, fw::CtlColor kind) override;
    bool PreTranslateMessage(MSG& msg) override;
    bool TranslateDialogMessage(MSG& msg) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Creates the sheet's tooltip window; without it the sheet works without tooltips.
    virtual bool CreateTooltip(fw::ToolTipCtrl& tooltip);

private:
    // Moves the captionless sheet with the mouse from a press at this point of its client area.
    void StartMove(POINT clientPoint) const;
    void Reshape();
    void SaveAndClose();
    void ReloadAndClose();
    void ApplyDefaults();
    void MarkFocus(int id);

    CSkinButton default_;
    CSkinButton ok_;
    CSkinButton cancel_;
    CSkinTabCtrl tabs_;
    std::unique_ptr<CVideoSettingsPage> video_;
    std::unique_ptr<CLanguagePage> language_;
    std::unique_ptr<CReportPage> report_;
    std::unique_ptr<fw::ToolTipCtrl> tooltip_;
    fw::Bitmap background_;

    CSettingsModel& model_;
    DetectionApplication* detection_;
    fw::TextLookup texts_;
    ColourRules colours_{ColourRule::Sheet};
    // Once OK, Cancel or Escape has ended the sheet, later commands (the second half of a
    // double-click among them) do nothing.
    bool closing_ = false;
    // The button whose click came last: a double-click notification right after it is the
    // same gesture.
    int lastClicked_ = 0;
};
