#include "tree/ReportGeometry.h"

#include <algorithm>

namespace tree {

Colour DarkenedFace(Colour face) {
    const auto darken = [](Colour channel) { return channel > 80 ? channel - 80 : 0; };
    const Colour red = darken(face & 0xFF);
    const Colour green = darken((face >> 8) & 0xFF);
    const Colour blue = darken((face >> 16) & 0xFF);
    return red | (green << 8) | (blue << 16);
}

int ExpanderSize(int indentWidth) {
    const int size = indentWidth - 3;
    return size % 2 == 0 ? size + 1 : size;
}

TreeMetrics MetricsAt(int dpi) {
    const auto scale = [dpi](int value) { return dpi::Scale(value, dpi); };
    TreeMetrics m;
    m.rowHeight = scale(kRowHeight);
    // The expander is centred on half the indent, so the indent stays even.
    m.indent = scale(12) / 2 * 2;
    m.childIndent = scale(12);
    m.dividerHalfWidth = scale(kDividerHalfWidth);
    m.dividerMinimum = scale(kDividerMinimum);
    m.dividerMargin = scale(13);
    m.dividerLimitGap = scale(15);
    m.dragBarHalfWidth = scale(kDragBarHalfWidth);
    m.checkBoxSide = scale(14);
    m.checkBoxOffset = scale(5);
    m.checkBoxCaptionShift = scale(24);
    m.captionGap = scale(5);
    m.separatorGap = scale(2);
    m.expanderInset = scale(2);
    m.expanderRaise = scale(2);
    m.frame = scale(2);
    m.paneHeight = scale(50);
    m.paneInset = scale(4);
    m.columnTitleGap = scale(2);
    m.dpi = dpi > 0 ? dpi : dpi::kBase;
    return m;
}

int ScrollTarget(int code, int position, int page, int rangeMin, int rangeMax, int thumb, int line) {
    int y = position;
    switch (code) {
    case kLineUp: y -= line; break;
    case kLineDown: y += line; break;
    case kPageUp: y -= page; break;
    case kPageDown: y += page; break;
    case kThumbTrack: y = thumb; break;
    default: break;
    }
    const int target = std::min(std::max(y, rangeMin), rangeMax - page);
    return std::max(target, rangeMin);
}

} // namespace tree
