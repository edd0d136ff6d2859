#include "controls/Anchor.h"

namespace {

ctl::Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// A child's rectangle in the parent's client coordinates; an id naming no child gives an
// empty rectangle (a caller's mistake that the layout does not check).
ctl::Rect ChildRect(HWND parent, int id)
{
    RECT rect{};
    const HWND child = GetDlgItem(parent, id);
    if (!child || !GetWindowRect(child, &rect))
        return {};
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return ToRect(rect);
}

ctl::SiblingRect SiblingsOf(HWND parent)
{
    return [parent](int id) { return ChildRect(parent, id); };
}

} // namespace

void AnchorControl(const AnchorSpec& spec)
{
    const ctl::Anchors anchors{spec.leftAnchor, spec.topAnchor, spec.rightAnchor, spec.bottomAnchor, spec.flags};
    const ctl::Rect parent = ToRect(spec.parentRect);
    if (spec.measure) {
        const AnchorDistances d = ctl::MeasureAnchors(anchors, ChildRect(spec.parentWindow, spec.controlId), parent,
                                                      SiblingsOf(spec.parentWindow));
        spec.leftDistance = d.left;
        spec.topDistance = d.top;
        spec.rightDistance = d.right;
        spec.bottomDistance = d.bottom;
        return;
    }
    const AnchorDistances d{spec.leftDistance, spec.topDistance, spec.rightDistance, spec.bottomDistance};
    const ctl::Rect r = ctl::ApplyAnchors(anchors, d, parent, SiblingsOf(spec.parentWindow));
    MoveWindow(GetDlgItem(spec.parentWindow, spec.controlId), r.left, r.top, r.right - r.left, r.bottom - r.top,
               FALSE);
}

int ResolveFarEdge(HWND parent, bool vertical, int nearEdge, int anchor, int distance, int parentFarEdge)
{
    return ctl::ResolveFarEdge(vertical, nearEdge, anchor, distance, parentFarEdge, SiblingsOf(parent));
}
