#include "tree/GdiCanvas.h"

#include "framework/Gdi.h"

#include <algorithm>

namespace tree {

LineInk InkOfLine(HDC dc, const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    const int margin = std::max<int>(size.cy, 1);
    const int width = size.cx + 2 * margin;
    fw::MemoryDC scratch(dc, width, margin);
    if (!scratch || !scratch.Bitmap())
        return LineInk{0, size.cx};
    fw::FillSolidRect(scratch.Get(), RECT{0, 0, width, margin}, RGB(255, 255, 255));
    const fw::SelectGuard font(scratch.Get(), GetCurrentObject(dc, OBJ_FONT));
    SetTextColor(scratch.Get(), RGB(0, 0, 0));
    SetBkMode(scratch.Get(), TRANSPARENT);
    TextOutW(scratch.Get(), margin, 0, text.c_str(), static_cast<int>(text.size()));
    LineInk ink{size.cx, 0};
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < margin; ++y)
            if ((GetPixel(scratch.Get(), x, y) & 0xFFFFFF) != RGB(255, 255, 255)) {
                ink.left = std::min(ink.left, x - margin);
                ink.right = std::max(ink.right, x - margin + 1);
                break;
            }
    return ink.right > ink.left ? ink : LineInk{0, size.cx};
}

GdiCanvas::GdiCanvas(HDC dc, HFONT normal, HFONT bold, HIMAGELIST images, bool highContrast)
    : dc_(dc), saved_(dc), normal_(normal), bold_(bold), images_(images),
      colours_(highContrast ? ContrastColours() : CurrentColours()), wanted_{static_cast<HFONT>(
                                                                                 GetCurrentObject(dc, OBJ_FONT)),
                                                                             GetTextColor(dc)},
      applied_(wanted_), ownClip_(CreateRectRgn(0, 0, 0, 0)) {
    SetBkMode(dc_, TRANSPARENT);
    if (images_ && !ImageList_GetIconSize(images_, &imageWidth_, &imageHeight_))
        images_ = nullptr;
    imageCount_ = images_ ? ImageList_GetImageCount(images_) : 0;
    if (GetClipRgn(dc_, ownClip_.Get()) != 1)
        ownClip_.Reset();
}

tree::SystemColours GdiCanvas::CurrentColours() {
    return tree::SystemColours{GetSysColor(COLOR_BTNFACE),
                               GetSysColor(COLOR_BTNSHADOW),
                               GetSysColor(COLOR_BTNHIGHLIGHT),
                               GetSysColor(COLOR_BTNTEXT),
                               GetSysColor(COLOR_HIGHLIGHT),
                               GetSysColor(COLOR_GRAYTEXT),
                               RGB(255, 255, 255),
                               RGB(0, 0, 0)};
}

tree::SystemColours GdiCanvas::ContrastColours() {
    const COLORREF ground = GetSysColor(COLOR_WINDOW);
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    tree::SystemColours c{ground, text, ground, text, GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_GRAYTEXT),
                          ground, text};
    c.heading = ground;
    c.headingText = text;
    c.selectedText = GetSysColor(COLOR_HIGHLIGHTTEXT);
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
    if (cutLines_ && !text.empty() && !Fits(text, rect, align))
        cutLines_->push_back(text);
    RECT r = ToRECT(rect);
    const UINT horizontal = align == tree::Align::Centre ? DT_CENTER : DT_LEFT;
    DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &r,
              horizontal | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_NOCLIP);
}

bool GdiCanvas::Fits(const std::wstring& text, const tree::Rect& rect, tree::Align align) {
    const tree::Rect needed = MeasureLine(text, rect);
    const int width = needed.right - needed.left;
    // Wider than its rectangle, the line ends in an ellipsis.
    if (width > rect.right - rect.left)
        return false;
    tree::Rect room = tree::kUnbounded;
    for (const ClipLevel& level : levels_)
        room = {std::max(room.left, level.clip.left), room.top, std::min(room.right, level.clip.right), room.bottom};
    const int left = align == tree::Align::Centre ? (rect.left + rect.right - width) / 2 : rect.left;
    const LineInk ink = InkOfLine(dc_, text);
    return left + ink.left >= room.left && left + ink.right <= room.right;
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

} // namespace tree
