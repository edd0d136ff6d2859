#include "controls/ArtScale.h"

#include "controls/Dpi.h"

namespace art {

ArtPick PickArt(int dpi) {
    if (dpi <= 0)
        dpi = dpi::kBase;
    for (int index = 0; index < kScaleCount; ++index) {
        const int percent = kScalePercents[index];
        const int scaleDpi = dpi::kBase * percent / 100;
        if (scaleDpi >= dpi)
            return {index, percent, scaleDpi == dpi ? Fit::Exact : Fit::Shrink};
    }
    return {kScaleCount - 1, kScalePercents[kScaleCount - 1], Fit::Grow};
}

} // namespace art
