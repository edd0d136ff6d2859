// The arithmetic of the anchored layout: measuring a control's distances to its anchors and
// rebuilding its rectangle from them.
#pragma once

#include "controls/Geometry.h"

#include <functional>

// Anchor codes; any other value is the id of a sibling control.
inline constexpr int ANCHOR_PARENT = -1;
inline constexpr int ANCHOR_SIZE = -2;
// Flags: centre between the left and right (top and bottom) anchors.
inline constexpr int ANCHOR_CENTRE_HORZ = 1;
inline constexpr int ANCHOR_CENTRE_VERT = 2;

// The four distances of one anchored control, kept by the window for its life.
struct AnchorDistances {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const AnchorDistances&, const AnchorDistances&) = default;
};

namespace ctl {

struct Anchors {
    int left;
    int top;
    int right;
    int bottom;
    int flags;
};

// A sibling's rectangle in the parent's client coordinates.
using SiblingRect = std::function<Rect(int id)>;

AnchorDistances MeasureAnchors(const Anchors& anchors, Rect control, Rect parent, const SiblingRect& sibling);
Rect ApplyAnchors(const Anchors& anchors, const AnchorDistances& distances, Rect parent, const SiblingRect& sibling);

// The right (vertical false) or bottom (vertical true) edge of a control from its far anchor.
int ResolveFarEdge(bool vertical, int nearEdge, int anchor, int distance, int parentFarEdge,
                   const SiblingRect& sibling);

} // namespace ctl
