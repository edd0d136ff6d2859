#include "report/GdiCanvas.h"

#include "framework/Gdi.h"

#include <algorithm>

GdiCanvas::GdiCanvas(HDC dc, HFONT normal, HFONT bold, HIMAGELIST images)
    : dc_(dc), saved_(SaveDC(dc)), normal_(normal), bold_(bold), images_(images), colours_(CurrentColours()) {
    SetBkMode(dc_, TRANSPARENT);
    GetClipBox(dc_, &clipBox_);
}

GdiCanvas::~GdiCanvas() {
    if (saved_ != 0)
        RestoreDC(dc_, saved_);
}

report::SystemColours GdiCanvas::CurrentColours() {
    report::SystemColours c;
    c.face = GetSysColor(COLOR_BTNFACE);
    c.shadow = GetSysColor(COLOR_BTNSHADOW);
    c.light = GetSysColor(COLOR_BTNHIGHLIGHT);
    c.text = GetSysColor(COLOR_BTNTEXT);
    c.highlight = GetSysColor(COLOR_HIGHLIGHT);
    c.grey = GetSysColor(COLOR_GRAYTEXT);
    c.white = RGB(255, 255, 255);
    c.black = RGB(0, 0, 0);
    return c;
}

void GdiCanvas::Fill(const report::Rect& rect, report::Colour colour) { fw::FillSolidRect(dc_, ToRECT(rect), colour); }

void GdiCanvas::Box(const report::Rect& rect, report::Colour outline, report::Colour fill) {
    fw::FillSolidRect(dc_, ToRECT(rect), outline);
    fw::FillSolidRect(dc_, RECT{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1}, fill);
}

void GdiCanvas::Line(report::Point from, report::Point to, report::Colour colour) {
    // Straight lines only: a one-pixel-wide fill is exact and needs no pen.
    RECT r{std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x), std::max(from.y, to.y)};
    if (from.x == to.x)
        r.right = r.left + 1;
    else if (from.y == to.y)
        r.bottom = r.top + 1;
    else {
        const fw::SelectGuard pen(dc_, GetStockObject(DC_PEN));
        SetDCPenColor(dc_, colour);
        MoveToEx(dc_, from.x, from.y, nullptr);
        LineTo(dc_, to.x, to.y);
        return;
    }
    fw::FillSolidRect(dc_, r, colour);
}

void GdiCanvas::DottedLine(report::Point from, int length, report::Colour colour) {
    if (length <= 0)
        return;
    // One cosmetic pen that sets every other pixel draws the line in one call.
    const LOGBRUSH brush{BS_SOLID, colour, 0};
    const fw::Pen pen(ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &brush, 0, nullptr));
    if (!pen) {
        for (int i = 0; i < length; i += 2)
            SetPixelV(dc_, from.x + i, from.y, colour);
        return;
    }
    const fw::SelectGuard selected(dc_, pen.Get());
    MoveToEx(dc_, from.x, from.y, nullptr);
    LineTo(dc_, from.x + length, from.y);
}

void GdiCanvas::CheckBox(const report::Rect& rect, bool checked) {
    RECT r = ToRECT(rect);
    DrawFrameControl(dc_, &r, DFC_BUTTON, DFCS_BUTTONCHECK | (checked ? DFCS_CHECKED : 0));
}

bool GdiCanvas::ImageSize(int index, int& width, int& height) {
    if (!images_ || index < 0 || index >= ImageList_GetImageCount(images_))
        return false;
    return ImageList_GetIconSize(images_, &width, &height) != FALSE;
}

void GdiCanvas::DrawImage(int index, report::Point at) { ImageList_Draw(images_, index, dc_, at.x, at.y, ILD_NORMAL); }

void GdiCanvas::SelectFont(report::FontKind font) {
    HFONT handle = font == report::FontKind::Bold ? bold_ : font == report::FontKind::Normal ? normal_ : nullptr;
    SelectObject(dc_, handle ? handle : GetStockObject(DEFAULT_GUI_FONT));
}

void GdiCanvas::SetTextColour(report::Colour colour) { SetTextColor(dc_, colour); }

report::Rect GdiCanvas::MeasureLine(const std::wstring& text, const report::Rect& rect) {
    RECT r = ToRECT(rect);
    DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return FromRECT(r);
}

void GdiCanvas::DrawLine(const std::wstring& text, const report::Rect& rect, report::Align align) {
    RECT r = ToRECT(rect);
    const UINT horizontal = align == report::Align::Centre ? DT_CENTER : DT_LEFT;
    DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &r,
              horizontal | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void GdiCanvas::PushClip(const report::Rect& rect) {
    SaveDC(dc_);
    IntersectClipRect(dc_, rect.left, rect.top, rect.right, rect.bottom);
    GetClipBox(dc_, &clipBox_);
}

void GdiCanvas::PopClip() {
    RestoreDC(dc_, -1);
    GetClipBox(dc_, &clipBox_);
}
