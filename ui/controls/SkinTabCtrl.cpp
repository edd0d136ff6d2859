#include "controls/SkinTabCtrl.h"

#include "controls/ControlsAccessible.h"
#include "controls/FocusCues.h"
#include "framework/Gdi.h"

namespace {

constexpr COLORREF kCell = RGB(32, 32, 32);

// Shared by every strip for the rest of the program.
HBRUSH BlackBrush() {
    static const fw::Brush brush(CreateSolidBrush(RGB(0, 0, 0)));
    return brush.Get();
}

} // namespace

void EraseTabStrip(HDC dc, bool highContrast) {
    const HBRUSH ground = highContrast ? GetSysColorBrush(COLOR_BTNFACE) : BlackBrush();
    fw::SavedDC saved(dc);
    RECT clip{};
    GetClipBox(dc, &clip);
    SelectObject(dc, ground);
    PatBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, PATCOPY);
}

void PaintTabItem(HDC dc, const RECT& item, UINT itemState, const std::wstring& text, int dpi, bool highContrast) {
    fw::SavedDC saved(dc);
    RECT rect = item;
    if (highContrast) {
        // The selected tab is told by its frame, not by a colour of its own.
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        SetBkMode(dc, TRANSPARENT);
        if (itemState != 0)
            fw::FrameSolidRect(dc, item, dpi::Scale(1, dpi), GetSysColor(COLOR_WINDOWTEXT));
    } else {
        SetBkColor(dc, kCell);
        SetTextColor(dc, RGB(255, 255, 255));
        if (itemState != 0)
            fw::FillSolidRect(dc, rect, kCell);
        SetBkMode(dc, OPAQUE);
    }
    OffsetRect(&rect, dpi::Scale(4, dpi), dpi::Scale(3, dpi));
    TextOutW(dc, rect.left, rect.top, text.c_str(), static_cast<int>(text.size()));
}

void CSkinTabCtrl::PreSubclassWindow() {
    ModifyStyle(0, TCS_OWNERDRAWFIXED);
    fw::TabCtrl::PreSubclassWindow();
}

void CSkinTabCtrl::DrawItem(DRAWITEMSTRUCT& item) {
    PaintTabItem(item.hDC, item.rcItem, item.itemState, GetItemText(static_cast<int>(item.itemID), kTextBuffer),
                 Look().dpi, Look().highContrast);
}

bool CSkinTabCtrl::OnEraseBkgnd(HDC dc) {
    EraseTabStrip(dc, Look().highContrast);
    return true;
}

void CSkinTabCtrl::PaintStrip(HDC dc) const {
    const bool contrast = Look().highContrast;
    EraseTabStrip(dc, contrast);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    const fw::SelectGuard selected(dc, font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    const int current = GetCurSel();
    for (int index = 0, count = GetItemCount(); index < count; ++index) {
        RECT cell{};
        if (!SendMessageW(hwnd_, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&cell)))
            continue;
        PaintTabItem(dc, cell, index == current ? ODS_SELECTED : 0, GetItemText(index, kTextBuffer), Look().dpi,
                     contrast);
    }
    RECT focus{};
    // As the system's own tab control: the mark shows while the strip has the keyboard, unless the
    // window's UI state hides focus marks until the keyboard is used.
    if (GetFocus() == hwnd_ && ctl::cues::FocusShown(hwnd_) &&
        SendMessageW(hwnd_, TCM_GETITEMRECT, static_cast<WPARAM>(SendMessageW(hwnd_, TCM_GETCURFOCUS, 0, 0)),
                     reinterpret_cast<LPARAM>(&focus))) {
        const int inset = dpi::Scale(1, Look().dpi);
        InflateRect(&focus, -inset, -inset);
        const fw::SavedDC saved(dc);
        SetBkColor(dc, RGB(0, 0, 0));
        SetTextColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &focus);
    }
}

void CSkinTabCtrl::OnAppearanceChanged(const fw::Appearance& previous) {
    fw::TabCtrl::OnAppearanceChanged(previous);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void CSkinTabCtrl::OnPaint() {
    const fw::PaintDC paint(hwnd_);
    PaintStrip(paint.Get());
}

bool CSkinTabCtrl::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (accessible_.Handle(msg, wParam, lParam, result,
                           [this] { return new ctl::TabStripAccessible(hwnd_, Context().texts); }))
        return true;
    if (msg == WM_PRINTCLIENT) {
        PaintStrip(reinterpret_cast<HDC>(wParam));
        result = 0;
        return true;
    }
    // The focus mark comes and goes with the keyboard.
    if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS || msg == WM_UPDATEUISTATE) {
        result = Default();
        InvalidateRect(hwnd_, nullptr, FALSE);
        return true;
    }
    return fw::TabCtrl::OnMessage(msg, wParam, lParam, result);
}
