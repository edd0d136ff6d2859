#include "tree/TreeAccess.h"

#include <algorithm>

namespace tree::access {

CReportItem* RowFromChild(const ReportTreeModel& tree, long child) {
    const std::vector<CReportItem*>& rows = tree.Rows();
    return child > 0 && static_cast<size_t>(child) <= rows.size() ? rows[static_cast<size_t>(child) - 1] : nullptr;
}

long ChildFromRow(const ReportTreeModel& tree, const CReportItem* row) {
    const std::vector<CReportItem*>& rows = tree.Rows();
    const auto at = std::find(rows.begin(), rows.end(), row);
    return at != rows.end() ? static_cast<long>(at - rows.begin()) + 1 : 0;
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
    const long count = ChildCount(tree);
    if (start == 0) {
        if (direction == kFirst && count > 0)
            return 1;
        if (direction == kLast)
            return count;
        return 0;
    }
    if (start < 0 || start > count)
        return 0;
    if ((direction == kNext || direction == kDown) && start < count)
        return start + 1;
    if ((direction == kPrevious || direction == kUp) && start > 1)
        return start - 1;
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
