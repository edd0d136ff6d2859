// Plain rectangles, points and colours for the arithmetic of the skinned controls, so that it
// builds and is tested without the Windows headers.
#pragma once

#include <cstdint>

namespace ctl {

// A Windows colour value, 0x00BBGGRR (0x02 in the top byte: palette-relative).
using Colour = std::uint32_t;

constexpr Colour Rgb(int red, int green, int blue) {
    return static_cast<Colour>(red) | (static_cast<Colour>(green) << 8) | (static_cast<Colour>(blue) << 16);
}

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace ctl
