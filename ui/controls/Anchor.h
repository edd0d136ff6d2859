// The anchored layout: keeps a control at fixed distances from the parent's edges or from
// siblings, or centred between its anchors, when the parent is resized.
#pragma once

#include "controls/Layout.h"

#include <windows.h>

struct AnchorSpec {
    int controlId;
    int leftAnchor; // ANCHOR_PARENT, ANCHOR_SIZE or a sibling's id
    int topAnchor;
    int rightAnchor;
    int bottomAnchor;
    int flags; // ANCHOR_CENTRE_HORZ, ANCHOR_CENTRE_VERT
    int& leftDistance;
    int& topDistance;
    int& rightDistance;
    int& bottomDistance;
    bool measure; // true: record the distances; false: move the control
    const RECT& parentRect;
    HWND parentWindow;
};

namespace ctl {

// A dialog's children by id, as the layout reads and moves them, in its client coordinates.
class DialogChildren final : public LayoutTarget {
public:
    DialogChildren(HWND dialog, bool repaint) : dialog_(dialog), repaint_(repaint) {}
    Rect Get(int id) override;
    // Moves without repainting unless asked to.
    void Move(int id, const Rect& rect) override;

private:
    HWND dialog_;
    BOOL repaint_;
};

Rect ToRect(const RECT& rect);

} // namespace ctl

// Measures (records the four distances) or applies (moves the control without repainting).
void AnchorControl(const AnchorSpec& anchor);

// The right (vertical false) or bottom (vertical true) coordinate of a control whose near edge
// is `nearEdge`, from its far anchor and distance.
int ResolveFarEdge(HWND parent, bool vertical, int nearEdge, int anchor, int distance, int parentFarEdge);
