// The arithmetic of the property tree that needs no window: colours, hit-test codes, the scroll
// model and the expander geometry. Built natively and for Windows.
#pragma once

#include "controls/Dpi.h"
#include "controls/Geometry.h"

namespace tree {

using ctl::Colour;
using ctl::Point;
using ctl::Rect;

// Figures at 96 DPI.
inline constexpr int kRowHeight = 21;
inline constexpr int kDividerHalfWidth = 5; // the divider answers this far either side
inline constexpr int kDividerMinimum = 12;  // never closer to the left edge
inline constexpr int kDragBarHalfWidth = 2; // the inverted bar while dragging is 5 pixels wide

// Every pixel figure of the tree at one DPI. The arithmetic stays plain: the window side asks
// for the record at its window's DPI and hands it to the model.
struct TreeMetrics {
    int rowHeight = kRowHeight;
    int indent = 12;             // left gutter and expander column; kept even
    int childIndent = 12;        // children below the top level sit this much further right
    int dividerHalfWidth = kDividerHalfWidth;
    int dividerMinimum = kDividerMinimum;
    int dividerMargin = 13;      // kept free between the divider and the column block
    int dividerLimitGap = 15;    // and this much more
    int dragBarHalfWidth = kDragBarHalfWidth;
    int checkBoxSide = 14;
    int checkBoxOffset = 5;      // from the label area's left edge
    int checkBoxCaptionShift = 24;
    int captionGap = 5;          // between the label area (or selection band) and the caption
    int separatorGap = 2;        // the row separator starts this far left of the caption
    int expanderInset = 2;       // of the expander's plus and minus strokes
    int expanderRaise = 2;       // the expander and check box sit this far above the row's middle
    int frame = 2;               // the list's sunken edge and white inner margin
    int paneHeight = 50;
    int paneInset = 4;
    int columnTitleGap = 2;
    int dpi = dpi::kBase;
};

// The tree's figures at `dpi` (96 gives the base figures).
TreeMetrics MetricsAt(int dpi);

// Results of HitTestPoint.
enum HitCode : int {
    kHitNowhere = 1,
    kHitLabel = 50,
    kHitDivider = 51,
    kHitExpander = 52,
    kHitValue = 53,
    kHitCheckBox = 54,
};

// Scroll requests of the list (the scroll-bar codes).
enum ScrollCode : int {
    kLineUp = 0,
    kLineDown = 1,
    kPageUp = 2,
    kPageDown = 3,
    kThumbPosition = 4,
    kThumbTrack = 5,
};

// The button face with 80 taken from each channel, stopping at 0.
Colour DarkenedFace(Colour face);

// Side of the expander box for an indent width: indent - 3, made odd.
int ExpanderSize(int indentWidth);

// The list's new scroll position for a request. position: current offset; page: client
// height + 1;
// thumb: the bar's thumb position (thumb-track only); line: one line's step (a row's height).
int ScrollTarget(int code, int position, int page, int rangeMin, int rangeMax, int thumb, int line = kRowHeight);

// Whether the rows would move at all: the scroll range must reach the client height.
inline bool WheelScrolls(int rangeMin, int rangeMax, int clientHeight) { return rangeMax - rangeMin >= clientHeight; }

inline bool Contains(const Rect& r, Point p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}
inline bool IsEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }
inline bool Intersects(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
inline Rect Offset(Rect r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

} // namespace tree
