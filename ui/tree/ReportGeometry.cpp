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

int ScrollTarget(int code, int position, int page, int rangeMin, int rangeMax, int thumb) {
    int y = position;
    switch (code) {
    case kLineUp: y -= kRowHeight; break;
    case kLineDown: y += kRowHeight; break;
    case kPageUp: y -= page; break;
    case kPageDown: y += page; break;
    case kThumbTrack: y = thumb; break;
    default: break;
    }
    const int target = std::min(std::max(y, rangeMin), rangeMax - page);
    return std::max(target, rangeMin);
}

} // namespace tree
