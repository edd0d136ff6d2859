#include "tree/GdiCanvas.h"

#include "framework/Gdi.h"

#include <algorithm>

GdiCanvas::GdiCanvas(HDC dc, HFONT normal, HFONT bold, HIMAGELIST images)
    : dc_(dc), saved_(dc), normal_(normal), bold_(bold), images_(images),
      colours_(CurrentColours()), wanted_{static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT)), GetTextColor(dc)},
      applied_(wanted_), ownClip_(CreateRectRgn(0, 0, 0, 0)) {
    SetBkMode(dc_, TRANSPARENT);
    if (images_ && !ImageList_GetIconSize(images_, &imageWidth_, &imageHeight_))
        images_ = nullptr;
    imageCount_ = images_ ? ImageList_GetImageCount(images_) : 0;
    if (GetClipRgn(dc_, ownClip_.Get()) != 1)
        ownClip_.Reset();
}

tree::SystemColours GdiCanvas::CurrentColours() {
    tree::SystemColours c;
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

void GdiCanvas::Fill(const tree::Rect& rect, tree::Colour colour) { fw::FillSolidRect(dc_, ToRECT(rect), colour); }

void GdiCanvas::Box(const tree::Rect& rect, tree::Colour outline, tree::Colour fill) {
    fw::FillSolidRect(dc_, ToRECT(rect), outline);
    fw::FillSolidRect(dc_, RECT{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1}, fill);
}

void GdiCanvas::Line(tree::Point from, tree::Point to, tree::Colour colour) {
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

void GdiCanvas::DottedLine(tree::Point from, int length, tree::Colour colour) {
    if (length <= 0)
        return;
    // One cosmetic pen that sets every other pixel draws the line in one call.
    if (!dots_ || dotsColour_ != colour) {
        const LOGBRUSH brush{BS_SOLID, colour, 0};
        dots_.Reset(ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &brush, 0, nullptr));
        dotsColour_ = colour;
    }
    if (!dots_) {
        for (int i = 0; i < length; i += 2)
            SetPixelV(dc_, from.x + i, from.y, colour);
        return;
    }
    const fw::SelectGuard selected(dc_, dots_.Get());
    MoveToEx(dc_, from.x, from.y, nullptr);
    LineTo(dc_, from.x + length, from.y);
}

void GdiCanvas::CheckBox(const tree::Rect& rect, bool checked) {
    // Drawn by the system in the DC's state, which it may leave changed.
    ApplyTextState();
    RECT r = ToRECT(rect);
    DrawFrameControl(dc_, &r, DFC_BUTTON, DFCS_BUTTONCHECK | (checked ? DFCS_CHECKED : 0));
    appliedKnown_ = false;
}

bool GdiCanvas::ImageSize(int index, int& width, int& height) {
    if (index < 0 || index >= imageCount_)
        return false;
    width = imageWidth_;
    height = imageHeight_;
    return true;
}

// Image lists set the colours their masks are drawn with themselves.
void GdiCanvas::DrawImage(int index, tree::Point at) { ImageList_Draw(images_, index, dc_, at.x, at.y, ILD_NORMAL); }

void GdiCanvas::SelectFont(tree::FontKind font) {
    HFONT handle = font == tree::FontKind::Bold ? bold_ : font == tree::FontKind::Normal ? normal_ : nullptr;
    wanted_.font = handle ? handle : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void GdiCanvas::SetTextColour(tree::Colour colour) { wanted_.colour = colour; }

void GdiCanvas::ApplyTextState() {
    if (!appliedKnown_ || applied_.font != wanted_.font)
        SelectObject(dc_, wanted_.font);
    if (!appliedKnown_ || applied_.colour != wanted_.colour)
        SetTextColor(dc_, wanted_.colour);
    applied_ = wanted_;
    appliedKnown_ = true;
}

tree::Rect GdiCanvas::MeasureLine(const std::wstring& text, const tree::Rect& rect) {
    ApplyTextState();
    RECT r = ToRECT(rect);
    DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return FromRECT(r);
}

void GdiCanvas::DrawLine(const std::wstring& text, const tree::Rect& rect, tree::Align align) {
    ApplyTextState();
    if (cutLines_ && !text.empty()) {
        tree::Rect room = rect;
        for (const ClipLevel& level : levels_)
            room = {std::max(room.left, level.clip.left), room.top, std::min(room.right, level.clip.right), room.bottom};
        const tree::Rect needed = MeasureLine(text, rect);
        // Centred text overhangs its rectangle on both sides when it is too wide.
        const int width = needed.right - needed.left;
        const bool fits = align == tree::Align::Centre
                              ? width <= room.right - room.left
                              : needed.left >= room.left && needed.left + width <= room.right;
        if (!fits)
            cutLines_->push_back(text);
    }
    RECT r = ToRECT(rect);
    const UINT horizontal = align == tree::Align::Centre ? DT_CENTER : DT_LEFT;
    DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &r,
              horizontal | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

tree::Rect GdiCanvas::ClipBox() const {
    RECT box{};
    GetClipBox(dc_, &box);
    return FromRECT(box);
}

void GdiCanvas::PushClip(const tree::Rect& rect) {
    levels_.push_back({rect, wanted_});
    IntersectClipRect(dc_, rect.left, rect.top, rect.right, rect.bottom);
}

void GdiCanvas::PopClip() {
    if (levels_.empty())
        return;
    wanted_ = levels_.back().text;
    levels_.pop_back();
    // The DC's own clip, narrowed by the levels still pushed.
    SelectClipRgn(dc_, ownClip_.Get());
    for (const ClipLevel& level : levels_)
        IntersectClipRect(dc_, level.clip.left, level.clip.top, level.clip.right, level.clip.bottom);
}
