// The system check report: the verdict (text and image) and the tree of detected items with
// their values and status images. The same class runs as a modal dialog of its own (the start-up
// flow) and as the third page of the settings sheet (OK hidden).
//
//     CSystemCheckDlg report(nullptr, context, registry); // modal: OK visible
//     report.AttachApplication(detection);
//     report.DoModal();
//
//     auto page = std::make_unique<CSystemCheckDlg>(nullptr, context, registry, false); // a sheet's page:
//     page->AttachApplication(detection);                                            // no OK of its own,
//     sheet.AddPage(std::move(page));                                                // its cancel is the sheet's
#pragma once

#include "Detection.h"
#include "RegistryBackend.h"
#include "controls/AnchorLayout.h"
#include "controls/ColourRules.h"
#include "controls/HyperLink.h"
#include "controls/ScaledArt.h"
#include "controls/SkinButton.h"
#include "report/ReportMenu.h"
#include "framework/Controls.h"
#include "framework/Gdi.h"
#include "framework/PropertySheet.h"

#include <memory>
#include <string>

class CReportTree;

class CSystemCheckDlg : public fw::PropertyPage, public ParameterValidator {
public:
    // context: every visible text by key and the resource library. showOK false hides the OK
    // button (for the settings sheet's page); it can also be changed through the member before the
    // window exists. registry: where the report file's header reads the installer's record.
    CSystemCheckDlg(HWND parent, fw::WindowContext context, registry::RegistryBackend& registry, bool showOK = true);
    ~CSystemCheckDlg() override;

    // Registers the report with the application's parameter set (it leaves the set by itself
    // when the report goes) and keeps the application for FillReport. Not owned.
    void AttachApplication(DetectionApplication* application);

    // The verdict shown: 0 ideal, 1 failed, 2 sufficient. Unless set, the attached application's
    // GetOverallResult is asked when the window is initialised.
    void SetOverallResult(int result) { overallResult_ = result; }

    // (Re)builds the tree from the application's detected items; also run at initialisation.
    void FillReport();

    // The whole report as plain text (verdict, then one line per item), as Ctrl+C copies it.
    std::wstring ReportText() const;
    // Puts ReportText on the clipboard as Unicode text; false when the clipboard refused it.
    bool CopyReportToClipboard() const;

    CReportTree* Tree() const { return tree_.get(); }

    // Whether the OK button (1028) is shown; set before the window is created.
    bool showOK = true;

protected:
    bool OnInitDialog() override;
    void DoDataExchange() override;
    void OnCancel() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(int id, NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDestroy() override;
    void OnPaint() override;
    bool OnEraseBkgnd(HDC dc) override;
    HICON OnQueryDragIcon() override;
    void OnGetMinMaxInfo(MINMAXINFO& info) override;
    void OnSize(UINT type, int width, int height) override;
    void OnAppearanceChanged(const fw::Appearance& previous) override;
    void OnSysColorChange() override;
    HBRUSH OnCtlColor(HDC dc, HWND child, fw::CtlColor kind) override;
    bool PreTranslateMessage(MSG& msg) override;

private:
    void LoadArt();
    int ShownResult() const;
    // Copies or saves the report as chosen; false when nothing was chosen.
    bool Carry(report::MenuChoice choice);

    const TextLookup& texts_; // the context's
    registry::RegistryBackend& registry_;
    HICON icon_;
    art::ScaledBitmap background_;
    // The gold rules at the window's scale, where it is not 100 %.
    art::StaticPicture rules_[5];
    SIZE initialClient_{};
    bool initialised_ = false;
    std::unique_ptr<CReportTree> tree_;
    DetectionApplication* application_ = nullptr;
    int overallResult_ = -1; // -1: ask the application
    CAnchorLayout layout_;
    fw::ImageList verdictImages_;
    POINT verdictImagePosition_{};
    CHyperLink helpLink_;
    CSkinButton ok_;
    ctl::ColourRules colours_{ctl::ColourRule::Report};
};
