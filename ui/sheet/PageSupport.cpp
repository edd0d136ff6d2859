#include "sheet/PageSupport.h"

#include "controls/Dpi.h"
#include "controls/WindowDpi.h"
#include "framework/Application.h"

namespace sheet {

void StyleTooltip(const fw::ToolTipCtrl& tooltip) {
    tooltip.SetTipBkColor(RGB(0, 0, 0));
    tooltip.SetTipTextColor(RGB(255, 255, 255));
    tooltip.SetMaxTipWidth(dpi::Scale(225, dpi::OfWindow(tooltip.Hwnd())));
}

SettingsPage::SettingsPage(UINT templateId, UINT backgroundId, std::span<const ctl::LayoutRow> layout,
                           CSettingsModel& model, TextLookup texts)
    : fw::PropertyPage(templateId), model_(model), texts_(std::move(texts)), backgroundId_(backgroundId),
      rows_(layout) {}

bool SettingsPage::CreateTooltip(fw::ToolTipCtrl& tooltip) { return tooltip.Create(hwnd_); }

void SettingsPage::ArrangeControls() {
    scale_.Init(hwnd_);
    layout_.Init(hwnd_, ClientRect());
    layout_.AddRows(rows_);
    layout_.Apply(false);
    RedrawNow();
}

fw::ToolTipCtrl* SettingsPage::StartTooltip() {
    auto tooltip = std::make_unique<fw::ToolTipCtrl>();
    if (!CreateTooltip(*tooltip))
        return nullptr;
    tooltip_ = std::move(tooltip);
    StyleTooltip(*tooltip_);
    return tooltip_.get();
}

void SettingsPage::FinishInitialisation() {
    if (tooltip_)
        tooltip_->Activate(true);
    background_ = art::ScaledBitmap(backgroundId_, scale_.Get());
    initialised_ = true;
}

void SettingsPage::OnSize(UINT type, int width, int height) {
    fw::PropertyPage::OnSize(type, width, height);
    if (GetWindow(hwnd_, GW_CHILD) != nullptr && layout_.Apply(false))
        RedrawNow();
}

// A page is told by its sheet, with its rectangle in the sheet.
void SettingsPage::OnDpiChanged(int dpi, const RECT& suggested) {
    layout_.RemeasureAll(scale_.Rescale(hwnd_, dpi));
    background_ = art::ScaledBitmap(backgroundId_, scale_.Get());
    fw::PropertyPage::OnDpiChanged(dpi, suggested);
}

bool SettingsPage::OnEraseBkgnd(HDC dc) {
    Default();
    background_.Draw(dc, ClientRect());
    return true;
}

// A press on the page's own background starts a move of the settings sheet it is shown in.
void SettingsPage::OnLButtonDown(UINT flags, POINT point) {
    if (fw::PropertySheetDialog* sheet = Sheet()) {
        POINT inSheet = point;
        MapWindowPoints(hwnd_, sheet->Hwnd(), &inSheet, 1);
        sheet->OnPagePressed(inSheet);
    }
    fw::PropertyPage::OnLButtonDown(flags, point);
}

HBRUSH SettingsPage::OnCtlColor(HDC dc, HWND child, fw::CtlColor kind) {
    return colours_.Answer(*this, dc, child, kind);
}

bool SettingsPage::PreTranslateMessage(MSG& msg) {
    if (tooltip_)
        tooltip_->RelayEvent(msg);
    return fw::PropertyPage::PreTranslateMessage(msg);
}

} // namespace sheet
