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

namespace ctl {

// The four distances of one anchored control, kept by the window for its life.
struct AnchorDistances {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const AnchorDistances&, const AnchorDistances&) = default;
};

// Further flags of the engine, beside ANCHOR_CENTRE_*. Off-centre: placed like a centred control,
// but keeping the offset from the centre that it had when measured rather than being centred.
inline constexpr int kOffCentreHorz = 0x10;
inline constexpr int kOffCentreVert = 0x20;
// Snaps: after placing, the edge is set to the parent's edge.
inline constexpr int kSnapTop = 0x100;
inline constexpr int kSnapLeft = 0x200;
inline constexpr int kSnapRight = 0x400;
inline constexpr int kSnapBottom = 0x800;

struct Anchors {
    int left;
    int top;
    int right;
    int bottom;
    int flags; // ANCHOR_CENTRE_* and the engine's flags above
};

// A sibling's rectangle in the parent's client coordinates.
using SiblingRect = std::function<Rect(int id)>;

AnchorDistances MeasureAnchors(const Anchors& anchors, Rect control, Rect parent, const SiblingRect& sibling);
Rect ApplyAnchors(const Anchors& anchors, const AnchorDistances& distances, Rect parent, const SiblingRect& sibling);

// The right (vertical false) or bottom (vertical true) edge of a control from its far anchor.
int ResolveFarEdge(bool vertical, int nearEdge, int anchor, int distance, int parentFarEdge,
                   const SiblingRect& sibling);

} // namespace ctl
