#include "controls/SkinButton.h"

#include "controls/ControlsAccessible.h"
#include "controls/FocusCues.h"
#include "framework/Gdi.h"
#include "framework/WindowDpi.h"

namespace {

void DrawBorder(HDC dc, const RECT& rect, int width, const ctl::ButtonColours& colours, int dpi) {
    const ctl::Rect r{rect.left, rect.top, rect.right, rect.bottom};
    for (const ctl::EdgeLine& line :
         ctl::BorderLines(r, width, colours.lightEdge, colours.darkEdge, dpi::Scale(1, dpi))) {
        fw::Pen pen(CreatePen(PS_SOLID, 1, line.colour));
        fw::SelectGuard select(dc, pen.Get());
        MoveToEx(dc, line.from.x, line.from.y, nullptr);
        LineTo(dc, line.to.x, line.to.y);
    }
}

// The system's message font at `dpi`; null when it cannot be had (the DC's font is used then).
fw::Font MessageFont(int dpi) {
    NONCLIENTMETRICSW metrics{};
    if (!dpi::NonClientMetrics(dpi, metrics))
        return {};
    return fw::Font(CreateFontIndirectW(&metrics.lfMessageFont));
}

void DrawCaption(HDC dc, RECT rect, const std::wstring& caption, COLORREF colour, int dpi) {
    fw::Font font = MessageFont(dpi);
    fw::SelectGuard select(dc, font.Get());
    const COLORREF previous = SetTextColor(dc, colour);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SetTextColor(dc, previous);
}

void FillFace(HDC dc, const RECT& rect, COLORREF face) {
    fw::Brush brush(CreateSolidBrush(face));
    FillRect(dc, &rect, brush.Get());
}

// In a contrast theme: the system's button face and text, its grey text for a disabled caption
// (alone, not over the caption in the usual colour), and one ring in the window text colour.
ctl::ButtonColours SystemButtonColours(bool disabled) {
    const COLORREF text = GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
    const COLORREF ring = GetSysColor(COLOR_WINDOWTEXT);
    return ctl::ButtonColours{GetSysColor(COLOR_BTNFACE), text, GetSysColor(COLOR_GRAYTEXT), ring, ring, text, 1};
}

} // namespace

void PaintSkinButton(HDC dc, const RECT& item, UINT itemState, const std::wstring& caption,
                     const ctl::ButtonColours& colours, bool focusMark, int dpi) {
    FillFace(dc, item, colours.face);
    DrawBorder(dc, item, colours.borderWidth, colours, dpi);
    DrawCaption(dc, item, caption, colours.text, dpi);
    const bool focused = (itemState & ODS_FOCUS) != 0;
    if (focused && (itemState & ODS_SELECTED)) {
        FillFace(dc, item, colours.face);
        DrawBorder(dc, item, -1, colours, dpi);
        DrawCaption(dc, item, caption, colours.pressedText, dpi);
    } else if (!focused && (itemState & ODS_DISABLED)) {
        DrawCaption(dc, item, caption, colours.disabledText, dpi);
    }
    // One rectangle for both reasons: the mark inverts, so a second would take the first away.
    // Inverted, its dots show light on the dark faces.
    const bool keyboardFocus = focused && !(itemState & ODS_NOFOCUSRECT);
    if (focusMark || keyboardFocus) {
        RECT mark = item;
        const int inset = dpi::Scale(5, dpi);
        InflateRect(&mark, -inset, -inset);
        DrawFocusRect(dc, &mark);
    }
}

bool CSkinButton::AttachSkin(int id, HWND parent, COLORREF face, COLORREF text, COLORREF disabledText,
                             COLORREF darkEdge, COLORREF lightEdge, COLORREF pressedText, int borderWidth) {
    return AttachSkin(id, parent,
                      ctl::ButtonColours{face, text, disabledText, darkEdge, lightEdge, pressedText, borderWidth});
}

bool CSkinButton::AttachSkin(int id, HWND parent, const ctl::ButtonColours& colours) {
    if (!SubclassDlgItem(id, parent))
        return false;
    colours_ = colours;
    focusMark = false;
    return true;
}

void CSkinButton::DrawItem(DRAWITEMSTRUCT& item) {
    // The window's UI state decides, as it is now: a repaint of our own may come with a request
    // made before the keyboard was used.
    UINT state = item.itemState & ~static_cast<UINT>(ODS_NOFOCUSRECT);
    if (!ctl::cues::FocusShown(hwnd_))
        state |= ODS_NOFOCUSRECT;
    const ctl::ButtonColours colours =
        Look().highContrast ? SystemButtonColours((state & ODS_DISABLED) != 0) : colours_;
    PaintSkinButton(item.hDC, item.rcItem, state, Text(), colours, focusMark, Look().dpi);
}

void CSkinButton::OnAppearanceChanged(const fw::Appearance& previous) {
    fw::Button::OnAppearanceChanged(previous);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void ShowFocusMarkOn(std::initializer_list<CSkinButton*> buttons, int id) {
    for (CSkinButton* button : buttons)
        button->focusMark = GetDlgCtrlID(button->Hwnd()) == id;
    for (CSkinButton* button : buttons)
        button->RedrawNow();
}

// Owner-drawn buttons read as plain windows to the system's accessibility: they say they are
// buttons.
bool CSkinButton::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (accessible_.Handle(msg, wParam, lParam, result,
                           [this] { return new ctl::PushButtonAccessible(hwnd_, Context().texts); }))
        return true;
    // The focus mark comes and goes with the UI state.
    if (msg == WM_UPDATEUISTATE) {
        result = Default();
        if (ctl::cues::ConcernsFocus(wParam))
            InvalidateRect(hwnd_, nullptr, FALSE);
        return true;
    }
    return fw::Button::OnMessage(msg, wParam, lParam, result);
}
