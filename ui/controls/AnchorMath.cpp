#include "controls/AnchorMath.h"

namespace ctl {

namespace {

// One axis of a rectangle: near is left or top, far is right or bottom.
struct Span {
    int nearEdge;
    int farEdge;
};

Span Along(const Rect& rect, bool vertical) {
    return vertical ? Span{rect.top, rect.bottom} : Span{rect.left, rect.right};
}

struct AxisDistances {
    int nearDistance;
    int farDistance;
};

AxisDistances MeasureAxis(int nearAnchor, int farAnchor, bool centred, Span control, Span parent, bool vertical,
                          const SiblingRect& sibling) {
    const int size = control.farEdge - control.nearEdge;
    AxisDistances d{};
    if (centred)
        d.nearDistance = size / 2;
    else if (nearAnchor == ANCHOR_PARENT)
        d.nearDistance = control.nearEdge;
    else if (nearAnchor == ANCHOR_SIZE)
        d.nearDistance = size;
    else
        d.nearDistance = control.nearEdge - Along(sibling(nearAnchor), vertical).farEdge;

    if (centred || farAnchor == ANCHOR_SIZE)
        d.farDistance = size;
    else if (farAnchor == ANCHOR_PARENT)
        d.farDistance = parent.farEdge - control.farEdge;
    else
        d.farDistance = Along(sibling(farAnchor), vertical).nearEdge - control.farEdge;
    return d;
}

Span ApplyAxis(int nearAnchor, int farAnchor, bool centred, AxisDistances d, Span parent, bool vertical,
               const SiblingRect& sibling) {
    Span result{};
    if (centred) {
        const int low = nearAnchor == ANCHOR_PARENT ? parent.nearEdge : Along(sibling(nearAnchor), vertical).farEdge;
        const int high = farAnchor == ANCHOR_PARENT ? parent.farEdge : Along(sibling(farAnchor), vertical).nearEdge;
        result.nearEdge = low + (high - low) / 2 - d.nearDistance;
        result.farEdge = result.nearEdge + d.farDistance;
    } else if (nearAnchor == ANCHOR_SIZE) {
        result.farEdge = ResolveFarEdge(vertical, 0, farAnchor, d.farDistance, parent.farEdge, sibling);
        result.nearEdge = result.farEdge - d.nearDistance;
    } else {
        result.nearEdge = nearAnchor == ANCHOR_PARENT ? d.nearDistance
                                                      : Along(sibling(nearAnchor), vertical).farEdge + d.nearDistance;
        result.farEdge = ResolveFarEdge(vertical, result.nearEdge, farAnchor, d.farDistance, parent.farEdge, sibling);
    }
    return result;
}

} // namespace

AnchorDistances MeasureAnchors(const Anchors& a, Rect control, Rect parent, const SiblingRect& sibling) {
    const AxisDistances h = MeasureAxis(a.left, a.right, (a.flags & ANCHOR_CENTRE_HORZ) != 0, Along(control, false),
                                        Along(parent, false), false, sibling);
    const AxisDistances v = MeasureAxis(a.top, a.bottom, (a.flags & ANCHOR_CENTRE_VERT) != 0, Along(control, true),
                                        Along(parent, true), true, sibling);
    return {h.nearDistance, v.nearDistance, h.farDistance, v.farDistance};
}

Rect ApplyAnchors(const Anchors& a, const AnchorDistances& d, Rect parent, const SiblingRect& sibling) {
    const Span h = ApplyAxis(a.left, a.right, (a.flags & ANCHOR_CENTRE_HORZ) != 0, {d.left, d.right},
                             Along(parent, false), false, sibling);
    const Span v = ApplyAxis(a.top, a.bottom, (a.flags & ANCHOR_CENTRE_VERT) != 0, {d.top, d.bottom},
                             Along(parent, true), true, sibling);
    return {h.nearEdge, v.nearEdge, h.farEdge, v.farEdge};
}

int ResolveFarEdge(bool vertical, int nearEdge, int anchor, int distance, int parentFarEdge,
                   const SiblingRect& sibling) {
    if (anchor == ANCHOR_PARENT)
        return parentFarEdge - distance;
    if (anchor == ANCHOR_SIZE)
        return nearEdge + distance;
    return Along(sibling(anchor), vertical).nearEdge - distance;
}

} // namespace ctl
