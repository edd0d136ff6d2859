#include "controls/ArtScale.h"
#include "controls/Dpi.h"

#include <gtest/gtest.h>

TEST(Dpi, ScalesFiguresGivenAt96RoundingHalvesAwayFromZero) {
    const struct {
        int value, dpi, expected;
    } cases[] = {{16, 96, 16}, {16, 120, 20}, {16, 144, 24}, {16, 192, 32}, {1, 144, 2}, {3, 120, 4},
                 {5, 110, 6},  {7, 168, 12},  {-3, 144, -5}, {0, 192, 0},   {32, 0, 32}, {32, -1, 32}};
    for (const auto& c : cases)
        EXPECT_EQ(dpi::Scale(c.value, c.dpi), c.expected) << c.value << " at " << c.dpi;
}

TEST(ArtScale, PicksTheSmallestScaleAtOrAboveTheDpi) {
    using art::Fit;
    const struct {
        int dpi, percent;
        Fit fit;
    } cases[] = {{96, 100, Fit::Exact},  {110, 125, Fit::Shrink}, {120, 125, Fit::Exact}, {130, 150, Fit::Shrink},
                 {144, 150, Fit::Exact}, {168, 200, Fit::Shrink}, {192, 200, Fit::Exact}, {240, 200, Fit::Grow},
                 {72, 100, Fit::Shrink}, {0, 100, Fit::Exact}};
    for (const auto& c : cases) {
        const art::ArtPick pick = art::PickArt(c.dpi);
        EXPECT_EQ(pick.percent, c.percent) << c.dpi;
        EXPECT_EQ(art::kScalePercents[pick.index], c.percent) << c.dpi;
        EXPECT_EQ(pick.fit, c.fit) << c.dpi;
    }
}
