#include "controls/Layout.h"

#include <gtest/gtest.h>

#include <map>

using ctl::Anchors;
using ctl::Rect;

namespace {

// A parent 400 x 300 with three siblings.
const Rect kParent{0, 0, 400, 300};
const std::map<int, Rect> kSiblings{
    {10, {20, 20, 120, 50}},
    {11, {280, 20, 380, 50}},
    {12, {150, 200, 250, 230}},
};

Rect Sibling(int id) { return kSiblings.at(id); }

} // namespace

TEST(AnchorMeasure, FollowsTheTableForEveryAnchorKind) {
    const Rect control{130, 60, 270, 90};
    // Parent anchors: left and top are the coordinates, right and bottom the gaps to the far edges.
    EXPECT_EQ(
        ctl::MeasureAnchors({ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_PARENT, 0}, control, kParent, Sibling),
        (ctl::AnchorDistances{130, 60, 130, 210}));
    // Size anchors keep width and height on both sides.
    EXPECT_EQ(ctl::MeasureAnchors({ANCHOR_SIZE, ANCHOR_SIZE, ANCHOR_SIZE, ANCHOR_SIZE, 0}, control, kParent, Sibling),
              (ctl::AnchorDistances{140, 30, 140, 30}));
    // Siblings: gap after the near sibling's far edge, gap before the far sibling's near edge
    // (signed: 12 lies below the control, 10 lies above it).
    EXPECT_EQ(ctl::MeasureAnchors({10, 10, 11, 12, 0}, control, kParent, Sibling),
              (ctl::AnchorDistances{10, 10, 10, 110}));
    EXPECT_EQ(ctl::MeasureAnchors({11, 12, 10, 10, 0}, control, kParent, Sibling),
              (ctl::AnchorDistances{-250, -170, -250, -70}));
}

TEST(AnchorMeasure, CentredAxisRecordsHalfAndWholeSizeWithTruncation) {
    const Rect odd{101, 40, 202, 71}; // 101 wide, 31 high
    const ctl::AnchorDistances d = ctl::MeasureAnchors(
        {ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_CENTRE_HORZ | ANCHOR_CENTRE_VERT}, odd,
        kParent, Sibling);
    EXPECT_EQ(d, (ctl::AnchorDistances{50, 15, 101, 31}));
    // Only the flagged axis is centred.
    EXPECT_EQ(ctl::MeasureAnchors({ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_SIZE, ANCHOR_CENTRE_HORZ}, odd,
                                  kParent, Sibling),
              (ctl::AnchorDistances{50, 40, 101, 31}));
}

TEST(AnchorApply, UnchangedParentLeavesEveryControlInPlace) {
    const struct {
        Anchors anchors;
        Rect control;
    } cases[] = {
        {{ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_PARENT, 0}, {130, 60, 270, 90}},
        {{ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_SIZE, ANCHOR_SIZE, 0}, {130, 60, 270, 90}},
        {{ANCHOR_SIZE, ANCHOR_SIZE, ANCHOR_PARENT, ANCHOR_PARENT, 0}, {130, 60, 270, 90}},
        {{10, 10, 11, 12, 0}, {130, 60, 270, 90}},
        {{10, ANCHOR_PARENT, ANCHOR_SIZE, ANCHOR_SIZE, 0}, {130, 60, 270, 90}},
        {{ANCHOR_SIZE, ANCHOR_PARENT, 11, ANCHOR_SIZE, 0}, {130, 60, 270, 90}},
        // Centred controls that sit centred in the template (odd sizes and spans included).
        {{ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_SIZE, ANCHOR_CENTRE_HORZ}, {150, 60, 250, 90}},
        {{ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_SIZE, ANCHOR_CENTRE_HORZ}, {145, 60, 256, 90}},
        {{10, ANCHOR_PARENT, 11, ANCHOR_SIZE, ANCHOR_CENTRE_HORZ}, {150, 60, 250, 90}},
        {{ANCHOR_PARENT, 10, ANCHOR_PARENT, 12, ANCHOR_CENTRE_HORZ | ANCHOR_CENTRE_VERT}, {150, 110, 250, 140}},
    };
    for (const auto& c : cases) {
        const ctl::AnchorDistances d = ctl::MeasureAnchors(c.anchors, c.control, kParent, Sibling);
        EXPECT_EQ(ctl::ApplyAnchors(c.anchors, d, kParent, Sibling), c.control)
            << "anchors " << c.anchors.left << "," << c.anchors.top << "," << c.anchors.right << "," << c.anchors.bottom
            << " flags " << c.anchors.flags;
    }
}

