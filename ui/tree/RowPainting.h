// Painting the rows of the property tree from the layout its model keeps, and the measure the
// tree's divider is fitted to.
#pragma once

#include "tree/ReportCanvas.h"

#include <functional>
#include <string>

namespace tree {

class ReportTreeModel;

// What every row of one paint shares.
struct RowFrame {
    const TreeMetrics& metrics;
    int indent;
    int divider;
    int scroll;
    Rect client;
    bool enabled;
    bool images;
};

} // namespace tree

// Paints the rows that meet the canvas's clip box, in row order, from the tree's layout (made
// first when stale); painting itself stores nothing.
void PaintItems(const tree::ReportTreeModel& tree, tree::ReportCanvas& canvas);

// The right edge (list client coordinates) of the widest caption in the label area of the rows
// (groups left out), each `captionWidth` wide in the normal font from where painting puts it; 0
// when there is none.
int WidestCaptionRight(const tree::ReportTreeModel& tree, const std::function<int(const std::wstring&)>& captionWidth);
