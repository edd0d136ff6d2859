// The layout engine: a window's controls as a table of rows (control id and anchors, in placing
// order), measured once where the template put them and applied whenever the window is resized.
// Every distance is measured from the template, so the layout scales with the dialog's font and
// holds no pixel figure of its own.
#pragma once

#include "controls/AnchorMath.h"

#include <cstddef>
#include <vector>

namespace ctl {

struct LayoutRow {
    int control;
    Anchors anchors;
};

// Edge flags: which of the parent's edges a control follows. Both of an axis stretch it with the
// parent, one keeps its size at that side, neither keeps its offset from the parent's centre.
// They combine with the snap bits (kSnapTop ... kSnapBottom), which have the same values here.
inline constexpr int kAnchorTop = 0x1;
inline constexpr int kAnchorLeft = 0x2;
inline constexpr int kAnchorRight = 0x4;
inline constexpr int kAnchorBottom = 0x8;

// The row of a control placed by edge flags and snap bits.
constexpr LayoutRow EdgeRow(int control, int edgeFlags) {
    Anchors a{ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_PARENT,
              edgeFlags & (kSnapTop | kSnapLeft | kSnapRight | kSnapBottom)};
    const auto axis = [&a](bool nearEdge, bool farEdge, int& nearAnchor, int& farAnchor, int offCentre) {
        if (nearEdge && !farEdge)
            farAnchor = ANCHOR_SIZE;
        else if (farEdge && !nearEdge)
            nearAnchor = ANCHOR_SIZE;
        else if (!nearEdge && !farEdge)
            a.flags |= offCentre;
    };
    axis(edgeFlags & kAnchorLeft, edgeFlags & kAnchorRight, a.left, a.right, kOffCentreHorz);
    axis(edgeFlags & kAnchorTop, edgeFlags & kAnchorBottom, a.top, a.bottom, kOffCentreVert);
    return {control, a};
}

// The controls of one window as the layout reads and moves them (client coordinates).
class LayoutTarget {
public:
    virtual ~LayoutTarget() = default;
    virtual Rect Get(int control) = 0;
    virtual void Move(int control, const Rect& rect) = 0;
};

// The target's controls as the arithmetic asks for siblings.
SiblingRect SiblingsOf(LayoutTarget& target);

// The rows of one window with the distances measured for each.
class Layout {
public:
    // Appends a row, measured where its control is now in `parent`.
    void Add(const LayoutRow& row, const Rect& parent, LayoutTarget& target);
    // Measures the row of `control` again where it is now; false when it has no row.
    bool Remeasure(int control, const Rect& parent, LayoutTarget& target);
    // Measures every row again where its control is now (after the window changed scale).
    void RemeasureAll(const Rect& parent, LayoutTarget& target);
    // Places the rows in order, each against where its references are at that moment.
    void Apply(const Rect& parent, LayoutTarget& target) const;

    std::size_t Count() const { return rows_.size(); }

private:
    struct Entry {
        LayoutRow row;
        AnchorDistances distances;
    };
    std::vector<Entry> rows_;
};

} // namespace ctl
