#include "sheet/PageSupport.h"

#include "controls/Dpi.h"

namespace sheet {

void StyleTooltip(const fw::ToolTipCtrl& tooltip, const fw::Appearance& look) {
    tooltip.SetTipBkColor(look.highContrast ? GetSysColor(COLOR_INFOBK) : RGB(0, 0, 0));
    tooltip.SetTipTextColor(look.highContrast ? GetSysColor(COLOR_INFOTEXT) : RGB(255, 255, 255));
    tooltip.SetMaxTipWidth(dpi::Scale(225, look.dpi));
}

SettingsPage::SettingsPage(UINT templateId, UINT backgroundId, std::span<const ctl::LayoutRow> layout,
                           CSettingsModel& model, fw::WindowContext context)
    : fw::PropertyPage(templateId, std::move(context)), model_(model), texts_(Context().texts), backgroundId_(backgroundId),
      rows_(layout) {}

bool SettingsPage::CreateTooltip(fw::ToolTipCtrl& tooltip) { return tooltip.Create(hwnd_); }

bool SettingsPage::OnInitDialog() {
    fw::PropertyPage::OnInitDialog();
    layout_.Init(hwnd_, ClientRect());
    layout_.AddRows(rows_);
    layout_.Apply(false);
    RedrawNow();
    FillControls();
    if (auto tooltip = std::make_unique<fw::ToolTipCtrl>(); CreateTooltip(*tooltip)) {
        tooltip_ = std::move(tooltip);
        StyleTooltip(*tooltip_, Look());
        AddTools(*tooltip_);
        tooltip_->Activate(true);
    }
    background_ = art::ScaledBitmap(Context().resources, backgroundId_, Look().dpi);
    initialised_ = true;
    ShowModel();
    return true;
}

void SettingsPage::OnSize(UINT type, int width, int height) {
    fw::PropertyPage::OnSize(type, width, height);
    if (GetWindow(hwnd_, GW_CHILD) != nullptr && layout_.Apply(false))
        RedrawNow();
}

// A page is told by its sheet, which then gives it its rectangle at the new scale.
void SettingsPage::OnAppearanceChanged(const fw::Appearance& previous) {
    fw::PropertyPage::OnAppearanceChanged(previous);
    if (tooltip_)
        StyleTooltip(*tooltip_, Look());
    if (previous.dpi == Look().dpi)
        return;
    layout_.RemeasureAll(RescaledClient());
    background_ = art::ScaledBitmap(Context().resources, backgroundId_, Look().dpi);
}

void SettingsPage::OnSysColorChange() {
    fw::PropertyPage::OnSysColorChange();
    if (tooltip_)
        StyleTooltip(*tooltip_, Look());
}

// In a contrast theme the page is its face colour alone, without the picture and its frames
// (and without the tab's texture that a themed sheet erases its pages with).
bool SettingsPage::OnEraseBkgnd(HDC dc) {
    if (Look().highContrast) {
        fw::FillSolidRect(dc, ClientRect(), GetSysColor(COLOR_BTNFACE));
        return true;
    }
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
