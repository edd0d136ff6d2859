// The settings window: a captionless property sheet with the video and language pages and the
// system check report, a dark tab strip, and a column of Default, OK and Cancel at its right.
// The pages change the settings model in memory; OK stores it (and, when the registry refused a
// value, says so and stays open), Cancel and Escape load it again, Default puts the
// hardware-based defaults into it.
#pragma once

#include "SettingsModel.h"
#include "controls/ColourRules.h"
#include "controls/ScaledArt.h"
#include "controls/SkinButton.h"
#include "controls/SkinTabCtrl.h"
#include "framework/Controls.h"
#include "framework/Gdi.h"
#include "framework/PropertySheet.h"
#include "sheet/LanguagePage.h"
#include "sheet/VideoSettingsPage.h"

#include <memory>

class CSettingsSheet : public fw::PropertySheetDialog {
public:
    // reportPage: the third page, the system check report, made by the caller; the sheet owns
    // it, as it owns the other two. Without it the sheet has two pages.
    // context: the texts and the resource library of the sheet and its pages.
    CSettingsSheet(CSettingsModel& model, std::unique_ptr<fw::PropertyPage> reportPage, fw::WindowContext context,
                   HWND parent = nullptr);

    CVideoSettingsPage& VideoPage() const { return *video_; }
    CLanguagePage& LanguagePage() const { return *language_; }
    fw::PropertyPage* ReportPage() const { return report_; }

    // The captionless sheet is moved by a press on a page's background too.
    void OnPagePressed(POINT sheetClientPoint) override { BeginDragMove(sheetClientPoint); }
    // The report page has no way out of its own: its cancel and OK are the sheet's Cancel.
    void OnPageCancel() override;

    // The sheet ends with this result however it is closed.
    static constexpr int kResult = 1;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnLButtonDblClk(UINT flags, POINT point) override;
    bool OnEraseBkgnd(HDC dc) override;
    void OnAppearanceChanged(const fw::Appearance& previous) override;
    void OnSysColorChange() override;
    HBRUSH OnCtlColor(HDC dc, HWND child, fw::CtlColor kind) override;
    bool PreTranslateMessage(MSG& msg) override;
    bool TranslateDialogMessage(MSG& msg) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Creates the sheet's tooltip window; without it the sheet works without tooltips.
    virtual bool CreateTooltip(fw::ToolTipCtrl& tooltip);

private:
    void KeepOnWorkArea();
    void Reshape();
    void PlaceColumn(int x, int height, SIZE ok);
    // OK: stores the model and closes; when it could not be stored, says so (and whether what was
    // stored before is still there) and stays open.
    void SaveAndClose();
    void ShowSaveFailure(settings::SaveResult result);
    void ReloadAndClose();
    void ApplyDefaults();
    void MarkFocus(int id);

    CSkinButton default_;
    CSkinButton ok_;
    CSkinButton cancel_;
    CSkinTabCtrl tabs_;
    CVideoSettingsPage* video_ = nullptr;
    CLanguagePage* language_ = nullptr;
    fw::PropertyPage* report_ = nullptr;
    std::unique_ptr<fw::ToolTipCtrl> tooltip_;
    art::ScaledBitmap background_;
    // Where the button column stands right of the tab control and how far the client reaches
    // below it, and the OK button's size as comctl32 made it, in dialog units.
    SIZE beyondTab_{};
    SIZE okUnits_{};

    CSettingsModel& model_;
    const TextLookup& texts_; // the context's
    ctl::ColourRules colours_{ctl::ColourRule::Sheet};
    // Once OK, Cancel or Escape has ended the sheet, later commands (the second half of a
    // double-click among them) do nothing.
    bool closing_ = false;
    // The button whose click came last: a double-click notification right after it is the
    // same gesture.
    int lastClicked_ = 0;
};
