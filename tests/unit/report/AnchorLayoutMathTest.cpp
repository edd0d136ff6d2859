#include "report/AnchorLayoutMath.h"

#include <gtest/gtest.h>

namespace {

using ctl::Rect;

TEST(AnchorLayout, FlagsMoveOrStretchTheChild) {
    const Rect before{0, 0, 600, 400};
    const Rect after{0, 0, 700, 450}; // 100 wider, 50 taller
    const Rect child{100, 50, 200, 80};
    struct Case {
        int flags;
        Rect expected;
    };
    const Case cases[] = {
        {15, {100, 50, 300, 130}},  // all four: stretches
        {3, {100, 50, 200, 80}},    // top left: stays
        {7, {100, 50, 300, 80}},    // top left right: widens
        {12, {200, 100, 300, 130}}, // right bottom: moves with the corner
        {14, {100, 100, 300, 130}}, // left right bottom: widens and moves down
        {10, {100, 100, 200, 130}}, // left bottom
        {8, {150, 100, 250, 130}},  // bottom only: centred horizontally (350 - 300)
        {0, {150, 75, 250, 105}},   // nothing: centred both ways
        {0x100 | 0x200 | 0x400 | 0x800 | 3, {0, 0, 700, 450}},
        // One snap bit at a time sets its own edge and leaves the anchored other three.
        {0x100 | 3, {100, 0, 200, 80}},
        {0x200 | 3, {0, 50, 200, 80}},
        {0x400 | 3, {100, 50, 700, 80}},
        {0x800 | 3, {100, 50, 200, 450}},
        {0x800 | 12, {200, 100, 300, 450}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(report::ApplyAnchorFlags(c.flags, child, before, after), c.expected) << c.flags;
}

TEST(AnchorLayout, CentringTruncatesEachHalfTowardsZero) {
    // Old width 601 (half 300), new 604 (half 302): the centred child moves by 2.
    EXPECT_EQ(report::ApplyAnchorFlags(1, Rect{10, 0, 20, 5}, Rect{0, 0, 601, 100}, Rect{0, 0, 604, 100}),
              (Rect{12, 0, 22, 5}));
    // Shrinking moves back.
    EXPECT_EQ(report::ApplyAnchorFlags(12, Rect{500, 300, 560, 320}, Rect{0, 0, 600, 400}, Rect{0, 0, 550, 380}),
              (Rect{450, 280, 510, 300}));
}

} // namespace
