#include "tree/TreeAccess.h"

#include <algorithm>

namespace tree::access {

CReportItem* RowFromChild(const ReportTreeModel& tree, long child) {
    CReportItem* item = child > 0 ? tree.ItemFromId(static_cast<int>(child)) : nullptr;
    return item && tree.OnVisibleChain(item) ? item : nullptr;
}

long ChildCount(const ReportTreeModel& tree) { return static_cast<long>(tree.Rows().size()); }

long RowStates(const CReportItem& row, bool listFocused, bool enabled) {
    long states = kStateSelectable | kStateFocusable;
    if (row.IsSelected())
        states |= kStateSelected;
    if (row.IsSelected() && listFocused)
        states |= kStateFocused;
    if (row.HasChildren())
        states |= row.IsExpanded() ? kStateExpanded : kStateCollapsed;
    if (!enabled)
        states |= kStateUnavailable;
    return states;
}

long Navigate(const ReportTreeModel& tree, long direction, long start) {
    const std::vector<CReportItem*>& rows = tree.Rows();
    if (rows.empty())
        return 0;
    if (start == 0) {
        if (direction == kFirst)
            return rows.front()->Id();
        if (direction == kLast)
            return rows.back()->Id();
        return 0;
    }
    const CReportItem* from = RowFromChild(tree, start);
    const auto at = std::find(rows.begin(), rows.end(), from);
    if (at == rows.end())
        return 0;
    if ((direction == kNext || direction == kDown) && at + 1 != rows.end())
        return (*(at + 1))->Id();
    if ((direction == kPrevious || direction == kUp) && at != rows.begin())
        return (*(at - 1))->Id();
    return 0;
}

Rect RowRect(const ReportTreeModel& tree, const CReportItem& row) {
    const Rect client = tree.Host().ListClientRect();
    const Point at = row.Position();
    const int top = at.y - tree.ScrollPosition();
    return {at.x, top, client.right, top + row.RowHeight()};
}

RowAction DefaultAction(const CReportItem& row) {
    if (!row.HasChildren())
        return RowAction::kNone;
    return row.IsExpanded() ? RowAction::kCollapse : RowAction::kExpand;
}

} // namespace tree::access
