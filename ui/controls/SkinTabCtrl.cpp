#include "controls/SkinTabCtrl.h"

#include "framework/Gdi.h"

namespace {

constexpr COLORREF kCell = RGB(32, 32, 32);

// Shared by every strip for the rest of the program.
HBRUSH BlackBrush() {
    static const fw::Brush brush(CreateSolidBrush(RGB(0, 0, 0)));
    return brush.Get();
}

} // namespace

void EraseTabStrip(HDC dc) {
    const HBRUSH black = BlackBrush();
    fw::SavedDC saved(dc);
    RECT clip{};
    GetClipBox(dc, &clip);
    SelectObject(dc, black);
    PatBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, PATCOPY);
}

void PaintTabItem(HDC dc, const RECT& item, UINT itemState, const std::wstring& text) {
    fw::SavedDC saved(dc);
    SetBkColor(dc, kCell);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT rect = item;
    if (itemState != 0)
        fw::FillSolidRect(dc, rect, kCell);
    OffsetRect(&rect, 4, 3);
    SetBkMode(dc, OPAQUE);
    TextOutW(dc, rect.left, rect.top, text.c_str(), static_cast<int>(text.size()));
}

void CSkinTabCtrl::PreSubclassWindow() {
    ModifyStyle(0, TCS_OWNERDRAWFIXED);
    fw::TabCtrl::PreSubclassWindow();
}

void CSkinTabCtrl::DrawItem(DRAWITEMSTRUCT& item) {
    PaintTabItem(item.hDC, item.rcItem, item.itemState, GetItemText(static_cast<int>(item.itemID), kTextBuffer));
}

bool CSkinTabCtrl::OnEraseBkgnd(HDC dc) {
    EraseTabStrip(dc);
    return true;
}
