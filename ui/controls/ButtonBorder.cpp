#include "controls/ButtonBorder.h"

#include <cstdlib>

namespace ctl {

RingColours RingColoursFor(int rings, int ring, Colour lightEdge, Colour darkEdge) {
    if (rings == 1)
        return {lightEdge, darkEdge};
    return {PaletteGrey(63 / (ring + 1) + 192), PaletteGrey(255 / (ring + 2))};
}

std::vector<EdgeLine> BorderLines(Rect rect, int width, Colour lightEdge, Colour darkEdge, int thickness) {
    const int rings = std::abs(width);
    thickness = thickness > 1 ? thickness : 1;
    std::vector<EdgeLine> lines;
    lines.reserve(static_cast<size_t>(rings * thickness) * 4);
    for (int ring = 0; ring < rings; ++ring) {
        const RingColours colours = RingColoursFor(rings, ring, lightEdge, darkEdge);
        Colour topLeft = colours.light;
        Colour bottomRight = colours.dark;
        if (width < 0) {
            topLeft = colours.dark;
            bottomRight = (rings > 1 && ring == rings - 1) ? Rgb(1, 1, 1) : colours.light;
        }
        for (int pixel = 0; pixel < thickness; ++pixel) {
            const auto [left, top, right, bottom] = rect;
            lines.push_back({{left, top}, {right, top}, topLeft});
            lines.push_back({{left, top}, {left, bottom}, topLeft});
            lines.push_back({{left + 1, bottom - 1}, {right, bottom - 1}, bottomRight});
            lines.push_back({{right - 1, top + 1}, {right - 1, bottom}, bottomRight});
            rect = {left + 1, top + 1, right - 1, bottom - 1};
        }
    }
    return lines;
}

} // namespace ctl