TEST(AnchorApply, ParentAnchorsFollowTheGrownEdges) {
    const Anchors stretch{ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_PARENT, 0};
    const ctl::AnchorDistances d = ctl::MeasureAnchors(stretch, {130, 60, 270, 90}, kParent, Sibling);
    EXPECT_EQ(ctl::ApplyAnchors(stretch, d, {0, 0, 500, 350}, Sibling), (Rect{130, 60, 370, 140}));

    // Left SIZE, right PARENT: the control keeps its width and its gap to the right edge.
    const Anchors right{ANCHOR_SIZE, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_SIZE, 0};
    const ctl::AnchorDistances dr = ctl::MeasureAnchors(right, {300, 260, 380, 285}, kParent, Sibling);
    EXPECT_EQ(ctl::ApplyAnchors(right, dr, {0, 0, 520, 300}, Sibling), (Rect{420, 260, 500, 285}));
}

TEST(AnchorApply, CentredControlStaysCentredWithItsWidthWhenWidened) {
    const Anchors centred{ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_SIZE, ANCHOR_CENTRE_HORZ};
    const Rect control{145, 60, 256, 90}; // 111 wide
    const ctl::AnchorDistances d = ctl::MeasureAnchors(centred, control, kParent, Sibling);
    const struct {
        int width, left, right;
    } widths[] = {{401, 145, 256}, {555, 222, 333}, {1000, 445, 556}, {120, 5, 116}};
    for (const auto& w : widths)
        EXPECT_EQ(ctl::ApplyAnchors(centred, d, {0, 0, w.width, 300}, Sibling), (Rect{w.left, 60, w.right, 90}))
            << w.width;
    // Siblings in the wrong order span a negative width: the control is centred on it all the same.
    const Anchors between{11, ANCHOR_PARENT, 10, ANCHOR_SIZE, ANCHOR_CENTRE_HORZ};
    const Rect r = ctl::ApplyAnchors(between, {5, 60, 10, 30}, kParent, Sibling);
    EXPECT_EQ(r.left, 195);
    EXPECT_EQ(r.right, 205);
}

TEST(AnchorApply, SizeBottomKeepsHeightWhileTopFollowsItsAnchor) {
    const Anchors anchors{ANCHOR_PARENT, 10, ANCHOR_PARENT, ANCHOR_SIZE, 0};
    const ctl::AnchorDistances d = ctl::MeasureAnchors(anchors, {30, 70, 370, 95}, kParent, Sibling);
    std::map<int, Rect> moved = kSiblings;
    moved[10] = {20, 100, 120, 140};
    const Rect r = ctl::ApplyAnchors(anchors, d, {0, 0, 400, 600}, [&](int id) { return moved.at(id); });
    EXPECT_EQ(r, (Rect{30, 160, 370, 185}));
}

TEST(ResolveFarEdge, ByAnchorKind) {
    EXPECT_EQ(ctl::ResolveFarEdge(false, 50, ANCHOR_PARENT, 30, 400, Sibling), 370);
    EXPECT_EQ(ctl::ResolveFarEdge(true, 50, ANCHOR_PARENT, 30, 300, Sibling), 270);
    EXPECT_EQ(ctl::ResolveFarEdge(false, 50, ANCHOR_SIZE, 30, 400, Sibling), 80);
    EXPECT_EQ(ctl::ResolveFarEdge(false, 50, 11, 8, 400, Sibling), 272); // sibling left - distance
    EXPECT_EQ(ctl::ResolveFarEdge(true, 50, 12, -4, 300, Sibling), 204); // sibling top - distance
}

