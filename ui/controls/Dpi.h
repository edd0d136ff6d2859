// Pixel figures given at 96 DPI, at the DPI a window really has.
#pragma once

namespace dpi {

// The DPI every pixel figure of the windows and every 100 % picture is given at.
inline constexpr int kBase = 96;

// `value` pixels at 96 DPI at `dpi`, rounded to the nearest pixel, halves away from zero
// (as MulDiv rounds). A DPI of zero or below means the base.
int Scale(int value, int dpi);

} // namespace dpi
