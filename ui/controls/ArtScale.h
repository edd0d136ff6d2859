// Which of the scales the pictures are drawn at serves a DPI, and how it is fitted.
#pragma once

namespace art {

// The scales every picture of local.dll is drawn at, in percent; a scale's index is its place.
inline constexpr int kScalePercents[] = {100, 125, 150, 200};
inline constexpr int kScaleCount = 4;

enum class Fit {
    Exact,  // drawn at exactly this DPI
    Shrink, // drawn for a higher DPI: shrunk smoothly
    Grow,   // the DPI is above the largest scale: stretched up, the only case
};

struct ArtPick {
    int index = 0;     // into kScalePercents
    int percent = 100; // kScalePercents[index]
    Fit fit = Fit::Exact;
};

// The picture for `dpi`: the smallest scale at or above it, so that nothing is stretched up
// while a larger one exists.
ArtPick PickArt(int dpi);

} // namespace art
