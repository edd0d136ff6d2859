// Colours of the skinned button and the arithmetic of its border rings.
#pragma once

#include "controls/Geometry.h"

#include <vector>

namespace ctl {

// The seven values a window chooses for a skinned button, in the order face, text, disabled
// text, dark edge, light edge, pressed text, border width.
struct ButtonColours {
    Colour face = 0;
    Colour text = 0;
    Colour disabledText = 0;
    Colour darkEdge = 0;
    Colour lightEdge = 0;
    Colour pressedText = 0;
    int borderWidth = 0;
};

inline constexpr ButtonColours kFramed{
    Rgb(1, 1, 1), Rgb(255, 255, 255), Rgb(1, 1, 1), Rgb(128, 128, 128), Rgb(255, 255, 255), Rgb(170, 170, 170), 1};
inline constexpr ButtonColours kFlat{
    Rgb(32, 32, 32), Rgb(255, 255, 255), Rgb(1, 1, 1), Rgb(1, 1, 1), Rgb(1, 1, 1), Rgb(170, 170, 170), 1};

constexpr Colour PaletteGrey(int level) { return 0x02000000u | Rgb(level, level, level); }

// The lit and the shadow colour of ring `ring` (0 outermost) of a border of `rings` rings.
struct RingColours {
    Colour light;
    Colour dark;
};
RingColours RingColoursFor(int rings, int ring, Colour lightEdge, Colour darkEdge);

// One one-pixel line of a border, from `from` up to but not including `to`.
struct EdgeLine {
    Point from;
    Point to;
    Colour colour;
    friend bool operator==(const EdgeLine&, const EdgeLine&) = default;
};

// The lines of a border of signed width `width` (positive raised, negative sunken) inside
// `rect`: per ring, outermost first, the top, left, bottom and right edges. Each ring is
// `thickness` pixels (the scale's one pixel), each pixel a line of the ring's colours.
std::vector<EdgeLine> BorderLines(Rect rect, int width, Colour lightEdge, Colour darkEdge, int thickness = 1);

} // namespace ctl