// Edge flags and snap bits: measured at `before`, placed at `after` (100 wider, 50 taller).
TEST(AnchorApply, EdgeFlagsMoveOrStretchTheControl) {
    const Rect child{100, 50, 200, 80};
    const struct {
        int flags;
        Rect before, after, expected;
    } cases[] = {
        {15, {0, 0, 600, 400}, {0, 0, 700, 450}, {100, 50, 300, 130}},  // all four: stretches
        {3, {0, 0, 600, 400}, {0, 0, 700, 450}, {100, 50, 200, 80}},    // top left: stays
        {7, {0, 0, 600, 400}, {0, 0, 700, 450}, {100, 50, 300, 80}},    // top left right: widens
        {12, {0, 0, 600, 400}, {0, 0, 700, 450}, {200, 100, 300, 130}}, // right bottom: moves with the corner
        {14, {0, 0, 600, 400}, {0, 0, 700, 450}, {100, 100, 300, 130}}, // left right bottom
        {10, {0, 0, 600, 400}, {0, 0, 700, 450}, {100, 100, 200, 130}}, // left bottom
        {8, {0, 0, 600, 400}, {0, 0, 700, 450}, {150, 100, 250, 130}},  // bottom only: keeps its offset from the centre
        {0, {0, 0, 600, 400}, {0, 0, 700, 450}, {150, 75, 250, 105}},   // nothing: both ways
        // One snap bit at a time sets its own edge and leaves the other three to their flags.
        {0x100 | 3, {0, 0, 600, 400}, {0, 0, 700, 450}, {100, 0, 200, 80}},
        {0x200 | 3, {0, 0, 600, 400}, {0, 0, 700, 450}, {0, 50, 200, 80}},
        {0x400 | 3, {0, 0, 600, 400}, {0, 0, 700, 450}, {100, 50, 700, 80}},
        {0x800 | 3, {0, 0, 600, 400}, {0, 0, 700, 450}, {100, 50, 200, 450}},
        {0x800 | 12, {0, 0, 600, 400}, {0, 0, 700, 450}, {200, 100, 300, 450}},
        {0x200, {0, 0, 600, 400}, {0, 0, 700, 450}, {0, 75, 250, 105}}, // the far edge keeps its centre offset
        // Each half width truncated: 601 (half 300) to 604 (half 302) moves by 2, not by 1.
        {1, {0, 0, 601, 100}, {0, 0, 604, 100}, {102, 50, 202, 80}},
        {12, {0, 0, 600, 400}, {0, 0, 550, 380}, {50, 30, 150, 60}}, // shrinking moves back
    };
    for (const auto& c : cases) {
        const Anchors anchors = ctl::EdgeRow(0, c.flags).anchors;
        const ctl::AnchorDistances d = ctl::MeasureAnchors(anchors, child, c.before, Sibling);
        EXPECT_EQ(ctl::ApplyAnchors(anchors, d, c.after, Sibling), c.expected) << c.flags;
        if ((c.flags & 0xF00) == 0) {
            EXPECT_EQ(ctl::ApplyAnchors(anchors, d, c.before, Sibling), child) << c.flags << ": unchanged client";
        }
    }
}

namespace {

struct MapTarget : ctl::LayoutTarget {
    std::map<int, Rect> rects;
    Rect Get(int control) override { return rects.at(control); }
    void Move(int control, const Rect& rect) override { rects[control] = rect; }
};

} // namespace

// After a change of scale the rows are measured again where the children now are: the window
// then keeps the new distances, not the ones measured at the old scale.
TEST(LayoutRemeasureAll, TakesTheDistancesAtTheNewScale) {
    MapTarget target;
    target.rects = {{1, {20, 20, 120, 50}}, {2, {150, 20, 250, 50}}};
    ctl::Layout layout;
    layout.Add(ctl::EdgeRow(1, ctl::kAnchorLeft | ctl::kAnchorTop), kParent, target);
    layout.Add(ctl::EdgeRow(2, ctl::kAnchorRight | ctl::kAnchorBottom), kParent, target);
    // The children and the parent at 150 %.
    const Rect scaled{0, 0, 600, 450};
    target.rects = {{1, {30, 30, 180, 75}}, {2, {225, 30, 375, 75}}};
    layout.RemeasureAll(scaled, target);
    layout.Apply(Rect{0, 0, 620, 460}, target);
    EXPECT_EQ(target.rects[1], (Rect{30, 30, 180, 75}));
    EXPECT_EQ(target.rects[2], (Rect{245, 40, 395, 85}));
}
