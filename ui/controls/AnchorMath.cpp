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

enum class Centring { None, Centred, OffCentre };

Centring CentringOf(int flags, int centred, int offCentre) {
    if (flags & centred)
        return Centring::Centred;
    return (flags & offCentre) ? Centring::OffCentre : Centring::None;
}

// The point between the anchors that a centred control is placed around.
int CentreBetween(int nearAnchor, int farAnchor, Span parent, bool vertical, const SiblingRect& sibling) {
    const int low = nearAnchor == ANCHOR_PARENT ? parent.nearEdge : Along(sibling(nearAnchor), vertical).farEdge;
    const int high = farAnchor == ANCHOR_PARENT ? parent.farEdge : Along(sibling(farAnchor), vertical).nearEdge;
    return low + (high - low) / 2;
}

AxisDistances MeasureAxis(int nearAnchor, int farAnchor, Centring centring, Span control, Span parent, bool vertical,
                          const SiblingRect& sibling) {
    const int size = control.farEdge - control.nearEdge;
    AxisDistances d{};
    if (centring == Centring::Centred)
        d.nearDistance = size / 2;
    else if (centring == Centring::OffCentre)
        d.nearDistance = CentreBetween(nearAnchor, farAnchor, parent, vertical, sibling) - control.nearEdge;
    else if (nearAnchor == ANCHOR_PARENT)
        d.nearDistance = control.nearEdge;
    else if (nearAnchor == ANCHOR_SIZE)
        d.nearDistance = size;
    else
        d.nearDistance = control.nearEdge - Along(sibling(nearAnchor), vertical).farEdge;

    if (centring != Centring::None || farAnchor == ANCHOR_SIZE)
        d.farDistance = size;
    else if (farAnchor == ANCHOR_PARENT)
        d.farDistance = parent.farEdge - control.farEdge;
    else
        d.farDistance = Along(sibling(farAnchor), vertical).nearEdge - control.farEdge;
    return d;
}

Span ApplyAxis(int nearAnchor, int farAnchor, Centring centring, AxisDistances d, Span parent, bool vertical,
               const SiblingRect& sibling) {
    Span result{};
    if (centring != Centring::None) {
        result.nearEdge = CentreBetween(nearAnchor, farAnchor, parent, vertical, sibling) - d.nearDistance;
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
    const AxisDistances h = MeasureAxis(a.left, a.right, CentringOf(a.flags, ANCHOR_CENTRE_HORZ, kOffCentreHorz),
                                        Along(control, false), Along(parent, false), false, sibling);
    const AxisDistances v = MeasureAxis(a.top, a.bottom, CentringOf(a.flags, ANCHOR_CENTRE_VERT, kOffCentreVert),
                                        Along(control, true), Along(parent, true), true, sibling);
    return {h.nearDistance, v.nearDistance, h.farDistance, v.farDistance};
}

Rect ApplyAnchors(const Anchors& a, const AnchorDistances& d, Rect parent, const SiblingRect& sibling) {
    const Span h = ApplyAxis(a.left, a.right, CentringOf(a.flags, ANCHOR_CENTRE_HORZ, kOffCentreHorz),
                             {d.left, d.right}, Along(parent, false), false, sibling);
    const Span v = ApplyAxis(a.top, a.bottom, CentringOf(a.flags, ANCHOR_CENTRE_VERT, kOffCentreVert),
                             {d.top, d.bottom}, Along(parent, true), true, sibling);
    Rect r{h.nearEdge, v.nearEdge, h.farEdge, v.farEdge};
    if (a.flags & kSnapTop)
        r.top = parent.top;
    if (a.flags & kSnapLeft)
        r.left = parent.left;
    if (a.flags & kSnapRight)
        r.right = parent.right;
    if (a.flags & kSnapBottom)
        r.bottom = parent.bottom;
    return r;
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
