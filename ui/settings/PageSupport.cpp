#include "settings/PageSupport.h"

#include "settings/SettingsSheet.h"

namespace sheet {

ctl::Rect PageLayoutTarget::Get(int control) {
    RECT rect{};
    const HWND child = GetDlgItem(page_, control);
    if (!child || !GetWindowRect(child, &rect))
        return {};
    MapWindowPoints(HWND_DESKTOP, page_, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

void PageLayoutTarget::Move(int control, const ctl::Rect& rect) {
    MoveWindow(GetDlgItem(page_, control), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
}

void StyleTooltip(const fw::ToolTipCtrl& tooltip) {
    tooltip.SetTipBkColor(RGB(0, 0, 0));
    tooltip.SetTipTextColor(RGB(255, 255, 255));
    tooltip.SetMaxTipWidth(225);
}

void ForwardPressToSheet(const fw::PropertyPage& page, POINT clientPoint) {
    auto* sheet = dynamic_cast<CSettingsSheet*>(page.Sheet());
    if (!sheet)
        return;
    MapWindowPoints(page.Hwnd(), sheet->Hwnd(), &clientPoint, 1);
    sheet->StartMove(clientPoint);
}

} // namespace sheet
