// What a screen reader reads of the tree's rows, without windows: the children of the list's
// accessible object, their states and the navigation between them. Each row of the visible
// chain (a shown item whose ancestors are expanded) is one child, and its child id is its place
// on the chain, 1 to N from the top: readers walk the children by those numbers.
#pragma once

#include "tree/ReportTreeModel.h"

namespace tree::access {

// The MSAA values (oleacc.h), here so that the plain code builds without it.
inline constexpr long kRoleOutline = 0x23;     // ROLE_SYSTEM_OUTLINE
inline constexpr long kRoleOutlineItem = 0x24; // ROLE_SYSTEM_OUTLINEITEM
inline constexpr long kStateSelected = 0x2;
inline constexpr long kStateFocused = 0x4;
inline constexpr long kStateExpanded = 0x200;
inline constexpr long kStateCollapsed = 0x400;
inline constexpr long kStateFocusable = 0x100000;
inline constexpr long kStateSelectable = 0x200000;
inline constexpr long kStateUnavailable = 0x1;
enum Direction : long { kUp = 1, kDown = 2, kLeft = 3, kRight = 4, kNext = 5, kPrevious = 6, kFirst = 7, kLast = 8 };

// The row with this child id, or null when there is none.
CReportItem* RowFromChild(const ReportTreeModel& tree, long child);
// The child id of a row; 0 (the list itself) for an item that is not on the visible chain.
long ChildFromRow(const ReportTreeModel& tree, const CReportItem* row);
long ChildCount(const ReportTreeModel& tree);
// The states of a row; `listFocused`: the row list has the keyboard focus.
long RowStates(const CReportItem& row, bool listFocused, bool enabled);
// The child reached from `start` (0 = the list itself) in an MSAA direction; 0 when none.
// Next/previous (and down/up) follow the rows; first/last only from the list itself.
long Navigate(const ReportTreeModel& tree, long direction, long start);
// The row's rectangle in list client coordinates (scrolled), as far right as the list goes.
Rect RowRect(const ReportTreeModel& tree, const CReportItem& row);
// What the row's default action does now: expand or collapse; none without children.
enum class RowAction { kNone, kExpand, kCollapse };
RowAction DefaultAction(const CReportItem& row);

} // namespace tree::access
