#include "report/AnchorLayoutMath.h"

namespace report {

namespace {

// One axis: near/far anchors stretch, near keeps, far moves, neither keeps the child centred.
void ApplyAxis(bool nearAnchor, bool farAnchor, int& nearEdge, int& farEdge, int beforeNear, int beforeFar,
               int afterNear, int afterFar) {
    const int farChange = afterFar - beforeFar;
    if (nearAnchor && farAnchor) {
        farEdge += farChange;
    } else if (farAnchor) {
        nearEdge += farChange;
        farEdge += farChange;
    } else if (!nearAnchor) {
        const int shift = (afterFar - afterNear) / 2 - (beforeFar - beforeNear) / 2;
        nearEdge += shift;
        farEdge += shift;
    }
}

} // namespace

ctl::Rect ApplyAnchorFlags(int flags, ctl::Rect child, const ctl::Rect& before, const ctl::Rect& after) {
    ApplyAxis(flags & kAnchorLeft, flags & kAnchorRight, child.left, child.right, before.left, before.right, after.left,
              after.right);
    ApplyAxis(flags & kAnchorTop, flags & kAnchorBottom, child.top, child.bottom, before.top, before.bottom, after.top,
              after.bottom);
    if (flags & kSnapTop)
        child.top = after.top;
    if (flags & kSnapLeft)
        child.left = after.left;
    if (flags & kSnapRight)
        child.right = after.right;
    if (flags & kSnapBottom)
        child.bottom = after.bottom;
    return child;
}

} // namespace report
