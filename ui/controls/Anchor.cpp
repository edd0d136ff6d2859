#include "controls/Anchor.h"

#include "framework/Window.h"

namespace {

ctl::Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// An id naming no child gives an empty rectangle (a caller's mistake the layout does not check).
ctl::Rect ChildRect(HWND parent, int id) { return ToRect(fw::ChildRect(parent, GetDlgItem(parent, id))); }

ctl::SiblingRect SiblingsOf(HWND parent) {
    return [parent](int id) { return ChildRect(parent, id); };
}

} // namespace

void AnchorControl(const AnchorSpec& anchor) {
    const ctl::Anchors anchors{anchor.leftAnchor, anchor.topAnchor, anchor.rightAnchor, anchor.bottomAnchor,
                               anchor.flags};
    const ctl::Rect parent = ToRect(anchor.parentRect);
    if (anchor.measure) {
        const AnchorDistances d = ctl::MeasureAnchors(anchors, ChildRect(anchor.parentWindow, anchor.controlId), parent,
                                                      SiblingsOf(anchor.parentWindow));
        anchor.leftDistance = d.left;
        anchor.topDistance = d.top;
        anchor.rightDistance = d.right;
        anchor.bottomDistance = d.bottom;
        return;
    }
    const AnchorDistances d{anchor.leftDistance, anchor.topDistance, anchor.rightDistance, anchor.bottomDistance};
    const ctl::Rect r = ctl::ApplyAnchors(anchors, d, parent, SiblingsOf(anchor.parentWindow));
    MoveWindow(GetDlgItem(anchor.parentWindow, anchor.controlId), r.left, r.top, r.right - r.left, r.bottom - r.top,
               FALSE);
}

int ResolveFarEdge(HWND parent, bool vertical, int nearEdge, int anchor, int distance, int parentFarEdge) {
    return ctl::ResolveFarEdge(vertical, nearEdge, anchor, distance, parentFarEdge, SiblingsOf(parent));
}
