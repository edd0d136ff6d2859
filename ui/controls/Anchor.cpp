#include "controls/Anchor.h"

#include "framework/Window.h"

namespace ctl {

Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// An id naming no child gives an empty rectangle (a caller's mistake the layout does not check).
Rect DialogChildren::Get(int id) { return ToRect(fw::ChildRect(dialog_, GetDlgItem(dialog_, id))); }

void DialogChildren::Move(int id, const Rect& r) {
    MoveWindow(GetDlgItem(dialog_, id), r.left, r.top, r.right - r.left, r.bottom - r.top, repaint_);
}

} // namespace ctl

void AnchorControl(const AnchorSpec& anchor) {
    const ctl::Anchors anchors{anchor.leftAnchor, anchor.topAnchor, anchor.rightAnchor, anchor.bottomAnchor,
                               anchor.flags};
    const ctl::Rect parent = ctl::ToRect(anchor.parentRect);
    ctl::DialogChildren children(anchor.parentWindow, false);
    if (anchor.measure) {
        const ctl::AnchorDistances d =
            ctl::MeasureAnchors(anchors, children.Get(anchor.controlId), parent, ctl::SiblingsOf(children));
        anchor.leftDistance = d.left;
        anchor.topDistance = d.top;
        anchor.rightDistance = d.right;
        anchor.bottomDistance = d.bottom;
        return;
    }
    const ctl::AnchorDistances d{anchor.leftDistance, anchor.topDistance, anchor.rightDistance, anchor.bottomDistance};
    children.Move(anchor.controlId, ctl::ApplyAnchors(anchors, d, parent, ctl::SiblingsOf(children)));
}

int ResolveFarEdge(HWND parent, bool vertical, int nearEdge, int anchor, int distance, int parentFarEdge) {
    ctl::DialogChildren children(parent, false);
    return ctl::ResolveFarEdge(vertical, nearEdge, anchor, distance, parentFarEdge, ctl::SiblingsOf(children));
}
